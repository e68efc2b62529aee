// The transfer function as the program uses it: counts to volts on both
// instances, the ranges that set its map, and the faults its conversions
// throw instead of an infinity or a NaN.
#include "calibration/xfer_func.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "calibration/arithmetic_fault.h"

namespace vernium {
namespace {

const double kHuge = std::numeric_limits<double>::max();

class CountsToVolts : public ::testing::Test {
 protected:
  void SetUp() override { RangeCountsToVolts(unsignedCounts, signedCounts); }
  clsXferFunc unsignedCounts;
  clsXferFunc signedCounts;
};

TEST_F(CountsToVolts, BothInstancesMapTheirCountsToPlusMinusFiveVolts) {
  EXPECT_DOUBLE_EQ(unsignedCounts.yo(0.0), -5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.yo(65535.0), 5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.xo(0.0), 32767.5);
  EXPECT_NEAR(signedCounts.yo(-32768.0), -5.0, 1e-12);
  EXPECT_NEAR(signedCounts.yo(32767.0), 5.0, 1e-12);
}

// The spans are rounded half to even before they divide; a span that rounds
// to 0 leaves the map as it was.
TEST(XferFunc, MapsFromRangesDivideByTheRoundedSpan) {
  for (auto [inputHi, divisor] :
       {std::pair{0.4, 0.0}, {0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {2.4999, 2.0}, {-1.5, -2.0}}) {
    clsXferFunc f;
    f.SetOutputRangeHi(12.0);  // output span 12 over input span 1: slope 12
    f.SetInputRangeHi(inputHi);
    EXPECT_DOUBLE_EQ(f.XferM(), divisor == 0.0 ? 12.0 : 12.0 / divisor) << inputHi;
    EXPECT_EQ(f.XferB(), 0.0) << inputHi;
  }
}

TEST(XferFunc, ConversionsThrowInsteadOfGivingAnInfinityOrNaN) {
  clsXferFunc fresh, hugeUser, hugeXfer;
  hugeUser.SetUserM(kHuge);
  hugeXfer.SetXferM(kHuge);
  EXPECT_THROW(hugeUser.y(10.0), ArithmeticFault);
  EXPECT_THROW(fresh.y(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
  EXPECT_THROW(hugeXfer.yo(kHuge), ArithmeticFault);
}

}  // namespace
}  // namespace vernium
