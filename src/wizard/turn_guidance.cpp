#include "wizard/turn_guidance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vernium {

namespace {

// The error and the rate are read at a glance, so they carry a real minus
// sign (U+2212) rather than a hyphen, and always a sign.
std::string SignedMillivolts(double volts, const char* unit) {
  const double mv = volts * 1000.0;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.1f %s", std::fabs(mv), unit);
  // A value that rounds to zero shows without a sign.
  if (std::string(digits).rfind("0.0 ", 0) == 0) return digits;
  return std::string(mv < 0 ? "\xE2\x88\x92" : "+") + digits;
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

void TurnGuidance::Add(double seconds, double volts, double target) {
  if (!trend_.empty() && (seconds < trend_.back().seconds || target != target_)) Reset();
  target_ = target;
  trend_.push_back({seconds, volts});
  while (trend_.front().seconds < seconds - kTrendSeconds) trend_.pop_front();
  if (!OnTarget(volts, target)) {
    onTargetSince_.reset();
  } else if (!onTargetSince_) {
    onTargetSince_ = seconds;
  }
}

TurnAdvice TurnGuidance::Advice() const {
  TurnAdvice advice;
  if (trend_.empty()) return advice;
  const TrendSample& last = trend_.back();
  advice.shown = true;
  advice.errorVolts = last.volts - target_;
  advice.errorText = SignedMillivolts(advice.errorVolts, "mV");
  if (OnTarget(last.volts, target_)) {
    advice.way = TurnWay::OnTarget;
    advice.wayText = "On target";
  } else {
    advice.way = advice.errorVolts < 0 ? TurnWay::Raise : TurnWay::Lower;
    advice.wayText = advice.way == TurnWay::Raise ? "raise the reading" : "lower the reading";
  }
  advice.steady = onTargetSince_ && last.seconds - *onTargetSince_ >= kSteadySeconds - 1e-9;
  advice.settleText = advice.steady ? "Steady" : HeldStill() ? "Steady, off target" : "Settling";

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
    advice.rateText = SignedMillivolts(*advice.voltsPerSecond, "mV/s");
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
