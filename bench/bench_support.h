#pragma once
// What the window benchmarks share: the offscreen platform, a session on the
// simulated unit paced in real time with one SGC50 channel selected as the
// main grid shows it, and a probe that measures the longest time the
// user-interface thread is kept from a 5 ms timer.

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
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

// The longest gap between two ticks of a 5 ms timer, from Start().
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

}  // namespace vernium::bench
