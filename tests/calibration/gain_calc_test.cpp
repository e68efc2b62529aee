#include "calibration/gain_calc.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

namespace vernium {
namespace {

constexpr int kChannel = 77;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Parameters {
  float excitation = 10.0f, sensitivity = 0.002f, fullLoad = 1000.0f, maxLoad = 1000.0f;
  float tare = 0.0f;
  Bool16 filterOn = kFalse16, gainX2 = kFalse16;
};

// Stores the parameters and marks the settings records, so that a test can
// tell whether they were written.
Configuration WithParameters(const Parameters& p) {
  Configuration config;
  ChannelConfig& c = config.Channels[kChannel];
  std::tie(c.Excitation, c.Sensitivity, c.FullLoad, c.MaxLoad, c.Tare, c.FilterOn, c.GainX2) =
      std::tie(p.excitation, p.sensitivity, p.fullLoad, p.maxLoad, p.tare, p.filterOn, p.gainX2);
  config.Calc[kChannel] = {-7.0f, -8.0f, -9.0f};
  config.Actual[kChannel].FilterGain = -3;
  return config;
}

const char* const kRejected =
    "Proper gains cannot be determined for this application.  The desired gains may be achieved "
    "by performing a manual adjustment of the strain gage card.  See the examples in the User's "
    "Manual for more information.  Check to make sure the calibration end points are not too "
    "close to each other.";
const char* const kFault =
    "The parameters you have selected in the PreCal section have caused a divide by zero or "
    "overflow error.  Please check all these parameters carefully when trying to calibrate this "
    "channel again.";

// Span 0.02 V (10 V x 2 mV/V at full load) unless a row says otherwise. (The
// filter bypassed, at X1 and at X2 on the simulated card: the planner's test.)
TEST(CalcGains, WritesTheTargetsOrShowsWhyNot) {
  // Name, parameters, the message (nullptr: accepted with this scale gain and filter gain).
  const std::tuple<const char*, Parameters, const char*, float, std::int16_t> rows[] = {
      // 2 V x 25 mV/V is 0.05 V only when compared in single precision.
      {"span exactly 50 mV", {2, 0.025f, 1000, 1000, 0}, nullptr, 1.0f, 1},
      // 0.05 / 0.0050045 = 9.991, just below 3.161 squared.
      {"stage gain just inside", {10, 0.00050045f, 1000, 1000, 0}, nullptr, 3.16086f, 1},
      {"filter flags any non-zero", {10, 0.002f, 1000, 1000, 0, 1, -1}, nullptr, 1.1180f, 2},
      // 10 V x 0.5 mV/V: span 0.005 V, G = 3.1623 as a single, above 3.161.
      {"span 5 mV", {10, 0.0005f, 1000, 1000, 0}, kRejected, 0, 0},
      {"tare equals max load", {10, 0.002f, 1000, 500, 500}, kRejected, 0, 0},
      {"negative span", {10, 0.002f, 1000, 200, 900}, kRejected, 0, 0},
      {"full load zero", {10, 0.002f, 0, 1000, 0}, kRejected, 0, 0},
      // Finite parameters whose bridge output overflows the single range.
      {"bridge output overflows", {10, 0.002f, 1e-30f, 3e38f, 3e38f}, kRejected, 0, 0},
      {"NaN excitation", {kNaN, 0.002f, 1000, 1000, 0}, kFault, 0, 0},
      {"infinite sensitivity", {10, kInf, 1000, 1000, 0}, kFault, 0, 0},
      {"NaN full load", {10, 0.002f, kNaN, 1000, 0}, kFault, 0, 0},
      {"infinite max load", {10, 0.002f, 1000, kInf, 0}, kFault, 0, 0},
      {"minus infinite tare", {10, 0.002f, 1000, 1000, -kInf}, kFault, 0, 0},
      {"NaN tare, full load zero", {10, 0.002f, 0, 1000, kNaN}, kFault, 0, 0},
  };
  for (const auto& [name, p, message, scalingGain, filterGain] : rows) {
    SCOPED_TRACE(name);
    Configuration config = WithParameters(p);
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(CalcGains(config, kChannel, boxes), message == nullptr);
    const CalcSettings& calc = config.Calc[kChannel];
    if (message == nullptr) {
      EXPECT_TRUE(boxes.Shown().empty());
      EXPECT_NEAR(calc.ScalingGain, scalingGain, 1e-4f);
      EXPECT_NEAR(calc.InputGain, 100.0f * scalingGain, 0.01f);
      EXPECT_EQ(calc.Offset, 0.0f);
      EXPECT_EQ(config.Actual[kChannel].FilterGain, filterGain);
      continue;
    }
    EXPECT_EQ(  // as marked: nothing stored
        std::tie(calc.InputGain, calc.ScalingGain, calc.Offset, config.Actual[kChannel].FilterGain),
        std::make_tuple(-7.0f, -8.0f, -9.0f, -3));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const ShownMessage& shown = boxes.Shown()[0];
    const bool fault = message == kFault;
    EXPECT_EQ(
        std::tie(shown.title, shown.icon, shown.buttons, shown.text),
        std::make_tuple(fault ? "Gain and Offset Calculations - Channel 77" : "Gain Calculations",
                        fault ? MsgIcon::Critical : MsgIcon::Information, MsgButtons::OK, message));
  }
  EXPECT_EQ(BridgeVolts(500.0f, 0.0f, 10.0f, 0.002f), 0.0f) << "no full load, no output";
}

TEST(TwoPoint, SetsSensitivityAndFullLoadFromPointTwoElseOneElseSaysWhy) {
  // Point 1 (mV, value), point 2 (mV, value), then sensitivity and full load;
  // with neither point whole the stored 0.001 and 300 stay and a box says why.
  for (const auto& r : {std::array{20.f, 500.f, 30.f, 2000.f, 0.003f, 2000.f},
                        std::array{20.f, 500.f, 0.f, 0.f, 0.002f, 500.f},
                        std::array{20.f, 500.f, 30.f, 0.f, 0.002f, 500.f},
                        std::array{0.f, 0.f, 15.f, 300.f, 0.0015f, 300.f},
                        std::array{20.f, 0.f, 0.f, 1000.f, 0.001f, 300.f}}) {
    SCOPED_TRACE(::testing::Message() << r[0] << "/" << r[1] << " " << r[2] << "/" << r[3]);
    Configuration config;
    ChannelConfig& channel = config.Channels[kChannel];
    channel.Sensitivity = 0.001f;
    channel.FullLoad = 300.0f;
    ScriptedMessageBoxes boxes;
    TwoPointToNameplate(config, kChannel, r[0], r[1], r[2], r[3], boxes);
    EXPECT_FLOAT_EQ(channel.Sensitivity, r[4]);
    EXPECT_FLOAT_EQ(channel.FullLoad, r[5]);
    ASSERT_EQ(boxes.Shown().size(), r[4] == 0.001f ? 1u : 0u);
    for (const ShownMessage& shown : boxes.Shown()) {
      EXPECT_EQ(
          std::tie(shown.title, shown.icon, shown.text),
          std::make_tuple("Vernium", MsgIcon::Critical,
                          "You have not entered enough information for the Two Point calibration "
                          "method. Enter the outputs and corresponding values for at least two "
                          "points, and at least one point must be a non-zero point."));
    }
  }
  Configuration config;  // no excitation: nothing to divide by, nothing stored or shown
  config.Channels[kChannel].Excitation = 0.0f;
  ScriptedMessageBoxes boxes;
  TwoPointToNameplate(config, kChannel, 20.0f, 500.0f, 0.0f, 0.0f, boxes);
  EXPECT_EQ(config.Channels[kChannel].FullLoad, 1000.0f);
  EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
}  // namespace vernium
