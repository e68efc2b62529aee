#pragma once
// Guidance while a trimpot is turned against the live reading. A 25-turn
// trimpot read on a 3-decimal display does not tell the technician how far
// off they are, which way to go, or when the reading has settled; this
// does, from the readings as they arrive:
//   - the error, reading - target, in millivolts with its sign (in volts
//     while the excitation is set: its error is a matter of volts), and the
//     way to go ("raise the reading", "lower the reading"), with the way to
//     turn the trimpot where the card's turn sense is known ("raise the
//     reading: turn clockwise");
//   - "On the rail" while the reading sits at the +-5 V limit of the input:
//     the true reading lies beyond it, so the way given is the way off the
//     rail, and nothing is said about settling;
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

#include "model/trimpot_sense.h"

namespace vernium {

inline constexpr double kOnTargetVolts = 0.0005;
inline constexpr double kSteadySeconds = 1.0;
inline constexpr double kTrendSeconds = 20.0;
// The trend plot spans at least this much around the target, so that the
// noise of a reading on target does not fill the plot.
inline constexpr double kTrendMinHalfSpanVolts = 0.005;
// Volts at the acquisition unit's input this close to 5 V, either sign, sit
// on its rail.
inline constexpr double kRailedVolts = 4.99;

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
  bool railed = false;
  std::optional<double> voltsPerSecond;
  std::string errorText;   // "\u221212.4 mV", "+0.3 mV"; "+0.123 V" in volts
  std::string wayText;     // "raise the reading: turn clockwise", "lower the reading", "On target"
  std::string settleText;  // "Steady", "Steady, off target", "Settling", "On the rail"
  std::string rateText;    // "+1.2 mV/s" ("+0.012 V/s"); empty until two readings
};

// How the advice speaks of the trimpot being turned: its turn sense on the
// card, and whether its error is told in volts rather than millivolts.
struct TurnedTrimpot {
  TurnSense sense = TurnSense::Unknown;
  bool errorInVolts = false;
};

class TurnGuidance {
 public:
  // A new step: no readings, nothing shown.
  void Reset();
  // A reading shown at `seconds` (any steady clock) against the target the
  // screen shows; `railed` when the unit's input sat on its rail for it
  // (the reading shown may be scaled from the input). A clock that goes back
  // (midnight) starts the history anew.
  void Add(double seconds, double volts, double target, bool railed = false);

  TurnAdvice Advice(const TurnedTrimpot& trimpot = {}) const;
  const std::deque<TrendSample>& Trend() const { return trend_; }
  double Target() const { return target_; }
  // The trend plot's vertical range: centred on the target, wide enough for
  // every reading kept, never narrower than the minimum span.
  std::pair<double, double> TrendRange() const;

 private:
  bool HeldStill() const;
  std::deque<TrendSample> trend_;
  double target_ = 0.0;
  bool lastRailed_ = false;
  std::optional<double> onTargetSince_;  // the first reading of the current run on target
};

}  // namespace vernium
