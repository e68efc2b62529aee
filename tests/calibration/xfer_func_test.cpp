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

// x(y(v)) = v, xo(yo(v)) = v and xuo(you(o)) = o over both instances, with
// a unit user slope, the wizard's 429/203 and a shifted, falling user map.
TEST_F(CountsToVolts, EveryConversionIsUndoneByItsInverse) {
  for (clsXferFunc* f : {&unsignedCounts, &signedCounts}) {
    for (auto [m, b] : {std::pair{1.0, 0.0}, {429.0 / 203.0, 0.0}, {-3.0, 12.5}}) {
      f->SetUserM(m);
      f->SetUserB(b);
      for (double v = f->InputRangeLo(); v <= f->InputRangeHi(); v += 97.0) {
        EXPECT_NEAR(f->x(f->y(v)), v, 1e-7) << v;
        EXPECT_NEAR(f->xo(f->yo(v)), v, 1e-7) << v;
        EXPECT_NEAR(f->xuo(f->you(f->yo(v))), f->yo(v), 1e-12) << v;
      }
    }
  }
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
  clsXferFunc f;
  f.SetOutputRangeHi(4.4);  // output span rounds to 4
  f.SetUserRangeLo(10.0);   // user span negative (10 > 4.4): nothing changes
  EXPECT_EQ(f.UserM(), 1.0);
  f.SetUserRangeHi(30.0);
  EXPECT_DOUBLE_EQ(f.UserM(), 20.0 / 4.0);
  EXPECT_DOUBLE_EQ(f.UserB(), 10.0);
}

TEST(XferFunc, ConversionsThrowInsteadOfGivingAnInfinityOrNaN) {
  clsXferFunc fresh, zeroUser, zeroXfer, tinyXfer, hugeUser, hugeXfer;
  zeroUser.SetUserM(0.0);
  zeroXfer.SetXferM(0.0);
  tinyXfer.SetXferM(1e-300);
  hugeUser.SetUserM(kHuge);
  hugeXfer.SetXferM(kHuge);
  EXPECT_THROW(zeroUser.x(1.0), ArithmeticFault);
  EXPECT_THROW(zeroXfer.x(0.0), ArithmeticFault);
  EXPECT_THROW(zeroXfer.xo(2.0), ArithmeticFault);
  EXPECT_THROW(tinyXfer.xo(1e300), ArithmeticFault);
  EXPECT_THROW(zeroUser.xuo(2.0), ArithmeticFault);
  EXPECT_THROW(hugeUser.y(10.0), ArithmeticFault);
  EXPECT_THROW(fresh.y(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
  EXPECT_THROW(hugeXfer.yo(kHuge), ArithmeticFault);
  EXPECT_THROW(hugeUser.you(2.0), ArithmeticFault);
}

}  // namespace
}  // namespace vernium
