#include "calibration/gain_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "model/configuration.h"
#include "platform/message_boxes.h"

namespace vernium {
namespace {

constexpr int kChannel = 77;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Marks the settings records so that a test can tell whether they were
// written.
void MarkSettings(Configuration& config, int channel) {
  config.Calc[channel] = {-7.0f, -8.0f, -9.0f};
  config.Actual[channel].FilterGain = -3;
}

bool SettingsUntouched(const Configuration& config, int channel) {
  const CalcSettings& calc = config.Calc[channel];
  return calc.InputGain == -7.0f && calc.ScalingGain == -8.0f && calc.Offset == -9.0f &&
         config.Actual[channel].FilterGain == -3;
}

struct Parameters {
  float excitation = 10.0f;
  float sensitivity = 0.002f;
  float fullLoad = 1000.0f;
  float maxLoad = 1000.0f;
  float tare = 0.0f;
  Bool16 filterOn = kFalse16;
  Bool16 gainX2 = kFalse16;
};

void Store(Configuration& config, int channel, const Parameters& p) {
  ChannelConfig& c = config.Channels[channel];
  c.Excitation = p.excitation;
  c.Sensitivity = p.sensitivity;
  c.FullLoad = p.fullLoad;
  c.MaxLoad = p.maxLoad;
  c.Tare = p.tare;
  c.FilterOn = p.filterOn;
  c.GainX2 = p.gainX2;
}

std::ostream& operator<<(std::ostream& os, const Parameters& p) {
  return os << "E=" << p.excitation << " S=" << p.sensitivity << " FL=" << p.fullLoad
            << " ML=" << p.maxLoad << " T=" << p.tare << " filter=" << p.filterOn << "/"
            << p.gainX2;
}

// --- Accepted applications ------------------------------------------------

struct AcceptedCase {
  const char* name;
  Parameters p;
  float inputGain;
  float scalingGain;
  float offset;
  std::int16_t filterGain;
};
std::ostream& operator<<(std::ostream& os, const AcceptedCase& c) {
  return os << c.name;
}

class CalcGainsAccepts : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(CalcGainsAccepts, WritesTheTargetsAndTheFilterGain) {
  Configuration config;
  Store(config, kChannel, GetParam().p);
  MarkSettings(config, kChannel);
  ScriptedMessageBoxes boxes;
  ASSERT_TRUE(CalcGains(config, kChannel, boxes)) << GetParam().p;
  EXPECT_TRUE(boxes.Shown().empty());
  const CalcSettings& calc = config.Calc[kChannel];
  EXPECT_NEAR(calc.InputGain, GetParam().inputGain, 0.01f);
  EXPECT_NEAR(calc.ScalingGain, GetParam().scalingGain, 1e-4f);
  EXPECT_NEAR(calc.Offset, GetParam().offset, 1e-4f);
  EXPECT_EQ(config.Actual[kChannel].FilterGain, GetParam().filterGain);
}

// Span 0.02 V: 10 V x 2 mV/V at full load.
INSTANTIATE_TEST_SUITE_P(
    Applications, CalcGainsAccepts,
    ::testing::Values(
        AcceptedCase{"WorkedExample", {}, 158.11f, 1.5811f, 0.0f, 1},
        // 2 V x 25 mV/V is 0.05 V as a single exactly; it only passes when the
        // span is compared in single precision.
        AcceptedCase{"SpanExactlyFiftyMillivolts",
                     {2.0f, 0.025f, 1000.0f, 1000.0f, 0.0f},
                     100.0f,
                     1.0f,
                     0.0f,
                     1},
        AcceptedCase{
            "SpanFiftyMillivolts", {10.0f, 0.005f, 1000.0f, 1000.0f, 0.0f}, 100.0f, 1.0f, 0.0f, 1},
        AcceptedCase{"FilterX2",
                     {10.0f, 0.002f, 1000.0f, 1000.0f, 0.0f, kTrue16, kTrue16},
                     111.80f,
                     1.1180f,
                     0.0f,
                     2},
        AcceptedCase{"FilterX1",
                     {10.0f, 0.002f, 1000.0f, 1000.0f, 0.0f, kTrue16, kFalse16},
                     158.11f,
                     1.5811f,
                     0.0f,
                     1},
        AcceptedCase{"BypassWithGainX2",
                     {10.0f, 0.002f, 1000.0f, 1000.0f, 0.0f, kFalse16, kTrue16},
                     158.11f,
                     1.5811f,
                     0.0f,
                     1},
        // Tare 100 of 1000: VT = 0.002 V, span 0.018 V, G = sqrt(0.05/0.018).
        AcceptedCase{"WithTare",
                     {10.0f, 0.002f, 1000.0f, 1000.0f, 100.0f},
                     166.67f,
                     1.6667f,
                     0.002f * 166.67f,
                     1},
        // Booleans read any non-zero value as true.
        AcceptedCase{"FilterFlagsAnyNonZero",
                     {10.0f, 0.002f, 1000.0f, 1000.0f, 0.0f, 1, -1},
                     111.80f,
                     1.1180f,
                     0.0f,
                     2}),
    [](const ::testing::TestParamInfo<AcceptedCase>& param) { return param.param.name; });

// --- Rejected applications -------------------------------------------------

struct RejectedCase {
  const char* name;
  Parameters p;
};
std::ostream& operator<<(std::ostream& os, const RejectedCase& c) {
  return os << c.name;
}

class CalcGainsRejects : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(CalcGainsRejects, ShowsTheGainCalculationsMessageAndStoresNothing) {
  Configuration config;
  Store(config, kChannel, GetParam().p);
  MarkSettings(config, kChannel);
  ScriptedMessageBoxes boxes;
  EXPECT_FALSE(CalcGains(config, kChannel, boxes)) << GetParam().p;
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const ShownMessage& shown = boxes.Shown()[0];
  EXPECT_EQ(shown.title, "Gain Calculations");
  EXPECT_EQ(shown.icon, MsgIcon::Information);
  EXPECT_EQ(shown.buttons, MsgButtons::OK);
  EXPECT_EQ(shown.text,
            "Proper gains cannot be determined for this application.  The desired gains may be "
            "achieved by performing a manual adjustment of the strain gage card.  See the "
            "examples in the User's Manual for more information.  Check to make sure the "
            "calibration end points are not too close to each other.");
  EXPECT_TRUE(SettingsUntouched(config, kChannel));
}

INSTANTIATE_TEST_SUITE_P(
    Applications, CalcGainsRejects,
    ::testing::Values(
        // 10 V x 0.5 mV/V: span 0.005 V, G = 3.1623 as a single, above 3.161.
        RejectedCase{"SpanFiveMillivolts", {10.0f, 0.0005f, 1000.0f, 1000.0f, 0.0f}},
        RejectedCase{"SpanAboveFiftyMillivolts", {10.0f, 0.0051f, 1000.0f, 1000.0f, 0.0f}},
        RejectedCase{"SpanBelowHalfMillivolt", {10.0f, 0.00004f, 1000.0f, 1000.0f, 0.0f}},
        RejectedCase{"TareEqualsMaxLoad", {10.0f, 0.002f, 1000.0f, 500.0f, 500.0f}},
        RejectedCase{"NegativeSpan", {10.0f, 0.002f, 1000.0f, 200.0f, 900.0f}},
        RejectedCase{"FullLoadZero", {10.0f, 0.002f, 0.0f, 1000.0f, 0.0f}},
        RejectedCase{"ExcitationZero", {0.0f, 0.002f, 1000.0f, 1000.0f, 0.0f}},
        // Finite parameters whose bridge output overflows the single range.
        RejectedCase{"BridgeOutputOverflows", {10.0f, 0.002f, 1e-30f, 3e38f, 3e38f}}),
    [](const ::testing::TestParamInfo<RejectedCase>& param) { return param.param.name; });

TEST(CalcGains, SpanJustInsideTheStageGainLimitIsAccepted) {
  // span 0.0050045 V: 0.05/span = 9.991 < 3.161^2.
  Configuration config;
  Store(config, kChannel, {10.0f, 0.00050045f, 1000.0f, 1000.0f, 0.0f});
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(CalcGains(config, kChannel, boxes));
  EXPECT_LE(config.Calc[kChannel].ScalingGain, 3.161f);
}

// --- Faults ----------------------------------------------------------------

struct FaultCase {
  const char* name;
  Parameters p;
  int channel;
};
std::ostream& operator<<(std::ostream& os, const FaultCase& c) {
  return os << c.name;
}

class CalcGainsFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CalcGainsFaults, ReportsTheFaultForTheChannelAndStoresNothing) {
  Configuration config;
  const int channel = GetParam().channel;
  Store(config, channel, GetParam().p);
  MarkSettings(config, channel);
  ScriptedMessageBoxes boxes;
  EXPECT_FALSE(CalcGains(config, channel, boxes));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const ShownMessage& shown = boxes.Shown()[0];
  EXPECT_EQ(shown.title, "Gain and Offset Calculations - Channel " + std::to_string(channel));
  EXPECT_EQ(shown.icon, MsgIcon::Critical);
  EXPECT_EQ(shown.buttons, MsgButtons::OK);
  EXPECT_EQ(shown.text,
            "The parameters you have selected in the PreCal section have caused a divide by "
            "zero or overflow error.  Please check all these parameters carefully when trying "
            "to calibrate this channel again.");
  EXPECT_TRUE(SettingsUntouched(config, channel));
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CalcGainsFaults,
    ::testing::Values(FaultCase{"NaNExcitation", {kNaN, 0.002f, 1000.0f, 1000.0f, 0.0f}, 16},
                      FaultCase{"InfiniteSensitivity", {10.0f, kInf, 1000.0f, 1000.0f, 0.0f}, 77},
                      FaultCase{"NaNFullLoad", {10.0f, 0.002f, kNaN, 1000.0f, 0.0f}, 271},
                      FaultCase{"InfiniteMaxLoad", {10.0f, 0.002f, 1000.0f, kInf, 0.0f}, 100},
                      FaultCase{"MinusInfiniteTare", {10.0f, 0.002f, 1000.0f, 1000.0f, -kInf}, 31},
                      FaultCase{
                          "NaNTareWithFullLoadZero", {10.0f, 0.002f, 0.0f, 1000.0f, kNaN}, 42}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

// --- Bridge voltage ----------------------------------------------------------

TEST(BridgeVolts, IsTheBridgeOutputAtTheLoad) {
  EXPECT_FLOAT_EQ(BridgeVolts(1000.0f, 1000.0f, 10.0f, 0.002f), 0.02f);
  EXPECT_FLOAT_EQ(BridgeVolts(250.0f, 1000.0f, 10.0f, 0.002f), 0.005f);
  EXPECT_FLOAT_EQ(BridgeVolts(-500.0f, 1000.0f, 5.0f, 0.003f), -0.0075f);
  EXPECT_EQ(BridgeVolts(500.0f, 0.0f, 10.0f, 0.002f), 0.0f);
  EXPECT_TRUE(std::isinf(BridgeVolts(3e38f, 1e-30f, 10.0f, 0.002f)));
}

// --- Property: every accepted calculation fills 5 V ---------------------------

TEST(CalcGainsProperty, AcceptedGainsFillFiveVoltsAndRejectionsMatchTheLimits) {
  std::mt19937 rng(20240517);
  std::uniform_real_distribution<float> excitation(1.5f, 10.5f);
  std::uniform_real_distribution<float> sensitivity(0.0005f, 0.1f);
  std::uniform_real_distribution<float> fullLoad(1.0f, 99999.0f);
  std::uniform_real_distribution<double> logSpan(std::log(1e-4), std::log(0.1));
  std::uniform_real_distribution<float> tareShare(0.0f, 0.5f);
  std::bernoulli_distribution coin(0.5);

  int accepted = 0;
  int rejected = 0;
  for (int i = 0; i < 5000; ++i) {
    Parameters p;
    p.excitation = excitation(rng);
    p.sensitivity = sensitivity(rng);
    p.fullLoad = fullLoad(rng);
    p.tare = tareShare(rng) * p.fullLoad;
    const double wantedSpan = std::exp(logSpan(rng));
    const double loadSpan = wantedSpan / (double(p.excitation) * p.sensitivity) * p.fullLoad;
    p.maxLoad = static_cast<float>(p.tare + loadSpan);
    p.filterOn = coin(rng) ? kTrue16 : kFalse16;
    p.gainX2 = coin(rng) ? kTrue16 : kFalse16;

    Configuration config;
    Store(config, kChannel, p);
    MarkSettings(config, kChannel);
    ScriptedMessageBoxes boxes;
    const bool ok = CalcGains(config, kChannel, boxes);

    const float vt = BridgeVolts(p.tare, p.fullLoad, p.excitation, p.sensitivity);
    const float span = BridgeVolts(p.maxLoad, p.fullLoad, p.excitation, p.sensitivity) - vt;
    const double ratio = 0.05 / span;  // G squared
    // Near the limits single-precision rounding decides; leave those out.
    const bool nearLimit = std::fabs(span / 0.05 - 1.0) < 1e-5 ||
                           std::fabs(span / 0.0005 - 1.0) < 1e-5 ||
                           std::fabs(ratio / (3.161 * 3.161) - 1.0) < 1e-5;
    if (nearLimit) continue;
    const bool shouldAccept = span >= 0.0005 && span <= 0.05 && ratio <= 3.161 * 3.161;
    ASSERT_EQ(ok, shouldAccept) << p << " span " << span;
    if (!ok) {
      ++rejected;
      EXPECT_TRUE(SettingsUntouched(config, kChannel)) << p;
      ASSERT_EQ(boxes.Shown().size(), 1u);
      EXPECT_EQ(boxes.Shown()[0].title, "Gain Calculations");
      continue;
    }
    ++accepted;
    EXPECT_TRUE(boxes.Shown().empty());
    const CalcSettings& calc = config.Calc[kChannel];
    const std::int16_t filterGain = config.Actual[kChannel].FilterGain;
    const bool engagedX2 = IsTrue(p.filterOn) && IsTrue(p.gainX2);
    ASSERT_EQ(filterGain, engagedX2 ? 2 : 1) << p;
    const double total = double(calc.InputGain) * calc.ScalingGain * filterGain;
    EXPECT_NEAR(total * span, 5.0, 5.0 * 4e-6) << p;
    EXPECT_NEAR(calc.InputGain, 100.0 * calc.ScalingGain, calc.InputGain * 2e-7) << p;
    const double g = calc.ScalingGain * std::sqrt(double(filterGain));
    EXPECT_GE(g, 1.0 - 1e-6) << p;
    EXPECT_LE(g, 3.161 + 1e-6) << p;
    EXPECT_NEAR(calc.Offset, double(vt) * calc.InputGain, std::fabs(calc.Offset) * 2e-7 + 1e-9)
        << p;
  }
  // Both outcomes must have been exercised in earnest.
  EXPECT_GT(accepted, 1000);
  EXPECT_GT(rejected, 1000);
}

// --- Two Point -----------------------------------------------------------------

struct TwoPointCase {
  const char* name;
  float pnt1mVolts, pnt1Value, pnt2mVolts, pnt2Value;
  float sensitivity;
  float fullLoad;
};
std::ostream& operator<<(std::ostream& os, const TwoPointCase& c) {
  return os << c.name;
}

class TwoPoint : public ::testing::TestWithParam<TwoPointCase> {};

TEST_P(TwoPoint, SetsSensitivityAndFullLoadFromOnePoint) {
  Configuration config;
  config.Channels[kChannel].Excitation = 10.0f;
  ScriptedMessageBoxes boxes;
  const TwoPointCase& c = GetParam();
  TwoPointToNameplate(config, kChannel, c.pnt1mVolts, c.pnt1Value, c.pnt2mVolts, c.pnt2Value,
                      boxes);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_FLOAT_EQ(config.Channels[kChannel].Sensitivity, c.sensitivity);
  EXPECT_FLOAT_EQ(config.Channels[kChannel].FullLoad, c.fullLoad);
}

INSTANTIATE_TEST_SUITE_P(
    Points, TwoPoint,
    ::testing::Values(
        TwoPointCase{"PointTwoTakesPrecedence", 20.0f, 500.0f, 30.0f, 2000.0f, 0.003f, 2000.0f},
        TwoPointCase{"PointOneWhenPointTwoIsZero", 20.0f, 500.0f, 0.0f, 0.0f, 0.002f, 500.0f},
        TwoPointCase{"PointOneWhenPointTwoHasNoOutput", 20.0f, 500.0f, 0.0f, 2000.0f, 0.002f,
                     500.0f},
        TwoPointCase{"PointOneWhenPointTwoHasNoValue", 20.0f, 500.0f, 30.0f, 0.0f, 0.002f, 500.0f},
        TwoPointCase{"PointTwoAlone", 0.0f, 0.0f, 15.0f, 300.0f, 0.0015f, 300.0f}),
    [](const ::testing::TestParamInfo<TwoPointCase>& param) { return param.param.name; });

TEST(TwoPoint, NotEnoughDataShowsItsMessageAndTheCalculationRunsOnTheStoredFields) {
  Configuration config;
  const ChannelConfig before = config.Channels[kChannel];
  ScriptedMessageBoxes boxes;
  TwoPointToNameplate(config, kChannel, 20.0f, 0.0f, 0.0f, 1000.0f, boxes);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].title, "Vernium");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Critical);
  EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::OK);
  EXPECT_EQ(boxes.Shown()[0].text,
            "You have not entered enough information for the Two Point calibration method. "
            "Enter the outputs and corresponding values for at least two points, and at least "
            "one point must be a non-zero point.");
  EXPECT_EQ(config.Channels[kChannel].Sensitivity, before.Sensitivity);
  EXPECT_EQ(config.Channels[kChannel].FullLoad, before.FullLoad);

  // The stored defaults (10 V, 2 mV/V, 1000 full, 800 max, 65 tare) fit.
  EXPECT_TRUE(CalcGains(config, kChannel, boxes));
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NEAR(config.Calc[kChannel].ScalingGain, std::sqrt(0.05 / 0.0147), 1e-4);
}

TEST(TwoPoint, ZeroExcitationKeepsTheStoredFields) {
  Configuration config;
  config.Channels[kChannel].Excitation = 0.0f;
  ScriptedMessageBoxes boxes;
  TwoPointToNameplate(config, kChannel, 20.0f, 500.0f, 0.0f, 0.0f, boxes);
  EXPECT_EQ(config.Channels[kChannel].Sensitivity, 0.002f);
  EXPECT_EQ(config.Channels[kChannel].FullLoad, 1000.0f);
  EXPECT_TRUE(std::isfinite(config.Channels[kChannel].Sensitivity));
}

}  // namespace
}  // namespace vernium
