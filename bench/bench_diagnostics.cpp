// The diagnostics window's continuous update on the simulated unit, paced
// in real time, at the default averaging of 100 scans, on the offscreen
// platform. The window is opened and its software delay has timed itself
// (on the window's runner, as when the technician opens it); then "Update
// Continuous" runs for a settling second and ten measured seconds, while a
// 5 ms timer on the user-interface thread measures how long the thread is
// ever kept from it. Prints
//   diag_passes_per_s: N       passes shown per second (at most 5: 0.1 s
//                              acquisition plus the 0.1 s wait)
//   diag_max_ui_stall_ms: N    the longest gap between two 5 ms ticks
//   diag_cpu_percent: N        the process's processor time over wall time
// An optional argument gives another number of seconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "diagnostics/ui/expert_window.h"
#include "calibration/precal_state.h"
#include "bench_support.h"
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
  vernium::qtui::ExpertWindow window(session, preCal, grid, boxes);
  window.show();

  vernium::bench::StallProbe probe;
  long passesBefore = 0;
  double cpuBefore = 0.0;
  double cpuSpent = 0.0;
  QTimer ready;
  QObject::connect(&ready, &QTimer::timeout, [&] {
    if (!window.form().DelayReady()) return;
    ready.stop();
    window.findChild<QPushButton*>("cmdRun")->click();
    QTimer::singleShot(1000, [&] {
      passesBefore = window.form().PassesShown();
      cpuBefore = ProcessCpuSeconds();
      probe.Start();
      QTimer::singleShot(static_cast<int>(seconds * 1000), [&] {
        cpuSpent = ProcessCpuSeconds() - cpuBefore;
        app.quit();
      });
    });
  });
  ready.start(50);
  app.exec();
  const double wall = probe.ElapsedSeconds();
  const double passes = static_cast<double>(window.form().PassesShown() - passesBefore);

  std::printf("diag_passes_per_s: %.2f\n", passes / seconds);
  std::printf("diag_max_ui_stall_ms: %lld\n", static_cast<long long>(probe.WorstGapMs()));
  std::printf("diag_cpu_percent: %.1f\n", wall > 0.0 ? cpuSpent / wall * 100.0 : 0.0);
  window.findChild<QPushButton*>("cmdExit")->click();
  return boxes.Shown().empty() ? 0 : 1;
}
