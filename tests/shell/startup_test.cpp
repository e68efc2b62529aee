// Start-up, activation and shut-down of the main window, and the controls'
// state when it is first shown.
#include <unistd.h>

#include <filesystem>

#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, ControlsWhenFirstShown) {
  Load();
  struct Row {
    const char* name;
    const Control& control;
    const std::string& caption;
    const char* expected;
    bool visible;
    bool enabled;
  };
  const std::string none;
  const Row rows[] = {
      {"cmdAddCard", form.cmdAddCard, form.cmdAddCard.caption, "&AddCard", true, true},
      {"cmdRemoveCard", form.cmdRemoveCard, form.cmdRemoveCard.caption, "&Remove Card", true,
       false},
      {"cmdViewCard", form.cmdViewCard, form.cmdViewCard.caption, "&ViewCard", true, false},
      {"CmdCalibrate", form.CmdCalibrate, form.CmdCalibrate.caption, "&Calibrate", true, false},
      {"cmdOK", form.cmdOK, form.cmdOK.caption, "&Ok", false, true},
      {"cmdCancel", form.cmdCancel, form.cmdCancel.caption, "&Cancel", false, true},
      {"lblAddOrDel", form.lblAddOrDel, form.lblAddOrDel.caption, "Add Card To Base", false, true},
      {"lblInfo00", form.lblInfo00, form.lblInfo00.caption, "Channel is Unavailable", false, true},
      {"lblDCACcoupling", form.lblDCACcoupling, form.lblDCACcoupling.caption, "Coupling", false,
       true},
      {"lblFilterOption", form.lblFilterOption, form.lblFilterOption.caption, "Filter / Gain",
       false, true},
      {"cboChannel", form.cboChannel, none, "", false, true},
      {"cboCoupling", form.cboCoupling, none, "", false, true},
      {"cboFIlter", form.cboFIlter, none, "", false, true},
      {"ctCheck1(1)", form.ctCheck1[1], form.ctCheck1[1].caption, "SGC10", false, true},
      {"ctCheck1(2)", form.ctCheck1[2], form.ctCheck1[2].caption, "SGC50", false, true},
      {"ctCheck1(3)", form.ctCheck1[3], form.ctCheck1[3].caption, "SGC50A", false, true},
      {"ctCheck1(4)", form.ctCheck1[4], form.ctCheck1[4].caption, "SGC50B", false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.caption, row.expected);
    EXPECT_EQ(row.control.visible, row.visible);
    EXPECT_EQ(row.control.enabled, row.enabled);
  }
  for (std::size_t i = 1; i <= 4; ++i) EXPECT_FALSE(form.ctCheck1[i].checked);
  EXPECT_EQ(form.caption, "Strain Gage Calibration");
  EXPECT_EQ(form.Frame3D1.caption, "Channel Status");
  EXPECT_EQ(form.cboFIlter.items,
            (std::vector<std::string>{"ByPass", "On, optional gain X1", "On, standard gain X2"}));
  EXPECT_EQ(form.cboCoupling.items, (std::vector<std::string>{"DC", "AC"}));
  ASSERT_EQ(form.cboChannel.items.size(), 16u);
  EXPECT_EQ(form.cboChannel.items[0], "Channel 0");
  EXPECT_EQ(form.cboChannel.items[15], "Channel 15");
  EXPECT_EQ(form.cboChannel.listIndex, 0);
}

TEST_F(MainFormTest, LoadBuildsEverythingBeforeTheDeviceSelection) {
  config.Channels[31].Excitation = 3.0f;  // the last channel the start resets
  config.Channels[32].Excitation = 3.0f;  // beyond them
  bool selectionShown = false;
  windows.OnShow(WindowId::frmIfcSel, [&] {
    selectionShown = true;
    EXPECT_NE(session.AcqObject, nullptr);
    EXPECT_TRUE(session.UnsignedCountsToVolts && session.SignedCountsToVolts);
    EXPECT_EQ(acq.prepares, 1);
    EXPECT_EQ(config.GridRowCount, 16);
    EXPECT_EQ(session.preCal.txtExcite.text, "10");
    EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  });
  form.LoadMain();

  EXPECT_TRUE(selectionShown);
  EXPECT_EQ(windows.Shown(), std::vector<WindowId>{WindowId::frmIfcSel});
  EXPECT_EQ(session.GageScanList.flags, (std::array<std::int32_t, 4>{2, 2, 2, 2}));
  EXPECT_FLOAT_EQ(config.Channels[31].Excitation, 10.0f);
  EXPECT_FLOAT_EQ(config.Channels[32].Excitation, 3.0f);
  EXPECT_EQ(config.CurrentChannel, 16);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
  EXPECT_GE(pointer.HourglassCount(), 3);
  EXPECT_FALSE(form.closeRequested);
  EXPECT_TRUE(boxes.Shown().empty());
}

