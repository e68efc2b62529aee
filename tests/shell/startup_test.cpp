// Start-up, File New and shut-down of the main window.
#include <unistd.h>

#include <filesystem>

#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, LoadBuildsEverythingBeforeTheDeviceSelection) {
  config.Channels[31].Excitation = 3.0f;  // the last channel the start resets
  config.Channels[32].Excitation = 3.0f;  // beyond them
  bool selectionShown = false;
  windows.OnShow(WindowId::frmIfcSel, [&] {
    selectionShown = true;
    EXPECT_TRUE(session.AcqObject && session.UnsignedCountsToVolts && session.SignedCountsToVolts);
    EXPECT_EQ(acq.prepares, 1);
    EXPECT_EQ(config.GridRowCount, 16);
    EXPECT_EQ(preCal.txtExcite.text, "10");
    EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  });
  form.LoadMain();
  EXPECT_TRUE(selectionShown);
  EXPECT_EQ(session.GageScanList.flags, (std::array<std::int32_t, 4>{2, 2, 2, 2}));
  EXPECT_FLOAT_EQ(config.Channels[31].Excitation, 10.0f);
  EXPECT_FLOAT_EQ(config.Channels[32].Excitation, 3.0f);
  EXPECT_EQ(config.CurrentChannel, 16);
  EXPECT_EQ(form.grdChannel.cells[0],
            (std::vector<std::string>{"", "Channel", "Filter/Gain", "Coupling", "Calibrated",
                                      "Card Type"}));
  EXPECT_EQ(form.grdChannel.cells[1],
            (std::vector<std::string>{"", "0", "Bypass", "DC", "No", "No Card"}));
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
  EXPECT_GE(pointer.HourglassCount(), 3);
  EXPECT_FALSE(form.closeRequested);
  // The software delay times itself against the session's clock on first use.
  EXPECT_FALSE(session.SwDelay.has_value());
  const long readsBefore = clock.Reads();
  clsSwDelay& delay = session.UseSwDelay();
  EXPECT_GT(clock.Reads(), readsBefore);
  EXPECT_EQ(&session.UseSwDelay(), &delay);
}

class ShutDownTest : public MainFormTest,
                     public ::testing::WithParamInterface<std::tuple<int, bool, bool, bool>> {
 protected:
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vernium_shell_" + std::to_string(::getpid()));
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    session.scalingFileDirectory = dir;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_P(ShutDownTest, ScalingFileThenDeviceCloseReleaseAndUnloadInOrder) {
  const auto [selState, exitCommand, closeThrows, waveStud] = GetParam();
  Load(MakeDevice(1), static_cast<std::int16_t>(selState));
  AddCard(3, 2);
  acq.closeThrows = closeThrows;
  form.WaveStud.checked = waveStud;
  if (exitCommand) form.ExitProgram();
  EXPECT_TRUE(form.closeRequested);  // the window closes itself and unloads
  EXPECT_FALSE(form.programEnded);

  EXPECT_FALSE(std::filesystem::exists(dir / "sgc10.ini"));
  form.UnloadMain();
  form.UnloadMain();  // a second close runs nothing again
  EXPECT_EQ(std::filesystem::exists(dir / "sgc10.ini"), waveStud);
  EXPECT_EQ(acq.closes, 1);
  EXPECT_EQ(session.AcqObject, nullptr);
  EXPECT_EQ(session.Device, nullptr);
  EXPECT_FALSE(session.UnsignedCountsToVolts || session.SignedCountsToVolts || session.SwDelay);
  EXPECT_EQ(windows.Unloaded(),
            (std::vector<WindowId>{WindowId::PreCal, WindowId::Calibrator, WindowId::CardConfig,
                                   WindowId::CardPic, WindowId::frmExpert, WindowId::frmVerify,
                                   WindowId::frmIfcSel, WindowId::Bench}));
  EXPECT_TRUE(form.programEnded);
}

// selection cancelled; File Exit; the device's close failing; option unchecked
INSTANTIATE_TEST_SUITE_P(Ways, ShutDownTest,
                         ::testing::Values(std::tuple{2, false, false, true},
                                           std::tuple{1, true, false, true},
                                           std::tuple{1, true, true, true},
                                           std::tuple{1, true, false, false}));

// The rest (the window's grid emptied, no question): cards.scn.
TEST_F(MainFormTest, FileNewKeepsTheDeviceAndTheRecordsParametersAndClosesThePanel) {
  Load(MakeDevice(36));
  AddCard(9, 2);
  const int chan = ChannelFromLabel("9-0-2", kSGC50);
  MarkCalibrated("9-0-2");
  config.Channels[chan].Excitation = 5.0f;
  form.RemoveCardClick();  // leave the panel open
  const auto device = session.Device;
  form.NewConfiguration();
  EXPECT_EQ(windows.Shown(), std::vector<WindowId>{WindowId::frmIfcSel});
  EXPECT_EQ(session.Device, device);
  EXPECT_EQ(acq.prepares, 2);
  EXPECT_FALSE(IsTrue(config.Reinitializing));
  EXPECT_EQ(config.Channels[chan].CardType + config.Channels[chan].Calibrated, "No CardNo");
  EXPECT_FLOAT_EQ(config.Channels[chan].Excitation, 5.0f);  // no start-up reset again
  EXPECT_EQ(form.cboChannel.items.size() + form.cboFIlter.items.size(), 16u + 3u);
  EXPECT_EQ(form.cboCoupling.items.size(), 2u);
  EXPECT_FALSE(form.cboChannel.visible || form.lblAddOrDel.visible || form.cmdRemoveCard.enabled ||
               form.cmdViewCard.enabled || form.CmdCalibrate.enabled);
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_EQ(config.CurrentRow, 1);
}

}  // namespace
}  // namespace vernium::testing
