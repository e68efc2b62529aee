#pragma once
// The diagnostics window's strip chart: the bridge voltage and the four
// read-back voltages of each pass shown, over the last minute, so that a
// stage creeping towards a rail shows before it gets there.

#include <array>
#include <deque>
#include <utility>

#include "acquisition/reading_pass.h"

namespace vernium {

inline constexpr double kStripSeconds = 60.0;
inline constexpr double kStripMinBridgeHalfSpan = 0.001;  // volts

struct StripPoint {
  double seconds = 0.0;
  float bridge = 0.0f;        // the bridge output, referred to the input
  std::array<float, 4> V{};   // card output, point 1, point 2, point 3
};

class StripHistory {
 public:
  // A pass shown at `seconds`; a clock that went back starts anew.
  void Add(double seconds, const PassReadings& readings);
  void Clear() { points_.clear(); }
  const std::deque<StripPoint>& Points() const { return points_; }
  // The bridge pane's range: around the readings, at least +-1 mV wide.
  std::pair<double, double> BridgeRange() const;

 private:
  std::deque<StripPoint> points_;
};

}  // namespace vernium
