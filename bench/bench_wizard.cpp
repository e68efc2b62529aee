// The wizard's live reading on the simulated unit, paced in real time, on
// the offscreen platform: the window stays on the offset step of an SGC50
// channel for ten seconds (after a first second that lets the window settle
// on screen) while a 5 ms timer on the user-interface thread measures how
// long the thread is ever kept from it. Prints
//   wizard_max_ui_stall_ms: N     the longest gap between two 5 ms ticks
//   wizard_readings_per_s: N      live readings shown per second
//   exit_max_stall_ms: N          the longer of Exit (closing the window)
//                                 and the window's end with the program,
//                                 each while its read has stalled
// Then, in the same process on the same unit and for as long, the legacy
// design: each 100 ms tick of tmrGage takes its averaged reading on the
// window's own thread. Prints
//   legacy_max_ui_stall_ms: N     its longest gap
//   stall_ratio: N                legacy / ours
// An optional argument gives another number of seconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "acquisition/gauge_acquisition.h"
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
  auto window =
      std::make_unique<vernium::qtui::CalibratorWindow>(session, state, preCal, grid, boxes);
  window->show();
  window->form().NextClick();
  window->form().NextClick();  // the offset step: a live reading every 100 ms
  window->Redraw();

  long readingsBefore = 0;
  const qint64 ours = vernium::bench::MeasureStall(
      seconds, [] {}, [&] { readingsBefore = window->form().ReadingsShown(); }, [] {});
  const double readings = static_cast<double>(window->form().ReadingsShown() - readingsBefore);
  std::printf("wizard_max_ui_stall_ms: %lld\n", static_cast<long long>(ours));
  std::printf("wizard_readings_per_s: %.1f\n", readings / seconds);
  const bool quiet = boxes.Shown().empty();

  // Exit while the transfer in flight has stalled (it would give up after
  // 2 s), then the window going with the program.
  unit.Bench().SetTransferFault(vernium::TransferFault::Stall, 10,
                                vernium::FaultRepeat::UntilCleared);
  vernium::bench::ProcessEventsFor(300);
  QElapsedTimer held;
  held.start();
  window->close();  // "Calibration is not completed": the one message expected
  qint64 exitMs = held.elapsed();
  window->show();  // opened again, on the offset step, its read stalled too
  window->form().NextClick();
  window->form().NextClick();
  vernium::bench::ProcessEventsFor(300);
  held.restart();
  window.reset();
  exitMs = std::max(exitMs, held.elapsed());
  unit.Bench().ClearFaults();
  std::printf("exit_max_stall_ms: %lld\n", static_cast<long long>(exitMs));

  // The legacy design: the same scan list read on the window's thread.
  vernium::TraceSink trace;
  const vernium::GageScanList list = session.GageScanList;
  QTimer gage;
  QObject::connect(&gage, &QTimer::timeout, [&] {
    float count = 0.0f;
    vernium::getOneScanAveraged(unit, trace, list.channels, list.gainCodes, list.flags, 4, false,
                                count);
  });
  const qint64 legacy = vernium::bench::MeasureStall(
      seconds, [&] { gage.start(100); }, [] {}, [&] { gage.stop(); });
  vernium::bench::PrintLegacyComparison(legacy, ours);
  return quiet && boxes.Shown().size() == 1 ? 0 : 1;
}
