#include "verify/verify_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vernium {
namespace {

// Tare 65 to 800 Pounds over 0..5 V: the card as the directions leave it.
VerifySpan Span65To800() {
  VerifySpan span;
  span.tare = 65.0;
  span.maxLoad = 800.0;
  span.units = "Pounds";
  span.record = LoadLine{147.0, 65.0};
  span.file = LoadLine{147.0, 0.0};  // b from the zeroing step, not the tare
  return span;
}

std::vector<VerifyPoint> Ideal(std::vector<double> loads, double voltsError = 0.0) {
  std::vector<VerifyPoint> points;
  for (double load : loads) points.push_back({load, (load - 65.0) / 147.0 + voltsError});
  return points;
}

struct FitCase {
  const char* name;
  std::vector<VerifyPoint> points;
  bool fitted;
  double m, b;           // expected verified line when fitted
  double linearity;      // % of span
  double zeroError, spanError;
  const char* verdictStart;
};

class VerifyFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(VerifyFit, FitsLinearityAndVerdict) {
  const FitCase& c = GetParam();
  const VerifyResult r = CheckPoints(c.points, Span65To800());
  ASSERT_EQ(r.verified.has_value(), c.fitted);
  EXPECT_EQ(r.verdict.rfind(c.verdictStart, 0), 0u) << r.verdict;
  if (!c.fitted) {
    EXPECT_FALSE(r.passed);
    return;
  }
  EXPECT_NEAR(r.verified->m, c.m, 0.01);
  EXPECT_NEAR(r.verified->b, c.b, 0.05);
  EXPECT_NEAR(r.linearityPercent, c.linearity, 0.01);
  EXPECT_NEAR(r.zeroErrorPercent, c.zeroError, 0.01);
  EXPECT_NEAR(r.spanErrorPercent, c.spanError, 0.01);
}

// 1 % of span is 7.35 Pounds; 800 Pounds reads the full 5 V, on the rail.
INSTANTIATE_TEST_SUITE_P(
    Cases, VerifyFit,
    ::testing::Values(
        FitCase{"TwoPointsFitExactly", Ideal({65.0, 726.5}), true, 147.0, 65.0, 0.0, 0.0, 0.0,
                "PASS"},
        // The top point is on the rail where the line puts it: left out of
        // the fit, and no fault.
        FitCase{"FivePlannedPoints", Ideal({65.0, 248.75, 432.5, 616.25, 800.0}), true, 147.0,
                65.0, 0.0, 0.0, 0.0, "PASS"},
        // The output sits 10 mV high everywhere: the line shifts, the
        // points stay on it.
        FitCase{"ZeroShift", Ideal({65.0, 432.5, 726.5}, 0.010), true, 147.0, 63.53, 0.0, -0.2,
                0.0, "PASS"},
        // The middle point reads 50 mV (1 % of span) low: a bow the line
        // cannot follow.
        FitCase{"NonLinear", {{65.0, 0.0}, {432.5, 2.45}, {800.0, 4.999}}, true, 147.01, 67.47,
                0.66, 0.34, 0.01, "FAIL: at 432.5 Pounds applied the verified line reads"},
        // A line that falls with the load, its top point on the -5 V rail
        // beyond the line's reach: consistent, not a fault.
        FitCase{"FallingLineRailedBeyond", {{65.0, 0.0}, {432.5, -2.5}, {850.0, -5.0}}, true,
                -147.0, 65.0, 0.0, 0.0, -200.0, "PASS"},
        FitCase{"OnePoint", Ideal({65.0}), false, 0, 0, 0, 0, 0, "At least two points"},
        FitCase{"TwoButOneRailed", Ideal({65.0, 800.0}), false, 0, 0, 0, 0, 0,
                "At least two points"},
        FitCase{"SameOutputTwice", {{65.0, 1.0}, {800.0, 1.0}}, false, 0, 0, 0, 0, 0,
                "The points all read one output"},
        // On the rail at a load the line puts well below it: the card
        // saturates early.
        FitCase{"RailedEarly", {{65.0, 0.0}, {248.75, 1.25}, {432.5, 4.9999}}, true, 147.0,
                65.0, 0.0, 0.0, 0.0, "FAIL: at 432.5 Pounds applied the output is on the rail"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(VerifyFitFile, TheLegacyLineIsToldInPlainWords) {
  // b is 65 Pounds short at every point; the first of equals is told.
  const VerifyResult r = CheckPoints(Ideal({65.0, 726.5}), Span65To800());
  EXPECT_EQ(r.fileWarning,
            "The scaling file's line reads 0.0 Pounds at 65.0 Pounds applied "
            "(\u22128.8 % of span).");
  VerifySpan right = Span65To800();
  right.file = right.record;
  EXPECT_EQ(CheckPoints(Ideal({65.0, 726.5}), right).fileWarning, "");
}

TEST(VerifyFitTolerance, APointJustInsideAndJustOutside) {
  // The top point reads 0.8 % low: no point is further than 0.25 % of span
  // off the line through all three.
  const std::vector<VerifyPoint> points{{65.0, 0.0}, {432.5, 2.5}, {726.5, 4.5 * 0.992}};
  VerifySpan span = Span65To800();
  span.tolerancePercent = 0.5;
  EXPECT_TRUE(CheckPoints(points, span).passed);
  span.tolerancePercent = 0.1;
  EXPECT_FALSE(CheckPoints(points, span).passed);
}

TEST(VerifyPlan, TareThenQuartersToTheMaximum) {
  EXPECT_EQ(PlannedLoads(65.0, 800.0),
            (std::vector<double>{65.0, 248.75, 432.5, 616.25, 800.0}));
}

}  // namespace
}  // namespace vernium
