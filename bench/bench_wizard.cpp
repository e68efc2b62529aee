// The wizard's live reading on the simulated unit, paced in real time, on
// the offscreen platform: the window stays on the offset step of an SGC50
// channel for ten seconds (after a first second that lets the window settle
// on screen) while a 5 ms timer on the user-interface thread measures how
// long the thread is ever kept from it. Prints
//   wizard_max_ui_stall_ms: N     the longest gap between two 5 ms ticks
//   wizard_readings_per_s: N      live readings shown per second
// An optional argument gives another number of seconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "simulator/simulated_unit.h"
#include "calibration/xfer_func.h"
#include "platform/message_boxes.h"
#include "shell/session.h"
#include "wizard/ui/calibrator_window.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;
  QApplication app(argc, argv);

  vernium::SimulatedAcqLib unit;
  unit.Bench().SetPacing(vernium::Pacing::Realtime);
  if (unit.acqOpenDevice("SIM-PORTABLE") != 0) return 1;
  vernium::Session session(unit);
  session.AcqObject = &unit;
  session.Device = unit.OpenDevice();
  session.UnsignedCountsToVolts.emplace();
  session.SignedCountsToVolts.emplace();
  vernium::RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
  session.GageScanList.flags.fill(vernium::kScanFlag);
  vernium::Configuration& config = session.config;
  config.CurrentChannel = 32;
  config.Channels[32].CardType = "SGC50";
  config.Channels[32].ChannelLabel = "1-0-0";
  vernium::Grid grid;
  grid.Resize(2, 6);
  grid.Cell(1, 1) = "1-0-0";
  grid.Cell(1, 5) = "SGC50";

  vernium::ScriptedMessageBoxes boxes;
  vernium::qtui::CalibratorWindow window(session, grid, boxes);
  window.show();
  window.form().NextClick();
  window.form().NextClick();  // the offset step: a live reading every 100 ms
  window.Redraw();

  QElapsedTimer clock;
  qint64 last = -1;
  qint64 worstGap = 0;
  long readingsBefore = 0;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    if (last >= 0) worstGap = std::max(worstGap, now - last);
    last = now;
  });
  QTimer::singleShot(1000, [&] {
    readingsBefore = window.form().ReadingsShown();
    clock.start();
    probe.start(5);
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QApplication::quit);
  });
  app.exec();
  const double readings = static_cast<double>(window.form().ReadingsShown() - readingsBefore);

  std::printf("wizard_max_ui_stall_ms: %lld\n", static_cast<long long>(worstGap));
  std::printf("wizard_readings_per_s: %.1f\n", readings / seconds);
  return boxes.Shown().empty() ? 0 : 1;
}
