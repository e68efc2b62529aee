// The diagnostics window's continuous update on the simulated unit, paced
// in real time, at the default averaging of 100 scans, on the offscreen
// platform. "Update Continuous" is clicked when the window opens; once the
// first wait between passes has timed the software delay (on the window's
// runner), a settling second and ten measured seconds follow, while a 5 ms
// timer on the user-interface thread measures how long the thread is ever
// kept from it. Prints
//   diag_passes_per_s: N       passes shown per second (at most 5: 0.1 s
//                              acquisition plus the 0.1 s wait)
//   diag_max_ui_stall_ms: N    the longest gap between two 5 ms ticks
//   diag_cpu_percent: N        the process's processor time over wall time
//   exit_max_stall_ms: N       the longer of Exit and the window's end with
//                              the program, each during a pass of 3 s
// Then, in the same process on the same unit and for as long, the legacy
// design: the loop inside the button handler on the window's thread, one
// pass and the 100 ms delay between two chances for the window's events.
// Prints
//   legacy_max_ui_stall_ms: N  its longest gap
//   stall_ratio: N             legacy / ours
// An optional argument gives another number of seconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "acquisition/reading_pass.h"
#include "bench_support.h"
#include "calibration/precal_state.h"
#include "diagnostics/ui/expert_window.h"
#include "platform/message_boxes.h"

namespace {

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  vernium::bench::UseOffscreenUnlessSet();
  const double seconds = vernium::bench::SecondsToMeasure(argc, argv);
  QApplication app(argc, argv);

  vernium::SimulatedAcqLib unit;
  vernium::Session session(unit);
  vernium::Grid grid;
  if (!vernium::bench::OpenSgc50Channel(unit, session, grid, 34, "1-0-2")) return 1;

  vernium::ScriptedMessageBoxes boxes;
  const vernium::PreCalState preCal;
  auto window = std::make_unique<vernium::qtui::ExpertWindow>(session, preCal, grid, boxes);
  window->show();
  // Once the window has loaded; the first wait of the run makes the software
  // delay, and the measurement starts when it is ready.
  QTimer::singleShot(100, [&] { window->findChild<QPushButton*>("cmdRun")->click(); });
  QEventLoop waiting;
  QTimer ready;
  QObject::connect(&ready, &QTimer::timeout, [&] {
    if (window->form().DelayReady()) waiting.quit();
  });
  ready.start(50);
  waiting.exec();
  ready.stop();

  long passesBefore = 0;
  double cpuBefore = 0.0;
  double cpuSpent = 0.0;
  QElapsedTimer wall;
  const qint64 ours = vernium::bench::MeasureStall(
      seconds, [] {},
      [&] {
        passesBefore = window->form().PassesShown();
        cpuBefore = ProcessCpuSeconds();
        wall.start();
      },
      [&] { cpuSpent = ProcessCpuSeconds() - cpuBefore; });
  const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
  const double passes = static_cast<double>(window->form().PassesShown() - passesBefore);
  std::printf("diag_passes_per_s: %.2f\n", passes / seconds);
  std::printf("diag_max_ui_stall_ms: %lld\n", static_cast<long long>(ours));
  std::printf("diag_cpu_percent: %.1f\n", elapsed > 0.0 ? cpuSpent / elapsed * 100.0 : 0.0);

  // Exit during a pass of 3,000 scans, then the window going with the
  // program during another.
  window->findChild<QPushButton*>("cmdStop")->click();
  while (window->form().LoopActive()) vernium::bench::ProcessEventsFor(20);
  window->findChild<QLineEdit*>("txtAverage")->setText("3000");
  window->findChild<QPushButton*>("cmdRun")->click();
  vernium::bench::ProcessEventsFor(300);
  QElapsedTimer held;
  held.start();
  window->findChild<QPushButton*>("cmdExit")->click();
  qint64 exitMs = held.elapsed();
  window->show();
  window->findChild<QLineEdit*>("txtAverage")->setText("3000");
  window->findChild<QPushButton*>("cmdRun")->click();
  vernium::bench::ProcessEventsFor(300);
  held.restart();
  window.reset();
  exitMs = std::max(exitMs, held.elapsed());
  std::printf("exit_max_stall_ms: %lld\n", static_cast<long long>(exitMs));

  // The legacy design: the reading loop run by the handler itself.
  vernium::TraceSink trace;
  vernium::ReadingPass pass(vernium::ReadingPass::Context{
      unit, trace, *session.UnsignedCountsToVolts, boxes, session.SystemTime()});
  if (!pass.Start(34, "100", session.Device)) return 1;
  vernium::ReadingLoopState state;
  vernium::ReadingControls controls;
  vernium::ActualSettings actual;
  const qint64 legacy = vernium::bench::MeasureStall(
      seconds,
      [&] {
        state.Running = true;
        vernium::RunReadingLoop(
            pass, state, controls, actual, [] { QCoreApplication::processEvents(); },
            session.UseSwDelay());
      },
      [] {}, [&] { state.Running = false; });
  vernium::bench::PrintLegacyComparison(legacy, ours);
  return boxes.Shown().empty() ? 0 : 1;
}
