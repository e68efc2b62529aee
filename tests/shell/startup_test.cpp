// Start-up, activation and shut-down of the main window, and the controls'
// state when it is first shown.
#include <filesystem>
#include <fstream>

#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

// ---- design state of the buttons and labels ----

struct ButtonCase {
  const char* name;
  Button MainForm::*member;
  const char* caption;
  bool visible;
  bool enabled;
};
std::ostream& operator<<(std::ostream& os, const ButtonCase& c) { return os << c.name; }

class ButtonStateTest : public MainFormTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonStateTest, CaptionAndStateWhenFirstShown) {
  const ButtonCase& c = GetParam();
  Load();
  const Button& button = form.*c.member;
  EXPECT_EQ(button.caption, c.caption);
  EXPECT_EQ(button.visible, c.visible);
  if (c.visible) {
    EXPECT_EQ(button.enabled, c.enabled);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Main, ButtonStateTest,
    ::testing::Values(ButtonCase{"cmdAddCard", &MainForm::cmdAddCard, "&AddCard", true, true},
                      ButtonCase{"cmdRemoveCard", &MainForm::cmdRemoveCard, "&Remove Card", true,
                                 false},
                      ButtonCase{"cmdViewCard", &MainForm::cmdViewCard, "&ViewCard", true, false},
                      ButtonCase{"CmdCalibrate", &MainForm::CmdCalibrate, "&Calibrate", true,
                                 false},
                      ButtonCase{"cmdOK", &MainForm::cmdOK, "&Ok", false, true},
                      ButtonCase{"cmdCancel", &MainForm::cmdCancel, "&Cancel", false, true}),
    [](const auto& p) { return std::string(p.param.name); });

struct LabelCase {
  const char* name;
  Label MainForm::*member;
  const char* caption;
};
std::ostream& operator<<(std::ostream& os, const LabelCase& c) { return os << c.name; }

class LabelStateTest : public MainFormTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(LabelStateTest, CaptionAndHiddenWhenFirstShown) {
  Load();
  const Label& label = form.*GetParam().member;
  EXPECT_EQ(label.caption, GetParam().caption);
  EXPECT_FALSE(label.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Main, LabelStateTest,
    ::testing::Values(LabelCase{"lblAddOrDel", &MainForm::lblAddOrDel, "Add Card To Base"},
                      LabelCase{"lblInfo00", &MainForm::lblInfo00, "Channel is Unavailable"},
                      LabelCase{"lblDCACcoupling", &MainForm::lblDCACcoupling, "Coupling"},
                      LabelCase{"lblFilterOption", &MainForm::lblFilterOption, "Filter / Gain"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, WindowFrameListsAndCheckBoxesWhenFirstShown) {
  Load();
  EXPECT_EQ(form.caption, "Strain Gage Calibration");
  EXPECT_EQ(form.Frame3D1.caption, "Channel Status");
  EXPECT_EQ(form.cboFIlter.items,
            (std::vector<std::string>{"ByPass", "On, optional gain X1", "On, standard gain X2"}));
  EXPECT_EQ(form.cboCoupling.items, (std::vector<std::string>{"DC", "AC"}));
  std::vector<std::string> channels;
  for (int b = 0; b < 16; ++b) channels.push_back("Channel " + std::to_string(b));
  EXPECT_EQ(form.cboChannel.items, channels);
  EXPECT_EQ(form.cboChannel.listIndex, 0);
  for (const ComboBox* list : {&form.cboChannel, &form.cboCoupling, &form.cboFIlter}) {
    EXPECT_FALSE(list->visible);
  }
  const char* boxCaptions[] = {"", "SGC10", "SGC50", "SGC50A", "SGC50B"};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(form.ctCheck1[static_cast<std::size_t>(i)].caption, boxCaptions[i]);
    EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].visible);
    EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].checked);
  }
}

// ---- the load sequence ----

TEST_F(MainFormTest, LoadPreparesTheLibraryAndBuildsEverythingBeforeTheDeviceSelection) {
  config.Channels[20].Excitation = 3.0f;  // among the channels the start resets
  config.Channels[40].Excitation = 3.0f;  // beyond them
  bool checkedAtSelection = false;
  windows.OnShow(WindowId::frmIfcSel, [&] {
    checkedAtSelection = true;
    EXPECT_NE(session.AcqObject, nullptr);
    EXPECT_TRUE(session.UnsignedCountsToVolts.has_value());
    EXPECT_TRUE(session.SignedCountsToVolts.has_value());
    EXPECT_EQ(form.grdChannel.Rows(), 17);
    EXPECT_EQ(config.GridRowCount, 16);
    EXPECT_EQ(pointer.Get(), PointerShape::Normal);
    session.Device = std::make_shared<const AcqDevice>(MakeDevice(1));
    session.DeviceSelState = 1;
  });
  form.LoadMain();

  EXPECT_TRUE(checkedAtSelection);
  EXPECT_EQ(windows.Shown(), std::vector<WindowId>{WindowId::frmIfcSel});
  EXPECT_EQ(acq.prepares, 1);
  EXPECT_EQ(acq.lastPrepareMode, 3);
  EXPECT_EQ(acq.lastPrepareOption, 0);
  EXPECT_EQ(session.GageScanList.flags, (std::array<std::int32_t, 4>{2, 2, 2, 2}));
  EXPECT_FLOAT_EQ(config.Channels[20].Excitation, 10.0f);
  EXPECT_FLOAT_EQ(config.Channels[40].Excitation, 3.0f);
  EXPECT_EQ(config.CurrentChannel, 16);
  EXPECT_EQ(config.CurrentRow, 1);
  EXPECT_EQ(config.CurrentCol, 1);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
  EXPECT_EQ(session.preCal.txtExcite.text, "10");
  EXPECT_EQ(session.preCal.txtSense.text, "2");
  EXPECT_EQ(session.preCal.txtUnits.text, "Pounds");
  EXPECT_GE(pointer.HourglassCount(), 3);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  EXPECT_FALSE(form.closeRequested);
  EXPECT_TRUE(boxes.Shown().empty());
}

