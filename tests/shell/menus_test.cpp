// The main window's menu bar and its commands.
#include "calibration/message_catalogue.h"
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

struct MenuCase {
  const char* name;
  MenuEntry MainForm::*member;
  const char* caption;
  const char* shortcut;
  bool enabled;
  bool checked;
};
std::ostream& operator<<(std::ostream& os, const MenuCase& c) {
  return os << c.name;
}

class MenuEntryTest : public MainFormTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuEntryTest, CaptionShortcutAndStateStayAfterUse) {
  const MenuCase& c = GetParam();
  Load();
  auto check = [&](const char* when) {
    const MenuEntry& entry = form.*c.member;
    EXPECT_EQ(entry.caption, c.caption) << when;
    EXPECT_EQ(entry.shortcut, c.shortcut) << when;
    EXPECT_EQ(entry.enabled, c.enabled) << when;
    EXPECT_EQ(entry.checked, c.checked) << when;
    EXPECT_EQ(entry.separator, std::string(c.name) == "dash3") << when;
  };
  check("at start");
  // Commands, clicks, an empty row and back, and File New change none of it.
  AddCard(2, 1);
  Click("2-0-1", kColFilter);
  form.WaveStudClick();
  form.grdChannel.Resize(form.grdChannel.Rows() + 1, kGridCols);
  Click(form.grdChannel.Rows() - 1);
  Click(1);
  form.NewConfiguration();
  form.HelpContents();
  check("after use");
}

INSTANTIATE_TEST_SUITE_P(
    MenuBar, MenuEntryTest,
    ::testing::Values(
        MenuCase{"filer", &MainForm::filer, "&File", "", true, false},
        MenuCase{"newer", &MainForm::newer, "&New", "", true, false},
        MenuCase{"opener", &MainForm::opener, "&Open...", "Ctrl+O", false, false},
        MenuCase{"saver", &MainForm::saver, "&Save", "Ctrl+S", false, false},
        MenuCase{"saverAs", &MainForm::saverAs, "Save &As...", "Ctrl+A", false, false},
        MenuCase{"printer", &MainForm::printer, "&Print configuration", "Ctrl+P", true, false},
        MenuCase{"dash3", &MainForm::dash3, "-", "", true, false},
        MenuCase{"exiter", &MainForm::exiter, "E&xit", "", true, false},
        MenuCase{"editer", &MainForm::editer, "&Edit", "", true, false},
        MenuCase{"displayer", &MainForm::displayer, "&Display card data...", "", true, false},
        MenuCase{"optioner", &MainForm::optioner, "&Options", "", true, false},
        MenuCase{"WaveStud", &MainForm::WaveStud, "&Save Scaling Information", "", true, true},
        MenuCase{"diag", &MainForm::diag, "&Diagnostics", "", true, false},
        MenuCase{"mnuExpert", &MainForm::mnuExpert, "&Show Diagnostic Window...", "", true, false},
        MenuCase{"helper", &MainForm::helper, "&Help", "", true, false},
        MenuCase{"helperContents", &MainForm::helperContents, "&Contents", "", true, false},
        MenuCase{"helperSearch", &MainForm::helperSearch, "&Search...", "", true, false},
        MenuCase{"helperHelp", &MainForm::helperHelp, "&Help on Help", "", true, false},
        MenuCase{"abouter", &MainForm::abouter, "&About", "", true, false}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- Show Diagnostic Window ----

struct DiagCase {
  const char* name;
  int box;              // 0: no card on the row
  const char* message;  // empty: none
  const char* title;
  MsgIcon icon;
  bool opens;
};
std::ostream& operator<<(std::ostream& os, const DiagCase& c) {
  return os << c.name;
}

class DiagnosticsTest : public MainFormTest, public ::testing::WithParamInterface<DiagCase> {};

const char kSgc50bNote[] =
    "To view correct bridge, input, scaling and offset readings, CAL1 and CAL2 switch must be set "
    "correctly.\r\n\r\nTo read bridge values CAL1 and CAL2 switches must be set to RUN.\r\nTo read "
    "input, offset, and scaling values CAL1 switch must be set to RUN and and CAL2 switch must be "
    "set to CAL.\r\n";

TEST_P(DiagnosticsTest, MessageByCardTypeThenTheWindow) {
  const DiagCase& c = GetParam();
  Load();
  if (c.box != 0) AddCard(14, c.box);
  bool messageBeforeWindow = false;
  windows.OnShow(WindowId::frmExpert, [&] { messageBeforeWindow = !boxes.Shown().empty(); });
  Click(FirstRowOfBase(14));
  form.ShowDiagnostics();

  if (std::string(c.message).empty()) {
    EXPECT_TRUE(boxes.Shown().empty());
  } else {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, c.message);
    EXPECT_EQ(boxes.Shown()[0].title, c.title);
    EXPECT_EQ(boxes.Shown()[0].icon, c.icon);
    EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::OK);
    if (c.opens) {
      EXPECT_TRUE(messageBeforeWindow);
    }
  }
  EXPECT_EQ(windows.Shown().back() == WindowId::frmExpert, c.opens);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, DiagnosticsTest,
    ::testing::Values(DiagCase{"NoCard", 0, "There are no cards configured for this base channel",
                               "Attention!", MsgIcon::Information, false},
                      DiagCase{"SGC50A", 3, "Make sure the CAL/NORM switch in NORM position",
                               "Attention!", MsgIcon::Information, true},
                      DiagCase{"SGC50B", 4, kSgc50bNote, "Please Note", MsgIcon::None, true},
                      DiagCase{"SGC10", 1, "", "", MsgIcon::None, true},
                      DiagCase{"SGC50", 2, "", "", MsgIcon::None, true}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- Display card data and Print configuration ----

TEST_F(MainFormTest, DisplayCardDataNeedsSomeCard) {
  Load();
  form.DisplayCardData();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "There are no cards configured for this base channel");
  EXPECT_EQ(boxes.Shown()[0].title, "Attention!");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  EXPECT_EQ(windows.Shown().back(), WindowId::frmIfcSel);

  AddCard(0, 1);
  Click(RowOf("1"));  // the selected row does not matter here
  form.DisplayCardData();
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(windows.Shown().back(), WindowId::CardConfig);
}

TEST_F(MainFormTest, PrintConfigurationNeedsACardOnTheSelectedRow) {
  Load();
  AddCard(0, 2);
  Click(RowOf("4"));
  form.PrintConfiguration();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "There are no cards configured for this base channel");
  EXPECT_EQ(boxes.Shown()[0].title, "Attention!");
  EXPECT_EQ(printout.Printed(), 0);

  Click(RowOf("0-0-5"));
  form.PrintConfiguration();
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(printout.Printed(), 1);
}

