// Guidance while turning a trimpot, fed with recorded sequences of readings
// (seconds, volts) against a target. (The wizard showing it only on a step
// with a live reading: guidance.scn.)
#include "wizard/turn_guidance.h"

#include <gtest/gtest.h>

#include <vector>


namespace vernium {
namespace {

constexpr double kTarget = 0.653;
const std::string kMinus = "\xE2\x88\x92";

struct Recorded {
  const char* what;
  std::vector<TrendSample> readings;
  std::string error, way, settle, rate;
  TurnedTrimpot turned{};
  bool railed = false;  // the input on its rail at the last reading
};

class Sequences : public ::testing::TestWithParam<Recorded> {};

TEST_P(Sequences, GiveTheErrorTheWayTheSettlingAndTheRate) {
  const Recorded& r = GetParam();
  TurnGuidance guidance;
  for (const TrendSample& s : r.readings) {
    guidance.Add(s.seconds, s.volts, kTarget, r.railed && &s == &r.readings.back());
  }
  const TurnAdvice advice = guidance.Advice(r.turned);
  EXPECT_TRUE(advice.shown);
  EXPECT_EQ(advice.errorText, r.error);
  EXPECT_EQ(advice.wayText, r.way);
  EXPECT_EQ(advice.settleText, r.settle);
  EXPECT_EQ(advice.rateText, r.rate);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Guidance, Sequences, ::testing::Values(
    Recorded{"one low reading", {{0, 0.6406}},
             kMinus + "12.4 mV", "raise the reading", "Settling", ""},
    Recorded{"rising through the target at 100 mV/s",
             {{0.0, 0.60}, {0.25, 0.625}, {0.5, 0.65}, {0.75, 0.675}, {1.0, 0.70}},
             "+47.0 mV", "lower the reading", "Settling", "+100.0 mV/s"},
    Recorded{"at the band's upper edge", {{0, 0.6535}},
             "+0.5 mV", "On target", "Settling", ""},
    Recorded{"just past the edge", {{0, 0.6536}},
             "+0.6 mV", "lower the reading", "Settling", ""},
    Recorded{"on target for 0.9 s", {{0, 0.653}, {0.3, 0.6532}, {0.6, 0.6528}, {0.9, 0.653}},
             "0.0 mV", "On target", "Settling", kMinus + "0.1 mV/s"},
    Recorded{"on target for a second", {{0, 0.653}, {0.5, 0.6532}, {1.0, 0.6531}},
             "+0.1 mV", "On target", "Steady", "+0.1 mV/s"},
    Recorded{"a reading off in the last second", {{0, 0.653}, {0.5, 0.655}, {1.0, 0.653}, {1.9, 0.653}},
             "0.0 mV", "On target", "Settling", "0.0 mV/s"},
    Recorded{"steady again a second after the slip", {{0, 0.653}, {0.5, 0.655}, {1.0, 0.653}, {2.0, 0.653}},
             "0.0 mV", "On target", "Steady", "0.0 mV/s"},
    Recorded{"the clock passed midnight", {{86399.5, 0.653}, {86399.9, 0.653}, {0.1, 0.653}, {0.2, 0.6528}},
             kMinus + "0.2 mV", "On target", "Settling", kMinus + "2.0 mV/s"},
    Recorded{"drift older than a second leaves the rate", {{0, 0.5}, {0.5, 0.6}, {1.6, 0.66}, {2.0, 0.66}},
             "+7.0 mV", "lower the reading", "Settling", "0.0 mV/s"},
    Recorded{"held still off target for a second", {{0, 0.66}, {0.5, 0.6601}, {1.0, 0.6599}},
             "+6.9 mV", "lower the reading", "Steady, off target", kMinus + "0.1 mV/s"},
    Recorded{"held still far below the target", {{0, -3.1}, {0.5, -3.1002}, {1.0, -3.0998}},
             kMinus + "3752.8 mV", "raise the reading: turn clockwise", "Steady, off target",
             "+0.2 mV/s", {TurnSense::ClockwiseRaises}},
    Recorded{"on the rail below the target", {{0, -5.0}, {1.0, -5.0}},
             kMinus + "5653.0 mV", "raise the reading: turn counter-clockwise", "On the rail",
             "0.0 mV/s", {TurnSense::ClockwiseLowers}, true},
    Recorded{"a scaled reading off the rail however high", {{0, 7.5}}, "+6847.0 mV",
             "lower the reading: turn counter-clockwise", "Settling", "", {TurnSense::ClockwiseRaises}},
    Recorded{"the excitation, in volts", {{0, 10.1}, {1.0, 10.776}},
             "+10.123 V", "lower the reading: turn counter-clockwise", "Settling", "+0.676 V/s",
             {TurnSense::ClockwiseRaises, true}}));
// clang-format on

TEST(TurnGuidance, KeepsTwentySecondsForAPlotCentredOnTheTarget) {
  TurnGuidance guidance;
  EXPECT_FALSE(guidance.Advice().shown);
  for (int i = 0; i <= 250; ++i) guidance.Add(i * 0.1, kTarget + 0.001 * (i % 2), kTarget);
  EXPECT_EQ(guidance.Trend().size(), 201u);  // 5.0 s .. 25.0 s
  EXPECT_DOUBLE_EQ(guidance.Trend().front().seconds, 5.0);
  auto [low, high] = guidance.TrendRange();
  EXPECT_NEAR(high - kTarget, kTrendMinHalfSpanVolts, 1e-12);  // noise stays small on the plot
  EXPECT_NEAR(kTarget - low, kTrendMinHalfSpanVolts, 1e-12);
  guidance.Add(25.1, kTarget - 0.1, kTarget);
  std::tie(low, high) = guidance.TrendRange();
  EXPECT_LT(low, kTarget - 0.1);
  EXPECT_NEAR(high - kTarget, kTarget - low, 1e-12);
  guidance.Add(25.2, 1.0, 0.5);  // another target: a new history
  EXPECT_EQ(guidance.Trend().size(), 1u);
  guidance.Reset();
  EXPECT_FALSE(guidance.Advice().shown);
}

}  // namespace

}  // namespace vernium
