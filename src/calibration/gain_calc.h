#pragma once
// The gain and offset calculation: turns a channel's application parameters
// into the input gain, scale gain and offset that make the span from the tare
// load to the maximum load fill 5 V at the acquisition unit's input, with the
// input stage at 100 times the scale stage's gain.

#include <string>
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

// Computes the channel's target gains and offset into CalcSettings and its
// filter gain factor into ActualSettings.FilterGain. False, with a message,
// when no gains fit or the parameters fault; nothing is written then.
bool CalcGains(Configuration& config, int channel, MessageBoxes& boxes);

}  // namespace vernium
