#pragma once
// What the window benchmarks share: the offscreen platform, a session on the
// simulated unit paced in real time with one SGC50 channel selected as the
// main grid shows it, and a probe that measures the longest time the
// user-interface thread is kept from a 5 ms timer.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calibration/xfer_func.h"
#include "platform/controls.h"
#include "session/session.h"
#include "simulator/simulated_unit.h"

namespace vernium::bench {

inline void UseOffscreenUnlessSet() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The seconds to measure: the first argument, else 10.
inline double SecondsToMeasure(int argc, char** argv) {
  return argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;
}

// `unit` opened (SIM-PORTABLE, real-time pacing) into `session`, with the
// SGC50 channel `channel` labelled `label` current and in grid row 1.
// False when the unit does not open.
inline bool OpenSgc50Channel(SimulatedAcqLib& unit, Session& session, Grid& grid, int channel,
                             const std::string& label) {
  unit.Bench().SetPacing(Pacing::Realtime);
  if (unit.acqOpenDevice("SIM-PORTABLE") != 0) return false;
  session.AcqObject = &unit;
  session.Device = unit.OpenDevice();
  session.UnsignedCountsToVolts.emplace();
  session.SignedCountsToVolts.emplace();
  RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
  Configuration& config = session.config;
  config.CurrentChannel = static_cast<std::int16_t>(channel);
  config.Channels[channel].CardType = "SGC50";
  config.Channels[channel].ChannelLabel = label;
  grid.Resize(2, 6);
  grid.Cell(1, 1) = label;
  grid.Cell(1, 5) = "SGC50";
  return true;
}

// The longest gap between two ticks of a 5 ms timer, from Start(). (The
// ticks are taken whenever the thread's events are processed, so a gap is
// the time the thread was kept from them.)
class StallProbe {
 public:
  StallProbe() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.elapsed();
      if (last_ >= 0) worst_ = std::max(worst_, now - last_);
      last_ = now;
    });
  }
  void Start() {
    clock_.start();
    timer_.start(5);
  }
  qint64 WorstGapMs() const { return worst_; }
  double ElapsedSeconds() const { return static_cast<double>(clock_.elapsed()) / 1000.0; }

 private:
  QElapsedTimer clock_;
  QTimer timer_;
  qint64 last_ = -1;
  qint64 worst_ = 0;
};

// Runs an event loop for a settling second and `seconds` measured ones:
// `start` runs first (it may itself process events until it returns, as a
// handler with a loop of its own does), `begin` when the measured seconds
// begin and `stop` at their end. Returns the probe's longest gap. (A loop
// of its own, not the application's: quitting the application would close
// its windows.)
template <typename Start, typename Begin, typename Stop>
qint64 MeasureStall(double seconds, Start&& start, Begin&& begin, Stop&& stop) {
  QEventLoop loop;
  StallProbe probe;
  QTimer::singleShot(1000, [&] {
    begin();
    probe.Start();
    QTimer::singleShot(static_cast<int>(seconds * 1000), [&] {
      stop();
      loop.quit();
    });
  });
  QTimer::singleShot(0, [&] { start(); });
  loop.exec();
  return probe.WorstGapMs();
}

// Lets the event loop run for `ms` milliseconds.
inline void ProcessEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The legacy design's figure beside ours: "legacy_max_ui_stall_ms" and the
// ratio of the two.
inline void PrintLegacyComparison(qint64 legacyMs, qint64 oursMs) {
  std::printf("legacy_max_ui_stall_ms: %lld\n", static_cast<long long>(legacyMs));
  std::printf("stall_ratio: %.1f\n",
              static_cast<double>(legacyMs) / static_cast<double>(std::max<qint64>(oursMs, 1)));
}

}  // namespace vernium::bench
