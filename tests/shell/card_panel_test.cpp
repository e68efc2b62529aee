// Adding and removing cards on a base channel through the main window's card
// panel: family limits, labels, grid rows, refusals and the removed records.
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

std::vector<std::string> Labels(int b, int cards, int perCard) {
  std::vector<std::string> labels;
  for (int c = 0; c < cards; ++c) {
    for (int k = 0; k < perCard; ++k) {
      labels.push_back(std::to_string(b) + "-" + std::to_string(c) + "-" + std::to_string(k));
    }
  }
  return labels;
}

struct FullCase {
  const char* name;
  int box;
  int cards;  // cards that fill a base channel
  const char* type;
  const char* message;
  const char* title;
  void (MainForm::*add)(int);
};
std::ostream& operator<<(std::ostream& os, const FullCase& c) {
  return os << c.name;
}

class FullBaseTest : public MainFormTest, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullBaseTest, FillsSixteenRowsThenRefusesAnotherCard) {
  const FullCase& c = GetParam();
  Load();
  AddCard(5, c.box, c.cards);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(LabelsOfBase(5), Labels(5, c.cards, 16 / c.cards));
  EXPECT_EQ(form.grdChannel.Rows(), 1 + 15 + 16);
  for (int r = FirstRowOfBase(5); r < FirstRowOfBase(5) + 16; ++r) {
    EXPECT_EQ(Cell(r, kColCardType), c.type);
  }
  EXPECT_FALSE(form.cmdAddCard.enabled);

  // The panel cannot reach a full base channel any more; the rule itself:
  form.cmdAddCard.enabled = true;
  const auto cellsBefore = form.grdChannel.cells;
  (form.*c.add)(5);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, c.message);
  EXPECT_EQ(boxes.Shown()[0].title, c.title);
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  EXPECT_FALSE(form.cmdAddCard.enabled);
  EXPECT_EQ(form.grdChannel.cells, cellsBefore);
  EXPECT_EQ(config.Base[5].ChanCount, 16);
}

