#pragma once
// Rounding to the 32-bit floats that the records hold and the calculations
// compare in. A double beyond the float range becomes an infinity the way the
// hardware rounds it, without the undefined conversion of an out-of-range
// value.

#include <cfloat>
#include <cmath>
#include <limits>

namespace vernium {

inline float ToSingle(double value) {
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  const double magnitude = std::fabs(value);
  if (magnitude > static_cast<double>(FLT_MAX)) {
    // Half a unit in the last place above FLT_MAX rounds up to infinity.
    const double halfUlp = std::ldexp(1.0, FLT_MAX_EXP - FLT_MANT_DIG - 1);
    const float result = magnitude >= static_cast<double>(FLT_MAX) + halfUlp
                             ? std::numeric_limits<float>::infinity()
                             : FLT_MAX;
    return std::signbit(value) ? -result : result;
  }
  return static_cast<float>(value);
}

}  // namespace vernium
