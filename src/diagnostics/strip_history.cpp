#include "diagnostics/strip_history.h"

#include <algorithm>

namespace vernium {

void StripHistory::Add(double seconds, const PassReadings& readings) {
  if (!points_.empty() && seconds < points_.back().seconds) points_.clear();
  points_.push_back({seconds, readings.Bridge, readings.V});
  while (points_.front().seconds < seconds - kStripSeconds) points_.pop_front();
}

std::pair<double, double> StripHistory::BridgeRange() const {
  if (points_.empty()) return {-kStripMinBridgeHalfSpan, kStripMinBridgeHalfSpan};
  const auto [low, high] = std::minmax_element(
      points_.begin(), points_.end(),
      [](const StripPoint& a, const StripPoint& b) { return a.bridge < b.bridge; });
  const double middle = (static_cast<double>(low->bridge) + high->bridge) / 2.0;
  const double half = std::max(kStripMinBridgeHalfSpan,
                               (static_cast<double>(high->bridge) - low->bridge) / 2.0 * 1.2);
  return {middle - half, middle + half};
}

}  // namespace vernium