struct DeviceCase {
  const char* name;
  std::int32_t type;
  std::int32_t subType;
  bool cmdOkEnabled;
};
std::ostream& operator<<(std::ostream& os, const DeviceCase& c) { return os << c.name; }

class StartDeviceTest : public MainFormTest, public ::testing::WithParamInterface<DeviceCase> {};

// cboChannel starts on base channel 0, which the restricted units keep.
TEST_P(StartDeviceTest, OkButtonFollowsTheFirstBaseChannelsAvailability) {
  form.cmdOK.enabled = !GetParam().cmdOkEnabled;
  Load(MakeDevice(GetParam().type, GetParam().subType));
  EXPECT_EQ(form.cmdOK.enabled, GetParam().cmdOkEnabled);
  EXPECT_FALSE(form.cmdOK.visible);
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
  EXPECT_FALSE(form.cmdOK.enabled);  // no device: step 13 leaves it
  form.AddCardClick();               // row 1: base channel 0
  EXPECT_TRUE(form.ctCheck1[1].visible);
  EXPECT_TRUE(form.cmdOK.enabled);
  EXPECT_FALSE(form.lblInfo00.visible);
  EXPECT_EQ(form.cboChannel.items[0], "Channel 0");
}

TEST_F(MainFormTest, SelectionClosedByItsFrameKeepsTheDeviceLastClicked) {
  Load(MakeDevice(36), 0);
  EXPECT_FALSE(form.closeRequested);
  ASSERT_NE(session.Device, nullptr);
  EXPECT_FALSE(form.cmdOK.enabled);
}

class ShutDownTest : public MainFormTest {
 protected:
  std::filesystem::path dir;
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("vernium_shell_" + std::string(::testing::UnitTest::GetInstance()
                                              ->current_test_info()
                                              ->name()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    session.scalingFileDirectory = dir;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  bool ScalingFileWritten() const { return std::filesystem::exists(dir / "sgc10.ini"); }
};

TEST_F(ShutDownTest, CancelledDeviceSelectionClosesTheWindowAndShutsDownRegularly) {
  Load(MakeDevice(1), 2);
  EXPECT_TRUE(form.closeRequested);
  form.UnloadMain();
  EXPECT_TRUE(ScalingFileWritten());
  EXPECT_EQ(acq.closes, 1);
  EXPECT_TRUE(form.programEnded);
}

TEST_F(ShutDownTest, UnloadWritesScalingFileClosesDeviceReleasesAndUnloadsInOrder) {
  Load();
  AddCard(3, 2);
  form.ExitProgram();
  EXPECT_TRUE(form.closeRequested);
  EXPECT_FALSE(form.programEnded);
  EXPECT_FALSE(ScalingFileWritten());

  form.UnloadMain();
  EXPECT_TRUE(ScalingFileWritten());
  EXPECT_EQ(acq.closes, 1);
  EXPECT_EQ(session.AcqObject, nullptr);
  EXPECT_EQ(session.Device, nullptr);
  EXPECT_FALSE(session.UnsignedCountsToVolts.has_value());
  EXPECT_FALSE(session.SignedCountsToVolts.has_value());
  EXPECT_FALSE(session.SwDelay.has_value());
  EXPECT_EQ(windows.Unloaded(),
            (std::vector<WindowId>{WindowId::PreCal, WindowId::Calibrator, WindowId::CardConfig,
                                   WindowId::CardPic, WindowId::frmIfcSel}));
  EXPECT_TRUE(form.programEnded);

  form.UnloadMain();  // the window's close after File Exit runs it once only
  EXPECT_EQ(acq.closes, 1);
}

TEST_F(ShutDownTest, FailingDeviceCloseDoesNotStopTheShutDown) {
  Load();
  acq.closeThrows = true;
  form.UnloadMain();
  EXPECT_EQ(windows.Unloaded().size(), 5u);
  EXPECT_EQ(session.AcqObject, nullptr);
  EXPECT_TRUE(form.programEnded);
}

TEST_F(ShutDownTest, NoScalingFileWhenTheOptionIsNotChecked) {
  Load();
  form.WaveStud.checked = false;
  form.UnloadMain();
  EXPECT_FALSE(ScalingFileWritten());
  EXPECT_TRUE(form.programEnded);
}

TEST_F(MainFormTest, SoftwareDelayIsMadeOnFirstUseAgainstTheSessionClock) {
  Load();
  EXPECT_FALSE(session.SwDelay.has_value());
  const long readsBefore = clock.Reads();
  clsSwDelay& delay = session.UseSwDelay();
  EXPECT_GT(clock.Reads(), readsBefore);
  EXPECT_EQ(&session.UseSwDelay(), &delay);
}

TEST_F(MainFormTest, ActivationReloadsTheParameterFormFromTheCurrentChannel) {
  Load();
  AddCard(2, 1);
  Click("2-0-1");
  config.Channels[49].Excitation = 7.5f;
  session.preCal.txtExcite.text = "stale";
  form.ActivateMain();
  EXPECT_EQ(session.preCal.txtExcite.text, "7.5");
}

}  // namespace
}  // namespace vernium::testing
