#include "calibration/xfer_func.h"

#include <cmath>

#include "calibration/arithmetic_fault.h"

// Faults. The conversions throw ArithmeticFault when a slope they divide by
// is zero or when any step gives an infinite or undefined value, so callers
// never see an infinity or NaN. The setters store the value written and then
// recompute; a recomputation that would divide by a zero span or give a
// value that is not finite leaves what it would have written as it was.

namespace vernium {
namespace {

// Nearest whole number, ties to the even one (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double diff = value - lower;
  if (diff < 0.5) return lower;
  if (diff > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double Checked(double value, const char* what) {
  if (!std::isfinite(value)) throw ArithmeticFault(std::string("overflow in ") + what);
  return value;
}

double Divide(double numerator, double divisor, const char* what) {
  if (divisor == 0.0) throw ArithmeticFault(std::string("division by zero in ") + what);
  return Checked(numerator / divisor, what);
}

bool AllFinite(double a, double b) {
  return std::isfinite(a) && std::isfinite(b);
}

}  // namespace

clsXferFunc::clsXferFunc() {
  TransferMapFromRanges();
  userM_ = 1.0;
  userB_ = 0.0;
}

double clsXferFunc::y(double x) const {
  const double volts = Checked(x * xferM_ + xferB_, "y");
  return Checked(volts * userM_ + userB_, "y");
}

double clsXferFunc::x(double y) const {
  const double volts = Divide(Checked(y - userB_, "x"), userM_, "x");
  return Divide(Checked(volts - xferB_, "x"), xferM_, "x");
}

double clsXferFunc::yo(double x) const {
  return Checked(x * xferM_ + xferB_, "yo");
}

double clsXferFunc::xo(double y) const {
  return Divide(Checked(y - xferB_, "xo"), xferM_, "xo");
}

double clsXferFunc::you(double x) const {
  return Checked(x * userM_ + userB_, "you");
}

double clsXferFunc::xuo(double y) const {
  return Divide(Checked(y - userB_, "xuo"), userM_, "xuo");
}

void clsXferFunc::SetInputRangeLo(double value) {
  inputRangeLo_ = value;
  TransferMapFromRanges();
}

void clsXferFunc::SetInputRangeHi(double value) {
  inputRangeHi_ = value;
  TransferMapFromRanges();
}

void clsXferFunc::SetOutputRangeLo(double value) {
  outputRangeLo_ = value;
  TransferMapFromRanges();
  UserRangeFromMaps();
}

void clsXferFunc::SetOutputRangeHi(double value) {
  outputRangeHi_ = value;
  TransferMapFromRanges();
  UserRangeFromMaps();
}

void clsXferFunc::SetXferB(double value) {
  xferB_ = value;
  OutputRangeFromTransferMap();
  UserRangeFromMaps();
}

void clsXferFunc::SetXferM(double value) {
  xferM_ = value;
  OutputRangeFromTransferMap();
  UserRangeFromMaps();
}

void clsXferFunc::SetUserRangeLo(double value) {
  userRangeLo_ = value;
  UserMapFromRanges();
}

void clsXferFunc::SetUserRangeHi(double value) {
  userRangeHi_ = value;
  UserMapFromRanges();
}

void clsXferFunc::SetUserB(double value) {
  userB_ = value;
  UserRangeFromMaps();
}

void clsXferFunc::SetUserM(double value) {
  userM_ = value;
  UserRangeFromMaps();
}

// The span of the input is rounded to whole counts before it divides, so a
// map from ranges is exact only for whole-number spans. A reversed output
// range changes nothing.
void clsXferFunc::TransferMapFromRanges() {
  const double outputSpan = outputRangeHi_ - outputRangeLo_;
  if (outputSpan < 0.0) return;
  const double n = RoundHalfEven(inputRangeHi_ - inputRangeLo_);
  if (n == 0.0 || !std::isfinite(n)) return;
  const double m = outputSpan / n;
  const double b = outputRangeLo_ - m * inputRangeLo_;
  if (!AllFinite(m, b)) return;
  xferM_ = m;
  xferB_ = b;
}

// The user map divides the user span by the rounded output span.
void clsXferFunc::UserMapFromRanges() {
  const double userSpan = userRangeHi_ - userRangeLo_;
  if (userSpan < 0.0) return;
  const double n = RoundHalfEven(outputRangeHi_ - outputRangeLo_);
  if (n == 0.0 || !std::isfinite(n)) return;
  const double m = userSpan / n;
  const double b = userRangeLo_ - m * outputRangeLo_;
  if (!AllFinite(m, b)) return;
  userM_ = m;
  userB_ = b;
}

void clsXferFunc::OutputRangeFromTransferMap() {
  const double hi = inputRangeHi_ * xferM_ + xferB_;
  const double lo = inputRangeLo_ * xferM_ + xferB_;
  if (!AllFinite(hi, lo)) return;
  outputRangeHi_ = hi;
  outputRangeLo_ = lo;
}

void clsXferFunc::UserRangeFromMaps() {
  const double hi = outputRangeHi_ * userM_ + userB_;
  const double lo = outputRangeLo_ * userM_ + userB_;
  if (!AllFinite(hi, lo)) return;
  userRangeHi_ = hi;
  userRangeLo_ = lo;
}

void RangeCountsToVolts(clsXferFunc& unsignedCountsToVolts, clsXferFunc& signedCountsToVolts) {
  unsignedCountsToVolts.SetInputRangeHi(65535.0);
  unsignedCountsToVolts.SetInputRangeLo(0.0);
  signedCountsToVolts.SetInputRangeHi(32767.0);
  signedCountsToVolts.SetInputRangeLo(-32768.0);
  unsignedCountsToVolts.SetOutputRangeHi(5.0);
  unsignedCountsToVolts.SetOutputRangeLo(-5.0);
  signedCountsToVolts.SetOutputRangeHi(5.0);
  signedCountsToVolts.SetOutputRangeLo(-5.0);
}

}  // namespace vernium