INSTANTIATE_TEST_SUITE_P(
    Families, FullBaseTest,
    ::testing::Values(FullCase{"EightSGC10", 1, 8, "SGC10", "Allowed  only  eight(8)  SGC10 ",
                               "Attention!", &MainForm::AddSGC10Card},
                      FullCase{"TwoSGC50", 2, 2, "SGC50",
                               "Only two SGC50 or 50A's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50Card},
                      FullCase{"TwoSGC50A", 3, 2, "SGC50A",
                               "Only two SGC50 or 50A's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50Card},
                      FullCase{"TwoSGC50B", 4, 2, "SGC50B", "Only two SGC50B's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50BCard}),
    [](const auto& p) { return std::string(p.param.name); });

struct MixCase {
  const char* name;
  int firstBox;
  int secondBox;
  const char* secondType;  // empty: not added
  bool refused;            // with the different-module message
};
std::ostream& operator<<(std::ostream& os, const MixCase& c) {
  return os << c.name;
}

class CardMixTest : public MainFormTest, public ::testing::WithParamInterface<MixCase> {};

TEST_P(CardMixTest, SecondCardOnTheSameBaseChannel) {
  const MixCase& c = GetParam();
  Load();
  AddCard(9, c.firstBox);
  const auto cellsBefore = form.grdChannel.cells;
  const int n = config.Base[9].ChanCount;
  AddCard(9, c.secondBox);

  EXPECT_EQ(boxes.Shown().size(), c.refused ? 1u : 0u);
  if (c.refused) {
    EXPECT_EQ(boxes.Shown()[0].text,
              "Different module types are not allowed in the same base channel");
    EXPECT_EQ(boxes.Shown()[0].title, "Attention!");
  }
  if (*c.secondType != '\0') {
    ASSERT_EQ(config.Base[9].ChanCount, 2 * n);
    for (int s = n; s < 2 * n; ++s) EXPECT_EQ(config.Base[9].CardType[s], c.secondType);
    EXPECT_EQ(LabelsOfBase(9), Labels(9, 2, n));
  } else {
    EXPECT_EQ(form.grdChannel.cells, cellsBefore);
  }
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.cboChannel.visible || form.lblAddOrDel.visible || form.cmdOK.visible);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

INSTANTIATE_TEST_SUITE_P(Families, CardMixTest,
                         ::testing::Values(MixCase{"SGC50AbesideSGC50B", 4, 3, "SGC50A", false},
                                           MixCase{"SGC50besideSGC50A", 3, 2, "SGC50", false},
                                           MixCase{"SGC10besideSGC10", 1, 1, "SGC10", false},
                                           MixCase{"SGC50BbesideSGC50", 2, 4, "", false},
                                           MixCase{"SGC50BbesideSGC50A", 3, 4, "", false},
                                           MixCase{"SGC50BbesideSGC10", 1, 4, "", false},
                                           MixCase{"SGC50besideSGC10", 1, 2, "", true},
                                           MixCase{"SGC50AbesideSGC10", 1, 3, "", true},
                                           MixCase{"SGC10besideSGC50B", 4, 1, "", true}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, OneSgc50CardMovesTheLaterBaseChannelsDownBySeven) {
  Load();
  AddCard(2, 2);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Cell(3 + k, kColChannel), "2-0-" + std::to_string(k));
  EXPECT_EQ(Cell(11, kColChannel), "3");
  EXPECT_EQ(form.grdChannel.Rows(), 24);
  EXPECT_TRUE(form.cmdRemoveCard.enabled && form.cmdViewCard.enabled && form.CmdCalibrate.enabled);
  EXPECT_TRUE(form.cmdAddCard.enabled);
  EXPECT_FALSE(IsTrue(config.NoCardsFlag));
}

class RemoveFromRowTest : public MainFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(RemoveFromRowTest, RemoveTakesTheLastCardWhicheverRowIsSelected) {
  Load();
  AddCard(2, 1, 3);  // 2-0-0 ... 2-2-1
  RemoveCardFromRow(FirstRowOfBase(2) + GetParam());
  EXPECT_EQ(LabelsOfBase(2), Labels(2, 2, 2));
  EXPECT_EQ(form.grdChannel.Rows(), 1 + 15 + 4);
  EXPECT_EQ(config.Channels[ChannelFromLabel("2-2-0", kSGC10)].CardType, "No Card");
  EXPECT_EQ(config.Channels[ChannelFromLabel("2-1-1", kSGC10)].CardType, "SGC10");
}

INSTANTIATE_TEST_SUITE_P(Rows, RemoveFromRowTest, ::testing::Values(0, 2, 5));

TEST_F(MainFormTest, RemovingTheOnlyCardGivesTheBaseChannelItsOwnRowBack) {
  Load();
  AddCard(7, 3);
  RemoveCardFromRow(RowOf("7-0-4"));
  EXPECT_EQ(LabelsOfBase(7), std::vector<std::string>{"7"});
  EXPECT_EQ(form.grdChannel.Rows(), 17);
  EXPECT_EQ(Cell(RowOf("7"), kColCardType), "No Card");
  EXPECT_FALSE(form.cmdRemoveCard.enabled || form.cmdViewCard.enabled || form.CmdCalibrate.enabled);
  EXPECT_TRUE(form.cmdAddCard.enabled);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
}

TEST_F(MainFormTest, RemovedChannelsRecordsAreEmptied) {
  Load();
  AddCard(1, 2, 2);
  Click("1-1-3", kColFilter);
  form.GridDblClick();  // filter on: "On, optional gain X1"
  MarkCalibrated("1-1-3");
  const int chan = ChannelFromLabel("1-1-3", kSGC50);
  ASSERT_EQ(config.Channels[chan].FilterOption, "On, optional gain X1");
  config.Channels[chan].M = 2.0f;
  config.Channels[chan].B = 3.0f;

  RemoveCardFromRow(RowOf("1-0-0"));

  for (int n = chan - 3; n < chan + 5; ++n) {
    const ChannelConfig& ch = config.Channels[n];
    EXPECT_EQ(ch.CardType + ch.Calibrated + ch.FilterOption, "No CardNoNo") << n;
    EXPECT_EQ(ch.M, 0.0f);
    EXPECT_EQ(ch.B, 0.0f);
    EXPECT_TRUE(IsTrue(ch.DCCoupled) && !IsTrue(ch.FilterOn) && !IsTrue(ch.Active));
  }
  for (int s = 8; s < 16; ++s) {
    const BaseChannel& base = config.Base[1];
    EXPECT_EQ(base.CardType[s] + base.CalStatus[s] + base.Filter[s] + base.Coupling[s],
              "No CardNoBypassDC");
  }
  EXPECT_EQ(config.Channels[chan - 8].CardType, "SGC50");
}

TEST_F(MainFormTest, AddingPanelForTheSelectedRowsBaseChannel) {
  Load();
  AddCard(6, 1);
  Click("6-0-1");
  form.AddCardClick();
  EXPECT_EQ(form.Panel(), PanelMode::Adding);
  EXPECT_EQ(form.lblAddOrDel.caption, "Add Cards to Base");
  for (std::size_t i = 1; i <= 4; ++i) {
    EXPECT_TRUE(form.ctCheck1[i].visible && !form.ctCheck1[i].checked);
  }
  EXPECT_TRUE(form.lblAddOrDel.visible && form.cboChannel.visible && form.cmdCancel.visible);
  EXPECT_EQ(form.cboChannel.text, "Channel 6");
  EXPECT_EQ(config.CurrentRow, RowOf("6-0-0"));
  EXPECT_TRUE(form.cmdOK.visible);
  EXPECT_TRUE(form.cmdRemoveCard.enabled);

  form.CardBoxClick(3);
  form.CardBoxClick(1);
  EXPECT_TRUE(form.ctCheck1[1].checked && form.cmdOK.enabled);
  EXPECT_FALSE(form.ctCheck1[2].checked || form.ctCheck1[3].checked || form.ctCheck1[4].checked);

  const auto cells = form.grdChannel.cells;
  form.CancelClick();
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.ctCheck1[1].visible || form.ctCheck1[1].checked || form.cmdOK.visible ||
               form.cmdCancel.visible || form.cboChannel.visible || form.lblAddOrDel.visible);
  EXPECT_EQ(form.grdChannel.cells, cells);
}

TEST_F(MainFormTest, RemovingPanelForTheSelectedRowsBaseChannel) {
  Load();
  AddCard(11, 1, 2);
  Click("11-1-1");
  form.RemoveCardClick();
  EXPECT_EQ(form.Panel(), PanelMode::Removing);
  EXPECT_EQ(form.lblAddOrDel.caption, "Remove Card From Base");
  EXPECT_FALSE(form.ctCheck1[1].visible);
  EXPECT_TRUE(form.lblAddOrDel.visible && form.cboChannel.visible);
  EXPECT_EQ(form.cboChannel.text, "Channel 11");
  EXPECT_TRUE(form.cmdOK.visible && form.cmdOK.enabled && form.cmdCancel.visible);
  EXPECT_EQ(config.CurrentRow, RowOf("11-0-0"));
}

TEST_F(MainFormTest, OkInAddingModeWithNoBoxCheckedChangesNothing) {
  Load();
  AddCard(8, 4);
  Click("8-0-0");
  form.AddCardClick();
  const auto cells = form.grdChannel.cells;
  form.OKClick();
  EXPECT_EQ(form.grdChannel.cells, cells);
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

TEST_F(MainFormTest, ChoosingAFullBaseChannelInTheListClosesThePanel) {
  Load();
  AddCard(3, 2, 2);
  Click(1);
  form.AddCardClick();
  form.cboChannel.Select(3);
  form.ChannelListClick();
  EXPECT_EQ(config.CurrentRow, RowOf("3-0-0"));
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.ctCheck1[1].visible || form.cmdOK.visible || form.cboChannel.visible);
  EXPECT_FALSE(form.cmdAddCard.enabled);
}

struct ViewCase {
  const char* name;
  int box;
  const char* instruction;
  std::size_t option;
};
std::ostream& operator<<(std::ostream& os, const ViewCase& c) {
  return os << c.name;
}

class ViewCardTest : public MainFormTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewCardTest, SetsTheDiagramsInstructionAndCardOptionThenShowsIt) {
  const ViewCase& c = GetParam();
  Load();
  AddCard(12, c.box);
  Click("12-0-1");
  form.ViewCardClick();
  EXPECT_EQ(session.cardPic.lblInstruction.caption, c.instruction);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(session.cardPic.whichCard[i].value, i == c.option);
  EXPECT_EQ(windows.Shown().back(), WindowId::CardPic);
  EXPECT_EQ(config.CurrentChannel, 16 * 12 + 17);  // 12-0-1 in either family
  EXPECT_EQ(form.grdChannel.row, RowOf("12-0-1"));
}

INSTANTIATE_TEST_SUITE_P(
    Cards, ViewCardTest,
    ::testing::Values(ViewCase{"SGC10", 1, "Make sure your SGC10 matches this diagram", 0},
                      ViewCase{"SGC50", 2, "Make sure your SGC50 matches this diagram", 1},
                      ViewCase{"SGC50A", 3, "Make sure your SGC50A/SGC50B matches this diagram", 2},
                      ViewCase{"SGC50B", 4, "Make sure your SGC50A/SGC50B matches this diagram",
                               2}),
    [](const auto& p) { return std::string(p.param.name); });

struct BaseRowButtonCase {
  const char* name;
  void (MainForm::*handler)();
  Button MainForm::*button;
};
std::ostream& operator<<(std::ostream& os, const BaseRowButtonCase& c) {
  return os << c.name;
}

class BaseRowButtonTest : public MainFormTest,
                          public ::testing::WithParamInterface<BaseRowButtonCase> {};

TEST_P(BaseRowButtonTest, OnARowWithoutCardOnlyDisablesItself) {
  Load();
  Click(5);
  (form.*GetParam().button).enabled = true;
  const auto cells = form.grdChannel.cells;
  (form.*GetParam().handler)();
  EXPECT_FALSE((form.*GetParam().button).enabled);
  EXPECT_EQ(windows.Shown().size(), 1u);  // the device selection only
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_EQ(form.grdChannel.cells, cells);
}

INSTANTIATE_TEST_SUITE_P(Buttons, BaseRowButtonTest,
                         ::testing::Values(BaseRowButtonCase{"Remove", &MainForm::RemoveCardClick,
                                                             &MainForm::cmdRemoveCard},
                                           BaseRowButtonCase{"View", &MainForm::ViewCardClick,
                                                             &MainForm::cmdViewCard},
                                           BaseRowButtonCase{"Calibrate", &MainForm::CalibrateClick,
                                                             &MainForm::CmdCalibrate}),
                         [](const auto& p) { return std::string(p.param.name); });

struct RestrictedCase {
  const char* name;
  std::int32_t type;
  std::int32_t subType;
  int base;
  bool available;
  bool entriesUnavailable;  // cboChannel entries 0 and 1 read "Unavailable"
};
std::ostream& operator<<(std::ostream& os, const RestrictedCase& c) {
  return os << c.name;
}

class RestrictedUnitTest : public MainFormTest,
                           public ::testing::WithParamInterface<RestrictedCase> {};

TEST_P(RestrictedUnitTest, UnavailableBaseChannelsCannotTakeCards) {
  const RestrictedCase& c = GetParam();
  Load(MakeDevice(c.type, c.subType));
  Click(FirstRowOfBase(c.base));
  form.AddCardClick();
  EXPECT_EQ(form.cmdOK.enabled, c.available);
  EXPECT_EQ(form.lblInfo00.visible, !c.available);
  EXPECT_EQ(form.ctCheck1[1].visible, c.available);
  EXPECT_EQ(form.cboChannel.items[0] == "Unavailable", c.entriesUnavailable);
  EXPECT_EQ(form.cboChannel.items[1] == "Unavailable", c.entriesUnavailable);
  EXPECT_EQ(form.cboChannel.items[2], "Channel 2");
}

INSTANTIATE_TEST_SUITE_P(Units, RestrictedUnitTest,
                         ::testing::Values(RestrictedCase{"T23S3Base1", 23, 3, 1, false, true},
                                           RestrictedCase{"T23S3Base2", 23, 3, 2, true, true},
                                           RestrictedCase{"T36Base7", 36, 0, 7, false, false},
                                           RestrictedCase{"T36Base8", 36, 0, 8, true, false},
                                           RestrictedCase{"T23S1Base0", 23, 1, 0, true, false},
                                           RestrictedCase{"T5Base0", 5, 0, 0, true, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, ChoosingAnotherBaseChannelReopensThePanelInItsMode) {
  Load(MakeDevice(36));
  AddCard(9, 2);
  Click(FirstRowOfBase(3));
  form.AddCardClick();  // base channel 3 is kept by the unit
  ASSERT_FALSE(form.ctCheck1[1].visible);
  form.cboChannel.Select(10);
  form.ChannelListClick();
  EXPECT_TRUE(form.ctCheck1[1].visible && form.cmdOK.visible && form.cmdOK.enabled);
  EXPECT_FALSE(form.lblInfo00.visible);
  form.CardBoxClick(2);
  form.OKClick();
  EXPECT_EQ(config.Base[10].ChanCount, 8);

  Click("10-0-0");
  form.RemoveCardClick();
  form.cboChannel.Select(9);
  form.ChannelListClick();
  EXPECT_EQ(form.Panel(), PanelMode::Removing);
  EXPECT_FALSE(form.ctCheck1[1].visible);
  form.OKClick();
  EXPECT_EQ(config.Base[9].ChanCount, 0);
  EXPECT_EQ(config.Base[10].ChanCount, 8);
}

}  // namespace
}  // namespace vernium::testing