// ---- help and About ----

struct HelpCase {
  const char* name;
  void (MainForm::*command)();
  int helpCommand;
};
std::ostream& operator<<(std::ostream& os, const HelpCase& c) {
  return os << c.name;
}

class HelpTest : public MainFormTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpTest, OpensTheHelpFileWithItsCommand) {
  Load();
  (form.*GetParam().command)();
  ASSERT_EQ(help.Requests().size(), 1u);
  EXPECT_EQ(help.Requests()[0].file, "vernium.hlp");
  EXPECT_EQ(help.Requests()[0].command, GetParam().helpCommand);
  EXPECT_EQ(help.Requests()[0].data, 1);
}

// helperContents and helperSearch both run HelpContents.
INSTANTIATE_TEST_SUITE_P(Commands, HelpTest,
                         ::testing::Values(HelpCase{"Contents", &MainForm::HelpContents, 3},
                                           HelpCase{"HelpOnHelp", &MainForm::HelpOnHelp, 4}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, AboutShowsMessageOne) {
  Load();
  form.About();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].title, "About Vernium");
  EXPECT_EQ(boxes.Shown()[0].text, AboutText());
  EXPECT_NE(boxes.Shown()[0].text.find("Version  7. 2. 5"), std::string::npos);
}

// ---- File New ----

TEST_F(MainFormTest, FileNewEmptiesTheConfigurationWithoutAskingOrReselectingTheDevice) {
  Load(MakeDevice(36));
  AddCard(9, 2);
  AddCard(12, 1, 3);
  MarkCalibrated("9-0-2");
  const int chan = ChannelFromLabel("9-0-2", kSGC50);
  config.Channels[chan].Excitation = 5.0f;
  Click("12-1-0", kColCoupling);
  form.RemoveCardClick();  // leave the panel open
  const auto device = session.Device;
  const int preparesBefore = acq.prepares;

  form.NewConfiguration();

  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(windows.Shown(), std::vector<WindowId>{WindowId::frmIfcSel});
  EXPECT_EQ(session.Device, device);
  EXPECT_EQ(acq.prepares, preparesBefore + 1);
  EXPECT_FALSE(IsTrue(config.Reinitializing));
  EXPECT_EQ(form.grdChannel.Rows(), 17);
  for (int b = 0; b < 16; ++b) {
    EXPECT_EQ(Cell(b + 1, kColChannel), std::to_string(b));
    EXPECT_EQ(Cell(b + 1, kColCardType), "No Card");
    EXPECT_EQ(config.Base[b].ChanCount, 0);
  }
  for (int n = 16; n <= 271; ++n) {
    ASSERT_EQ(config.Channels[n].CardType, "No Card") << n;
    ASSERT_EQ(config.Channels[n].Calibrated, "No") << n;
  }
  // The start-up resets are not repeated: the record keeps its parameters.
  EXPECT_FLOAT_EQ(config.Channels[chan].Excitation, 5.0f);
  EXPECT_EQ(form.cboChannel.items.size(), 16u);
  EXPECT_EQ(form.cboFIlter.items.size(), 3u);
  EXPECT_EQ(form.cboCoupling.items.size(), 2u);
  EXPECT_FALSE(form.cmdRemoveCard.enabled || form.CmdCalibrate.enabled || form.cmdViewCard.enabled);
  EXPECT_FALSE(form.cmdOK.visible || form.cmdCancel.visible || form.cboChannel.visible ||
               form.lblAddOrDel.visible);
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_EQ(config.CurrentRow, 1);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
  EXPECT_FALSE(form.closeRequested);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

}  // namespace
}  // namespace vernium::testing
