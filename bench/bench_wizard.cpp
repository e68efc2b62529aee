// The wizard's live reading on the simulated unit, paced in real time, on
// the offscreen platform: the window stays on the offset step of an SGC50
// channel for ten seconds (after a first second that lets the window settle
// on screen) while a 5 ms timer on the user-interface thread measures how
// long the thread is ever kept from it. Prints
//   wizard_max_ui_stall_ms: N     the longest gap between two 5 ms ticks
//   wizard_readings_per_s: N      live readings shown per second
// An optional argument gives another number of seconds.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "bench_support.h"
#include "platform/message_boxes.h"
#include "wizard/ui/calibrator_window.h"

int main(int argc, char** argv) {
  vernium::bench::UseOffscreenUnlessSet();
  const double seconds = vernium::bench::SecondsToMeasure(argc, argv);
  QApplication app(argc, argv);

  vernium::SimulatedAcqLib unit;
  vernium::Session session(unit);
  vernium::Grid grid;
  if (!vernium::bench::OpenSgc50Channel(unit, session, grid, 32, "1-0-0")) return 1;
  session.GageScanList.flags.fill(vernium::kScanFlag);

  vernium::ScriptedMessageBoxes boxes;
  vernium::CalibratorState state;
  const vernium::PreCalState preCal;
  vernium::qtui::CalibratorWindow window(session, state, preCal, grid, boxes);
  window.show();
  window.form().NextClick();
  window.form().NextClick();  // the offset step: a live reading every 100 ms
  window.Redraw();

  vernium::bench::StallProbe probe;
  long readingsBefore = 0;
  QTimer::singleShot(1000, [&] {
    readingsBefore = window.form().ReadingsShown();
    probe.Start();
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QApplication::quit);
  });
  app.exec();
  const double readings = static_cast<double>(window.form().ReadingsShown() - readingsBefore);

  std::printf("wizard_max_ui_stall_ms: %lld\n", static_cast<long long>(probe.WorstGapMs()));
  std::printf("wizard_readings_per_s: %.1f\n", readings / seconds);
  return boxes.Shown().empty() ? 0 : 1;
}
