#include "calibration/gain_calc.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "calibration/single_precision.h"

// What counts as an arithmetic fault here. Floats do not trap, so the faults
// the calculation must report are found by looking at the values:
//  - a parameter that is not a finite number (NaN or an infinity in
//    Excitation, Sensitivity, FullLoad, MaxLoad or Tare) is a fault: no entry
//    field can produce one, so it can only come from a failed calculation
//    upstream, and any arithmetic on it is undefined;
//  - with finite parameters, a bridge voltage that overflows the single range
//    is not a fault: BridgeVolts hands back the infinity or NaN and the span
//    test rejects it with the "Gain Calculations" message;
//  - once the span has passed its test, any result that is not finite (the
//    gain ratio, the stage gains, the offset) is a fault.
// A fault shows the fault report and stores nothing.

namespace vernium {
namespace {

bool AllFinite(std::initializer_list<float> values) {
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool ReportFault(MessageBoxes& boxes, int channel) {
  boxes.Show(kGainFaultText, GainFaultTitle(channel), MsgIcon::Critical, MsgButtons::OK);
  return false;
}

bool Reject(MessageBoxes& boxes) {
  boxes.Show(kGainRejectedText, kGainCalcTitle, MsgIcon::Information, MsgButtons::OK);
  return false;
}

}  // namespace

std::string GainFaultTitle(int channel) {
  return "Gain and Offset Calculations - Channel " + std::to_string(channel);
}

float BridgeVolts(float load, float fullLoad, float excitation, float sensitivity) {
  if (fullLoad == 0.0f) return 0.0f;
  const double ratio = static_cast<double>(load) / static_cast<double>(fullLoad);
  return ToSingle(ratio * (static_cast<double>(excitation) * static_cast<double>(sensitivity)));
}

void TwoPointToNameplate(Configuration& config, int channel, float pnt1mVolts, float pnt1Value,
                         float pnt2mVolts, float pnt2Value, MessageBoxes& boxes) {
  ChannelConfig& record = config.Channels[channel];
  const float out1 = ToSingle(pnt1mVolts / kMillivoltsPerVolt);
  const float out2 = ToSingle(pnt2mVolts / kMillivoltsPerVolt);

  float output = 0.0f;
  float value = 0.0f;
  if (out2 != 0.0f && pnt2Value != 0.0f) {
    output = out2;
    value = pnt2Value;
  } else if (out1 != 0.0f && pnt1Value != 0.0f) {
    output = out1;
    value = pnt1Value;
  } else {
    boxes.Show(kTwoPointShortText, kAppTitle, MsgIcon::Critical, MsgButtons::OK);
    return;
  }
  // The entry field keeps the excitation within 1.5..10.5 V. Should a zero
  // or undefined excitation arrive all the same, the record keeps what was
  // stored rather than an infinite or undefined sensitivity; the calculation
  // that follows rejects a zero excitation (no bridge output) and reports an
  // undefined one.
  if (record.Excitation == 0.0f) return;
  const float sensitivity =
      ToSingle(static_cast<double>(output) / static_cast<double>(record.Excitation));
  if (!std::isfinite(sensitivity)) return;
  record.Sensitivity = sensitivity;
  record.FullLoad = value;
}

bool CalcGains(Configuration& config, int channel, MessageBoxes& boxes) {
  const ChannelConfig& record = config.Channels[channel];
  if (!AllFinite(
          {record.Excitation, record.Sensitivity, record.FullLoad, record.MaxLoad, record.Tare})) {
    return ReportFault(boxes, channel);
  }
  const float vt = BridgeVolts(record.Tare, record.FullLoad, record.Excitation, record.Sensitivity);
  const float vm =
      BridgeVolts(record.MaxLoad, record.FullLoad, record.Excitation, record.Sensitivity);
  const std::int16_t filterGain = (record.FilterOn & record.GainX2) != 0 ? 2 : 1;

  const float span = ToSingle(static_cast<double>(vm) - static_cast<double>(vt));
  // A NaN span fails both comparisons and is rejected with the rest.
  if (!(span >= kMinSpanVolts && span <= kMaxSpanVolts)) return Reject(boxes);

  const float g = ToSingle(std::sqrt(kBaseFactor / static_cast<double>(span)));
  if (!std::isfinite(g)) return ReportFault(boxes, channel);
  if (!(g >= kMinStageGain && g <= kMaxStageGain)) return Reject(boxes);

  const double filterRoot = std::sqrt(static_cast<double>(filterGain));
  const float scalingGain = ToSingle(static_cast<double>(g) / filterRoot);
  const float inputGain = ToSingle(static_cast<double>(g) * kInputStageMultiplier / filterRoot);
  const float offset = ToSingle(static_cast<double>(vt) * static_cast<double>(inputGain));
  if (!AllFinite({scalingGain, inputGain, offset})) return ReportFault(boxes, channel);

  CalcSettings& calc = config.Calc[channel];
  calc.ScalingGain = scalingGain;
  calc.InputGain = inputGain;
  calc.Offset = offset;
  config.Actual[channel].FilterGain = filterGain;
  return true;
}

}  // namespace vernium
