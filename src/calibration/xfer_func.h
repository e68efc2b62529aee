#pragma once
// clsXferFunc: two chained straight-line maps. The transfer map takes a raw
// reading of the acquisition unit (input, counts) to volts at the unit's
// input (output); the user map takes those volts to the user's units. Each
// map is given either by its two ranges or by slope and intercept; writing
// one form recomputes the other.

#include <string>
#include <utility>

namespace vernium {

class clsXferFunc {
 public:
  // Input 0..1, output 0..1, hence slope 1 and intercept 0 for both maps;
  // the user range starts at 0..0.
  clsXferFunc();

  // The six conversions. Each throws ArithmeticFault on a zero slope in a
  // division, an overflow or an undefined result.
  double y(double x) const;    // user value of raw x
  double x(double y) const;    // raw value of user value y
  double yo(double x) const;   // output (volts) of raw x
  double xo(double y) const;   // raw value of output y
  double you(double x) const;  // user value of output x
  double xuo(double y) const;  // output of user value y

  // Properties. A setter stores the value and then recomputes what depends
  // on it; setters never throw (see xfer_func.cpp for the fault rules).
  double InputRangeLo() const { return inputRangeLo_; }
  void SetInputRangeLo(double value);
  double InputRangeHi() const { return inputRangeHi_; }
  void SetInputRangeHi(double value);
  const std::string& InputUnits() const { return inputUnits_; }
  void SetInputUnits(std::string value) { inputUnits_ = std::move(value); }
  double OutputRangeLo() const { return outputRangeLo_; }
  void SetOutputRangeLo(double value);
  double OutputRangeHi() const { return outputRangeHi_; }
  void SetOutputRangeHi(double value);
  const std::string& OutputUnits() const { return outputUnits_; }
  void SetOutputUnits(std::string value) { outputUnits_ = std::move(value); }
  double XferB() const { return xferB_; }
  void SetXferB(double value);
  double XferM() const { return xferM_; }
  void SetXferM(double value);
  double UserRangeLo() const { return userRangeLo_; }
  void SetUserRangeLo(double value);
  double UserRangeHi() const { return userRangeHi_; }
  void SetUserRangeHi(double value);
  double UserB() const { return userB_; }
  void SetUserB(double value);
  double UserM() const { return userM_; }
  void SetUserM(double value);
  const std::string& UserUnits() const { return userUnits_; }
  void SetUserUnits(std::string value) { userUnits_ = std::move(value); }

 private:
  void TransferMapFromRanges();
  void UserMapFromRanges();
  void OutputRangeFromTransferMap();
  void UserRangeFromMaps();

  double inputRangeHi_ = 1.0;
  double inputRangeLo_ = 0.0;
  std::string inputUnits_;
  double outputRangeHi_ = 1.0;
  double outputRangeLo_ = 0.0;
  std::string outputUnits_;
  double xferM_ = 0.0;
  double xferB_ = 0.0;
  double userRangeHi_ = 0.0;
  double userRangeLo_ = 0.0;
  double userM_ = 0.0;
  double userB_ = 0.0;
  std::string userUnits_;
};

// Ranges the two counts-to-volts functions for the acquisition unit's
// +-5 V input: unsigned counts 0..65535 and signed counts -32768..32767 to
// -5..+5 V. The assignments run in the order device selection has always
// used, since each one recomputes the maps from what is set so far.
void RangeCountsToVolts(clsXferFunc& unsignedCountsToVolts, clsXferFunc& signedCountsToVolts);

}  // namespace vernium
