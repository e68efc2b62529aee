#pragma once
// Guidance while a trimpot is turned against the live reading. A 25-turn
// trimpot read on a 3-decimal display does not tell the technician how far
// off they are, which way to go, or when the reading has settled; this
// does, from the readings as they arrive:
//   - the error, reading - target, in millivolts with its sign, and the way
//     to go ("raise the reading", "lower the reading");
//   - "On target" while the reading lies within half a millivolt of the
//     target (the display's resolution; the target carries the half-digit);
//   - "Steady" once every reading of the last second has stayed on target,
//     the moment to press Next; "Steady, off target" when the readings of
//     the last second have held within half a millivolt of one another away
//     from it (the trimpot left short of the target); "Settling" otherwise;
//   - the rate of change over the last second, so that a reading still
//     drifting after a turn shows;
//   - the readings of the last 20 s for a trend plot.

#include <deque>
#include <optional>
#include <string>
#include <utility>

namespace vernium {

inline constexpr double kOnTargetVolts = 0.0005;
inline constexpr double kSteadySeconds = 1.0;
inline constexpr double kTrendSeconds = 20.0;
// The trend plot spans at least this much around the target, so that the
// noise of a reading on target does not fill the plot.
inline constexpr double kTrendMinHalfSpanVolts = 0.005;

enum class TurnWay { Raise, Lower, OnTarget };

struct TrendSample {
  double seconds = 0.0;
  double volts = 0.0;
};

// What the guidance panel shows. Texts are empty while it shows nothing.
struct TurnAdvice {
  bool shown = false;
  double errorVolts = 0.0;
  TurnWay way = TurnWay::OnTarget;
  bool steady = false;
  std::optional<double> voltsPerSecond;
  std::string errorText;   // "\u221212.4 mV", "+0.3 mV"
  std::string wayText;     // "raise the reading", "lower the reading", "On target"
  std::string settleText;  // "Steady", "Steady, off target", "Settling"
  std::string rateText;    // "+1.2 mV/s"; empty until two readings
};

class TurnGuidance {
 public:
  // A new step: no readings, nothing shown.
  void Reset();
  // A reading shown at `seconds` (any steady clock) against the target the
  // screen shows. A clock that goes back (midnight) starts the history anew.
  void Add(double seconds, double volts, double target);

  TurnAdvice Advice() const;
  const std::deque<TrendSample>& Trend() const { return trend_; }
  double Target() const { return target_; }
  // The trend plot's vertical range: centred on the target, wide enough for
  // every reading kept, never narrower than the minimum span.
  std::pair<double, double> TrendRange() const;

 private:
  bool HeldStill() const;
  std::deque<TrendSample> trend_;
  double target_ = 0.0;
  std::optional<double> onTargetSince_;  // the first reading of the current run on target
};

}  // namespace vernium
