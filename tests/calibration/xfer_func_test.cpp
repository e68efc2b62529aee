#include "calibration/xfer_func.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

#include "calibration/arithmetic_fault.h"

namespace vernium {
namespace {

constexpr double kSpan = 10.0 / 65535.0;

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
  return param.param.name;
}

TEST(XferFunc, FreshObjectIsTheIdentityWithAnEmptyUserRange) {
  const clsXferFunc f;
  EXPECT_EQ(f.y(3.0), 3.0);
  EXPECT_EQ(f.x(3.0), 3.0);
  EXPECT_EQ(f.InputRangeLo(), 0.0);
  EXPECT_EQ(f.InputRangeHi(), 1.0);
  EXPECT_EQ(f.OutputRangeLo(), 0.0);
  EXPECT_EQ(f.OutputRangeHi(), 1.0);
  EXPECT_EQ(f.XferM(), 1.0);
  EXPECT_EQ(f.XferB(), 0.0);
  EXPECT_EQ(f.UserM(), 1.0);
  EXPECT_EQ(f.UserB(), 0.0);
  EXPECT_EQ(f.UserRangeLo(), 0.0);
  EXPECT_EQ(f.UserRangeHi(), 0.0);
  EXPECT_TRUE(f.InputUnits().empty());
  EXPECT_TRUE(f.OutputUnits().empty());
  EXPECT_TRUE(f.UserUnits().empty());
}

class CountsToVolts : public ::testing::Test {
 protected:
  void SetUp() override { RangeCountsToVolts(unsignedCounts, signedCounts); }
  clsXferFunc unsignedCounts;
  clsXferFunc signedCounts;
};

TEST_F(CountsToVolts, UnsignedCountsMapToPlusMinusFiveVolts) {
  EXPECT_DOUBLE_EQ(unsignedCounts.XferM(), kSpan);
  EXPECT_DOUBLE_EQ(unsignedCounts.XferB(), -5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.yo(0.0), -5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.yo(65535.0), 5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.xo(0.0), 32767.5);
  EXPECT_DOUBLE_EQ(unsignedCounts.UserRangeLo(), -5.0);
  EXPECT_DOUBLE_EQ(unsignedCounts.UserRangeHi(), 5.0);
}

TEST_F(CountsToVolts, SignedCountsMapToPlusMinusFiveVolts) {
  EXPECT_DOUBLE_EQ(signedCounts.XferM(), kSpan);
  EXPECT_DOUBLE_EQ(signedCounts.XferB(), -5.0 + 32768.0 * kSpan);
  EXPECT_NEAR(signedCounts.yo(-32768.0), -5.0, 1e-12);
  EXPECT_NEAR(signedCounts.yo(32767.0), 5.0, 1e-12);
  EXPECT_NEAR(signedCounts.UserRangeLo(), -5.0, 1e-12);
  EXPECT_NEAR(signedCounts.UserRangeHi(), 5.0, 1e-12);
}

TEST_F(CountsToVolts, UserSlopeTwoDoublesTheReadingAndTheUserRange) {
  const double before = signedCounts.y(20000.0);
  signedCounts.SetUserM(2.0);
  EXPECT_DOUBLE_EQ(signedCounts.y(20000.0), 2.0 * before);
  EXPECT_NEAR(signedCounts.UserRangeLo(), -10.0, 1e-12);
  EXPECT_NEAR(signedCounts.UserRangeHi(), 10.0, 1e-12);
}

// x(y(v)) = v and xo(yo(v)) = v over both instances, with a user slope of
// 1 and the wizard's 429/203.
struct RoundTripCase {
  const char* name;
  bool signedCounts;
  double userM;
  double userB;
};
std::ostream& operator<<(std::ostream& os, const RoundTripCase& c) {
  return os << c.name;
}

class XferRoundTrip : public CountsToVolts, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(XferRoundTrip, RawToUserAndBack) {
  clsXferFunc& f = GetParam().signedCounts ? signedCounts : unsignedCounts;
  f.SetUserM(GetParam().userM);
  f.SetUserB(GetParam().userB);
  const double lo = f.InputRangeLo();
  const double hi = f.InputRangeHi();
  for (double v = lo; v <= hi; v += 97.0) {
    EXPECT_NEAR(f.x(f.y(v)), v, 1e-7) << "counts " << v;
    EXPECT_NEAR(f.xo(f.yo(v)), v, 1e-7) << "counts " << v;
    EXPECT_NEAR(f.xuo(f.you(f.yo(v))), f.yo(v), 1e-12) << "counts " << v;
  }
  EXPECT_NEAR(f.x(f.y(hi)), hi, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(
    BothInstances, XferRoundTrip,
    ::testing::Values(RoundTripCase{"UnsignedUnitSlope", false, 1.0, 0.0},
                      RoundTripCase{"SignedUnitSlope", true, 1.0, 0.0},
                      RoundTripCase{"UnsignedWizardRatio", false, 429.0 / 203.0, 0.0},
                      RoundTripCase{"SignedWizardRatio", true, 429.0 / 203.0, 0.0},
                      RoundTripCase{"SignedShifted", true, -3.0, 12.5}),
    CaseName<RoundTripCase>);

TEST(XferFunc, ReversedOutputRangeLeavesTheTransferMap) {
  clsXferFunc f;
  f.SetInputRangeHi(100.0);
  f.SetOutputRangeHi(10.0);
  const double m = f.XferM();
  const double b = f.XferB();
  f.SetOutputRangeLo(20.0);
  EXPECT_EQ(f.XferM(), m);
  EXPECT_EQ(f.XferB(), b);
  EXPECT_EQ(f.OutputRangeLo(), 20.0);
}

// The input span is rounded half to even before it divides.
struct SpanCase {
  double inputHi;
  double expectedDivisor;  // 0: the map keeps its previous values
};
std::ostream& operator<<(std::ostream& os, const SpanCase& c) {
  return os << "inputHi " << c.inputHi << " divisor " << c.expectedDivisor;
}

class XferSpanRounding : public ::testing::TestWithParam<SpanCase> {};

TEST_P(XferSpanRounding, TransferSlopeUsesTheRoundedSpan) {
  clsXferFunc f;
  f.SetOutputRangeHi(12.0);  // output span 12 over input span 1: slope 12
  ASSERT_EQ(f.XferM(), 12.0);
  f.SetInputRangeHi(GetParam().inputHi);
  if (GetParam().expectedDivisor == 0.0) {
    EXPECT_EQ(f.XferM(), 12.0);
    EXPECT_EQ(f.XferB(), 0.0);
  } else {
    EXPECT_DOUBLE_EQ(f.XferM(), 12.0 / GetParam().expectedDivisor);
  }
}

INSTANTIATE_TEST_SUITE_P(HalfToEven, XferSpanRounding,
                         ::testing::Values(SpanCase{0.4, 0.0}, SpanCase{0.5, 0.0},
                                           SpanCase{0.6, 1.0}, SpanCase{1.5, 2.0},
                                           SpanCase{2.5, 2.0}, SpanCase{3.5, 4.0},
                                           SpanCase{2.4999, 2.0}, SpanCase{-0.5, 0.0},
                                           SpanCase{-1.5, -2.0}, SpanCase{4.0, 4.0}));

TEST(XferFunc, UserMapFromRangesDividesByTheRoundedOutputSpan) {
  clsXferFunc f;
  f.SetOutputRangeHi(4.4);  // output span rounds to 4
  f.SetUserRangeLo(10.0);   // user span negative (10 > 4.4): nothing changes
  EXPECT_EQ(f.UserM(), 1.0);
  EXPECT_EQ(f.UserB(), 0.0);
  f.SetUserRangeHi(30.0);
  EXPECT_DOUBLE_EQ(f.UserM(), 20.0 / 4.0);
  EXPECT_DOUBLE_EQ(f.UserB(), 10.0);
  EXPECT_DOUBLE_EQ(f.you(1.0), 15.0);
}

TEST(XferFunc, UserMapKeepsItsValuesWhenTheOutputSpanRoundsToZero) {
  clsXferFunc f;
  f.SetOutputRangeHi(0.3);
  f.SetUserM(3.0);
  f.SetUserB(1.0);
  f.SetUserRangeHi(50.0);
  EXPECT_EQ(f.UserM(), 3.0);
  EXPECT_EQ(f.UserB(), 1.0);
}

TEST(XferFunc, WritingTheTransferSlopeRecomputesOutputAndUserRanges) {
  clsXferFunc f;
  f.SetInputRangeHi(10.0);
  f.SetUserM(2.0);
  f.SetXferM(3.0);
  EXPECT_DOUBLE_EQ(f.OutputRangeHi(), 30.0 + f.XferB());
  f.SetXferB(1.0);
  EXPECT_DOUBLE_EQ(f.OutputRangeLo(), 1.0);
  EXPECT_DOUBLE_EQ(f.OutputRangeHi(), 31.0);
  EXPECT_DOUBLE_EQ(f.UserRangeLo(), 2.0);
  EXPECT_DOUBLE_EQ(f.UserRangeHi(), 62.0);
  EXPECT_DOUBLE_EQ(f.y(10.0), 62.0);
}

TEST(XferFunc, WritingTheOutputRangeRecomputesTheUserRange) {
  clsXferFunc f;
  f.SetUserB(1.0);
  f.SetOutputRangeHi(7.0);
  EXPECT_DOUBLE_EQ(f.UserRangeHi(), 8.0);
  EXPECT_DOUBLE_EQ(f.UserRangeLo(), 1.0);
}

// Each conversion reports a fault instead of returning an infinity or NaN.
struct FaultCase {
  const char* name;
  std::function<void(clsXferFunc&)> setUp;
  std::function<double(const clsXferFunc&)> call;
};
std::ostream& operator<<(std::ostream& os, const FaultCase& c) {
  return os << c.name;
}

class XferFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(XferFaults, ThrowsArithmeticFault) {
  clsXferFunc f;
  GetParam().setUp(f);
  EXPECT_THROW(GetParam().call(f), ArithmeticFault);
}

const double kHuge = std::numeric_limits<double>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Conversions, XferFaults,
    ::testing::Values(FaultCase{"xWithZeroUserSlope", [](clsXferFunc& f) { f.SetUserM(0.0); },
                                [](const clsXferFunc& f) { return f.x(1.0); }},
                      FaultCase{"xWithZeroTransferSlope", [](clsXferFunc& f) { f.SetXferM(0.0); },
                                [](const clsXferFunc& f) { return f.x(0.0); }},
                      FaultCase{"xoWithZeroTransferSlope", [](clsXferFunc& f) { f.SetXferM(0.0); },
                                [](const clsXferFunc& f) { return f.xo(2.0); }},
                      FaultCase{"xuoWithZeroUserSlope", [](clsXferFunc& f) { f.SetUserM(0.0); },
                                [](const clsXferFunc& f) { return f.xuo(2.0); }},
                      FaultCase{"yOverflow", [](clsXferFunc& f) { f.SetUserM(kHuge); },
                                [](const clsXferFunc& f) { return f.y(10.0); }},
                      FaultCase{"yoOverflow", [](clsXferFunc& f) { f.SetXferM(kHuge); },
                                [](const clsXferFunc& f) { return f.yo(kHuge); }},
                      FaultCase{"youOverflow", [](clsXferFunc& f) { f.SetUserM(2.0); },
                                [](const clsXferFunc& f) { return f.you(kHuge); }},
                      FaultCase{"xoOverflow", [](clsXferFunc& f) { f.SetXferM(1e-300); },
                                [](const clsXferFunc& f) { return f.xo(1e300); }},
                      FaultCase{"yOfNaN", [](clsXferFunc&) {},
                                [](const clsXferFunc& f) { return f.y(kNaN); }},
                      FaultCase{"yWithNaNSlope", [](clsXferFunc& f) { f.SetUserM(kNaN); },
                                [](const clsXferFunc& f) { return f.y(1.0); }}),
    CaseName<FaultCase>);

TEST(XferFunc, SettersNeverStoreAnInfiniteRange) {
  clsXferFunc f;
  f.SetInputRangeHi(kHuge);
  f.SetXferM(kHuge);  // the output range would overflow: it stays as it was
  EXPECT_TRUE(std::isfinite(f.OutputRangeHi()));
  EXPECT_TRUE(std::isfinite(f.UserRangeHi()));
  EXPECT_EQ(f.XferM(), kHuge);
}

}  // namespace
}  // namespace vernium
