// The diagnostics window bound to its form, offscreen, on the simulated unit
// paced in real time: every control carries its caption, the buttons and
// the rail timer reach the form, the passes come back from the worker and
// are drawn, and Exit stops the loop.
// Pictures of the window idle, running and railed go to the build's
// screens folder.
#include "acquisition/ui/expert_window.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QTimer>
#include <set>

#include "calibration/xfer_func.h"
#include "platform/message_boxes.h"
#include "platform/ui/control_binding.h"
#include "simulator/simulated_unit.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

class ExpertWindowTest : public ::testing::Test {
 protected:
  // SGC50 channel 1-0-2 (expansion channel 34) in grid row 1.
  ExpertWindowTest() {
    unit.Bench().SetPacing(Pacing::Realtime);
    EXPECT_EQ(unit.acqOpenDevice("SIM-PORTABLE"), 0);
    session.AcqObject = &unit;
    session.Device = unit.OpenDevice();
    session.UnsignedCountsToVolts.emplace();
    session.SignedCountsToVolts.emplace();
    RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
    // Made at once (no timing against the clock): the waits only sleep.
    session.SwDelay.emplace(session.SystemTime(), 0);
    grid.Resize(2, 6);
    grid.Cell(1, 1) = "1-0-2";
    grid.Cell(1, 5) = "SGC50";
    session.config.CurrentChannel = 34;
    session.config.Channels[34].CardType = "SGC50";
    session.config.Channels[34].ChannelLabel = "1-0-2";
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  std::string Text(const char* name) { return FromQt(Find<QLabel>(name)->text()); }
  void Click(const char* name) {
    QPushButton* button = Find<QPushButton>(name);
    testing_qt::Click(button, button->rect().center());
  }
  // Runs the event loop until `done` holds, at most `ms`.
  template <typename Done>
  bool RunUntil(Done done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
  }
  void Save(const char* name) {
    const QString dir = testing_qt::PngDir();
    if (!dir.isEmpty()) window->grab().save(dir + "/" + name + ".png");
  }

  SimulatedAcqLib unit;
  Session session{unit};
  Grid grid;
  ScriptedMessageBoxes boxes;
  std::unique_ptr<ExpertWindow> window = std::make_unique<ExpertWindow>(session, grid, boxes);
};

TEST_F(ExpertWindowTest, ShowsEveryCaptionAndTheStartingReadings) {
  testing_qt::ShowAndWait(window.get());
  EXPECT_EQ(window->windowTitle(), "Diagnostics");
  const std::pair<const char*, const char*> labels[] = {
      {"lblChannelCaption", "Channel:"}, {"lblAverageCaption", "Averaging Coefficient:"},
      {"lblBypass", "Bypass"}, {"lblFilter", "Filter"}, {"lblMaximumCaption", "Maximum:"},
      {"lblMinimumCaption", "Minimum:"}, {"lblRangeCaption", "Range:"},
      {"lblBridgeCaption", "Bridge:"}, {"lblMinCaption", "Min:"}, {"lblMaxCaption", "Max:"},
      {"lblInputGainCaption", "Input Gain"}, {"lblOffsetCaption", "Offset Correction"},
      {"lblScaleGainCaption", "Scale Gain"}, {"lblGainAdjust", "\"Gain\" Adjustment"},
      {"lblOffsetAdjust", "\"Offset\" Adjustment"}, {"lblScaleAdjust", "\"Scale\" Adjustment"},
      {"lblInputRef", "Input gain with 5mV ref:"}, {"lblScaleRef", "Scale gain with 5mV ref:"},
      {"lblShortCaption", "Offset with short:"}, {"lblInputGain", "1"}, {"lblScalingGain", "1"},
      {"lblOffset", "0.0"}, {"lblCurBridge", "0.0"}, {"lblMinBridge", "0.0"},
      {"lblMaxBridge", "0.0"}, {"lblMaximum(1)", "0.0"}, {"lblRange(0)", "0.0"},
      {"lblOutVolts(0)", "0.00"}, {"lblOutVolts(3)", "0.00"}};
  for (const auto& [name, caption] : labels) EXPECT_EQ(Text(name), caption) << name;
  const std::pair<const char*, const char*> buttons[] = {{"cmdUpdate", "Update Once"},
                                                         {"cmdRun", "Update Continuous"},
                                                         {"cmdStop", "Stop"},
                                                         {"cmdReset", "Reset Max/Min"},
                                                         {"cmdExit", "Exit"}};
  for (const auto& [name, caption] : buttons) {
    EXPECT_EQ(FromQt(Find<QPushButton>(name)->text()), caption) << name;
  }
  EXPECT_EQ(FromQt(Find<QGroupBox>("fraInputRange")->title()), "Valid Input Range");
  EXPECT_EQ(FromQt(Find<QGroupBox>("fraDebug")->title()), "Intermediate Voltages");
  EXPECT_EQ(FromQt(Find<QLineEdit>("txtChannel")->text()), "1-0-2");
  EXPECT_EQ(FromQt(Find<QLineEdit>("txtAverage")->text()), "100");
  // The first tick of tmrRail replaces the design-time status.
  EXPECT_TRUE(RunUntil([&] { return Text("lblStatus") == "Idle"; }, 500));
  Save("diagnostics_idle");
}

TEST_F(ExpertWindowTest, PassesComeBackDrawnAndTheRailWarningBlinks) {
  testing_qt::ShowAndWait(window.get());
  unit.Bench().SetLoad(34, 300.0);
  Click("cmdRun");
  EXPECT_FALSE(Find<QPushButton>("cmdRun")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("txtAverage")->isEnabled());
  ASSERT_TRUE(RunUntil([&] { return Text("lblStatus") == "Running"; }));
  ASSERT_TRUE(RunUntil([&] { return window->form().PassesShown() >= 2; }));
  EXPECT_EQ(Text("lblInputGain"), window->form().state().readings.lblInputGain.caption);
  EXPECT_EQ(Text("lblOutVolts(2)"), window->form().state().readings.lblOutVolts[2].caption);
  EXPECT_NE(Text("lblInputGain"), "1");
  Save("diagnostics_running");

  unit.Bench().SetTrimpot(34, Trimpot::InputGain, 1.0);
  unit.Bench().SetLoad(34, 3000.0);
  ASSERT_TRUE(RunUntil([&] { return Text("lblStatus") == "Voltage Railed!"; }));
  // Over a few 200 ms cycles the stop picture and the clear one take turns.
  std::set<int> seen;
  RunUntil([&] {
    seen.insert(window->form().state().readings.imgRail.pictureIndex);
    return false;
  }, 450);
  EXPECT_EQ(seen, (std::set<int>{kRailPictureClear, kRailPictureStop}));
  RunUntil([&] { return window->form().state().readings.imgRail.pictureIndex == kRailPictureStop; },
           300);
  Save("diagnostics_railed");

  Click("cmdExit");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->form().loop().Running);
}

}  // namespace
}  // namespace vernium::qtui