struct DeviceCase {
  const char* name;
  std::int32_t type;
  std::int32_t subType;
  bool cmdOkEnabled;
};
std::ostream& operator<<(std::ostream& os, const DeviceCase& c) {
  return os << c.name;
}

class StartDeviceTest : public MainFormTest, public ::testing::WithParamInterface<DeviceCase> {};

// cboChannel starts on base channel 0, which the restricted units keep.
TEST_P(StartDeviceTest, OkButtonFollowsTheFirstBaseChannelsAvailability) {
  form.cmdOK.enabled = !GetParam().cmdOkEnabled;
  Load(MakeDevice(GetParam().type, GetParam().subType));
  EXPECT_EQ(form.cmdOK.enabled, GetParam().cmdOkEnabled);
}

INSTANTIATE_TEST_SUITE_P(Main, StartDeviceTest,
                         ::testing::Values(DeviceCase{"Type23Sub3", 23, 3, false},
                                           DeviceCase{"Type36", 36, 0, false},
                                           DeviceCase{"Type23Sub1", 23, 1, true},
                                           DeviceCase{"Type1", 1, 0, true}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, SelectionClosedByItsFrameWithoutDeviceRunsOnWithEveryBaseAvailable) {
  form.cmdOK.enabled = false;
  Load(std::nullopt, 0);
  EXPECT_FALSE(form.closeRequested);
  EXPECT_FALSE(form.cmdOK.enabled);  // no device: left as it was
  form.AddCardClick();               // row 1: base channel 0
  EXPECT_TRUE(form.ctCheck1[1].visible && form.cmdOK.enabled);
  EXPECT_EQ(form.cboChannel.items[0], "Channel 0");
}

struct ShutDownCase {
  const char* name;
  std::int16_t selState;
  bool exitCommand;
  bool closeThrows;
  bool waveStud;
};
std::ostream& operator<<(std::ostream& os, const ShutDownCase& c) {
  return os << c.name;
}

class ShutDownTest : public MainFormTest, public ::testing::WithParamInterface<ShutDownCase> {
 protected:
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vernium_shell_" + std::to_string(::getpid()));
  void SetUp() override {
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "sgc10.ini");
    session.scalingFileDirectory = dir;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_P(ShutDownTest, ScalingFileThenDeviceCloseReleaseAndUnloadInOrder) {
  const ShutDownCase& c = GetParam();
  Load(MakeDevice(1), c.selState);
  AddCard(3, 2);
  acq.closeThrows = c.closeThrows;
  form.WaveStud.checked = c.waveStud;
  if (c.exitCommand) form.ExitProgram();
  EXPECT_TRUE(form.closeRequested);  // the window closes itself and unloads
  EXPECT_FALSE(form.programEnded);

  form.UnloadMain();
  form.UnloadMain();  // a second close runs nothing again
  EXPECT_EQ(std::filesystem::exists(dir / "sgc10.ini"), c.waveStud);
  EXPECT_EQ(acq.closes, 1);
  EXPECT_EQ(session.AcqObject, nullptr);
  EXPECT_EQ(session.Device, nullptr);
  EXPECT_FALSE(session.UnsignedCountsToVolts || session.SignedCountsToVolts || session.SwDelay);
  EXPECT_EQ(windows.Unloaded(),
            (std::vector<WindowId>{WindowId::PreCal, WindowId::Calibrator, WindowId::CardConfig,
                                   WindowId::CardPic, WindowId::frmIfcSel}));
  EXPECT_TRUE(form.programEnded);
}

INSTANTIATE_TEST_SUITE_P(Ways, ShutDownTest,
                         ::testing::Values(ShutDownCase{"SelectionCancelled", 2, false, false,
                                                        true},
                                           ShutDownCase{"FileExit", 1, true, false, true},
                                           ShutDownCase{"DeviceCloseFails", 1, true, true, true},
                                           ShutDownCase{"OptionUnchecked", 1, true, false, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, SoftwareDelayIsMadeOnFirstUseAgainstTheSessionClock) {
  Load();
  EXPECT_FALSE(session.SwDelay.has_value());
  const long readsBefore = clock.Reads();
  clsSwDelay& delay = session.UseSwDelay();
  EXPECT_GT(clock.Reads(), readsBefore);
  EXPECT_EQ(&session.UseSwDelay(), &delay);
}

TEST_F(MainFormTest, ActivationAndKeyUpReloadTheParameterFormFromTheCurrentChannel) {
  Load();
  AddCard(2, 1);
  Click("2-0-1");
  config.Channels[49].Excitation = 7.5f;
  form.ActivateMain();
  EXPECT_EQ(session.preCal.txtExcite.text, "7.5");
  config.Channels[49].Tare = 12.5f;
  form.GridKeyUp();
  EXPECT_EQ(session.preCal.txtOffset.text, "12.5");
}

}  // namespace
}  // namespace vernium::testing
