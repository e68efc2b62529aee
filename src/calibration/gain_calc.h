#pragma once
// The gain and offset calculation: turns a channel's application parameters
// into the input gain, scale gain and offset that make the span from the tare
// load to the maximum load fill 5 V at the acquisition unit's input, with the
// input stage at 100 times the scale stage's gain.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <string_view>

#include "model/configuration.h"
#include "platform/message_boxes.h"

namespace vernium {

// Limits, in single precision as they are compared.
inline constexpr float kMinSpanVolts = 0.0005f;
inline constexpr float kMaxSpanVolts = 0.05f;
inline constexpr float kMinStageGain = 1.0f;
inline constexpr float kMaxStageGain = 3.161f;
inline constexpr double kBaseFactor = 0.05;
inline constexpr double kInputStageMultiplier = 100.0;
inline constexpr double kMillivoltsPerVolt = 1000.0;

inline constexpr std::string_view kGainCalcTitle = "Gain Calculations";
inline constexpr std::string_view kGainRejectedText =
    "Proper gains cannot be determined for this application.  The desired gains may be "
    "achieved by performing a manual adjustment of the strain gage card.  See the examples in "
    "the User's Manual for more information.  Check to make sure the calibration end points "
    "are not too close to each other.";
inline constexpr std::string_view kGainFaultText =
    "The parameters you have selected in the PreCal section have caused a divide by zero or "
    "overflow error.  Please check all these parameters carefully when trying to calibrate "
    "this channel again.";
inline constexpr std::string_view kTwoPointShortText =
    "You have not entered enough information for the Two Point calibration method. Enter the "
    "outputs and corresponding values for at least two points, and at least one point must be "
    "a non-zero point.";

// Title of the fault report for a channel: "Gain and Offset Calculations -
// Channel 16".
std::string GainFaultTitle(int channel);

// Bridge output in volts at `load`: (load / fullLoad) x (excitation x
// sensitivity) in single precision; 0 when fullLoad is 0. An overflow gives
// an infinity (or NaN) and is left for the span test to reject.
float BridgeVolts(float load, float fullLoad, float excitation, float sensitivity);

// Two Point and Shunt Cal: reduces the point entries (millivolts and loads,
// as the window's fields read) to the channel's Sensitivity and FullLoad.
// Point 2 wins when both its output and value are non-zero, else point 1;
// with neither, a message says so and the record keeps what was stored.
void TwoPointToNameplate(Configuration& config, int channel, float pnt1mVolts, float pnt1Value,
                         float pnt2mVolts, float pnt2Value, MessageBoxes& boxes);

// The calculation itself, storing nothing: what CalcGains decides and the
// figures it decides on.
enum class GainOutcome { Fits, SpanOutOfRange, RatioOutOfRange, Fault };
struct GainPlan {
  GainOutcome outcome = GainOutcome::Fault;
  float vt = 0.0f;    // bridge volts at the tare load
  float vm = 0.0f;    // bridge volts at the maximum load
  float span = 0.0f;  // vm - vt
  float g = 0.0f;     // square root of the gain ratio 0.05 / span (0 until the span passes)
  std::int16_t filterGain = 1;
  float inputGain = 0.0f;  // set when the outcome is Fits
  float scalingGain = 0.0f;
  float offset = 0.0f;
};
GainPlan PlanGains(const ChannelConfig& record);

// The sensitivity (V/V) and full load that Two Point and Shunt Cal reduce
// their point entries to; nothing when neither point has both an output and
// a value, or the excitation gives no finite sensitivity.
struct NameplateFromPoints {
  bool enoughPoints = false;
  std::optional<std::pair<float, float>> sensitivityAndFullLoad;
};
NameplateFromPoints ReducePoints(float excitation, float pnt1mVolts, float pnt1Value,
                                 float pnt2mVolts, float pnt2Value);

// Computes the channel's target gains and offset into CalcSettings and its
// filter gain factor into ActualSettings.FilterGain. False, with a message,
// when no gains fit or the parameters fault; nothing is written then.
bool CalcGains(Configuration& config, int channel, MessageBoxes& boxes);

}  // namespace vernium
