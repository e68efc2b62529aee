#include "wizard/turn_guidance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vernium {

namespace {

// The error and the rate are read at a glance, so they carry a real minus
// sign (U+2212) rather than a hyphen, and always a sign. Millivolts to a
// tenth, or volts to a millivolt; `perSecond` for a rate.
std::string Signed(double volts, bool inVolts, bool perSecond) {
  const double value = inVolts ? volts : volts * 1000.0;
  char digits[32];
  std::snprintf(digits, sizeof digits, inVolts ? "%.3f %s%s" : "%.1f %s%s", std::fabs(value),
                inVolts ? "V" : "mV", perSecond ? "/s" : "");
  // A value that rounds to zero shows without a sign.
  if (std::strtod(digits, nullptr) == 0.0) return digits;
  return std::string(value < 0 ? "\xE2\x88\x92" : "+") + digits;
}

std::string WayText(TurnWay way, TurnSense sense) {
  if (way == TurnWay::OnTarget) return "On target";
  const bool raise = way == TurnWay::Raise;
  std::string text = raise ? "raise the reading" : "lower the reading";
  if (sense == TurnSense::Unknown) return text;
  const bool clockwise = raise == (sense == TurnSense::ClockwiseRaises);
  return text + (clockwise ? ": turn clockwise" : ": turn counter-clockwise");
}

bool OnTarget(double volts, double target) {
  // The tolerance allows for the reading being a float made double.
  return std::fabs(volts - target) <= kOnTargetVolts + 1e-7;
}

}  // namespace

void TurnGuidance::Reset() {
  trend_.clear();
  onTargetSince_.reset();
}

void TurnGuidance::Add(double seconds, double volts, double target, bool railed) {
  if (!trend_.empty() && (seconds < trend_.back().seconds || target != target_)) Reset();
  target_ = target;
  lastRailed_ = railed;
  trend_.push_back({seconds, volts});
  while (trend_.front().seconds < seconds - kTrendSeconds) trend_.pop_front();
  if (!OnTarget(volts, target)) {
    onTargetSince_.reset();
  } else if (!onTargetSince_) {
    onTargetSince_ = seconds;
  }
}

TurnAdvice TurnGuidance::Advice(const TurnedTrimpot& trimpot) const {
  TurnAdvice advice;
  if (trend_.empty()) return advice;
  const TrendSample& last = trend_.back();
  advice.shown = true;
  advice.errorVolts = last.volts - target_;
  advice.errorText = Signed(advice.errorVolts, trimpot.errorInVolts, false);
  if (OnTarget(last.volts, target_)) {
    advice.way = TurnWay::OnTarget;
  } else if (lastRailed_) {
    // Whatever the target, the reading has to come off the rail first.
    advice.railed = true;
    advice.way = last.volts > 0 ? TurnWay::Lower : TurnWay::Raise;
  } else {
    advice.way = advice.errorVolts < 0 ? TurnWay::Raise : TurnWay::Lower;
  }
  advice.wayText = WayText(advice.way, trimpot.sense);
  advice.steady = onTargetSince_ && last.seconds - *onTargetSince_ >= kSteadySeconds - 1e-9;
  advice.settleText = advice.railed   ? "On the rail"
                      : advice.steady ? "Steady"
                      : HeldStill()   ? "Steady, off target"
                                      : "Settling";

  // The least-squares slope of the readings of the last second.
  double n = 0, st = 0, sv = 0, stt = 0, stv = 0;
  for (auto it = trend_.rbegin(); it != trend_.rend(); ++it) {
    if (it->seconds < last.seconds - kSteadySeconds - 1e-9) break;
    const double t = it->seconds - last.seconds;
    n += 1;
    st += t;
    sv += it->volts;
    stt += t * t;
    stv += t * it->volts;
  }
  const double spread = n * stt - st * st;
  if (n >= 2 && spread > 1e-12) {
    advice.voltsPerSecond = (n * stv - st * sv) / spread;
    advice.rateText = Signed(*advice.voltsPerSecond, trimpot.errorInVolts, true);
  }
  return advice;
}

bool TurnGuidance::HeldStill() const {
  // Every reading of the last second, and the one shown when that second
  // began, within half a millivolt of the last.
  const TrendSample& last = trend_.back();
  for (auto it = trend_.rbegin(); it != trend_.rend(); ++it) {
    if (std::fabs(it->volts - last.volts) > kOnTargetVolts + 1e-7) return false;
    if (it->seconds <= last.seconds - kSteadySeconds + 1e-9) return true;
  }
  return false;  // less than a second of readings
}

std::pair<double, double> TurnGuidance::TrendRange() const {
  double half = kTrendMinHalfSpanVolts;
  for (const TrendSample& s : trend_) half = std::max(half, std::fabs(s.volts - target_) * 1.1);
  return {target_ - half, target_ + half};
}

}  // namespace vernium
