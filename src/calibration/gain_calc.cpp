#include "calibration/gain_calc.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <tuple>

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

NameplateFromPoints ReducePoints(float excitation, float pnt1mVolts, float pnt1Value,
                                 float pnt2mVolts, float pnt2Value) {
  const float out1 = ToSingle(pnt1mVolts / kMillivoltsPerVolt);
  const float out2 = ToSingle(pnt2mVolts / kMillivoltsPerVolt);
  NameplateFromPoints result;
  float output = 0.0f;
  float value = 0.0f;
  if (out2 != 0.0f && pnt2Value != 0.0f) {
    output = out2;
    value = pnt2Value;
  } else if (out1 != 0.0f && pnt1Value != 0.0f) {
    output = out1;
    value = pnt1Value;
  } else {
    return result;
  }
  result.enoughPoints = true;
  // The entry field keeps the excitation within 1.5..10.5 V. Should a zero
  // or undefined excitation arrive all the same, there is no sensitivity
  // rather than an infinite or undefined one; the calculation that follows
  // rejects a zero excitation (no bridge output) and reports an undefined one.
  if (excitation == 0.0f) return result;
  const float sensitivity = ToSingle(static_cast<double>(output) / static_cast<double>(excitation));
  if (std::isfinite(sensitivity)) result.sensitivityAndFullLoad = {sensitivity, value};
  return result;
}

void TwoPointToNameplate(Configuration& config, int channel, float pnt1mVolts, float pnt1Value,
                         float pnt2mVolts, float pnt2Value, MessageBoxes& boxes) {
  ChannelConfig& record = config.Channels[channel];
  const NameplateFromPoints reduced =
      ReducePoints(record.Excitation, pnt1mVolts, pnt1Value, pnt2mVolts, pnt2Value);
  if (!reduced.enoughPoints) {
    boxes.Show(kTwoPointShortText, kAppTitle, MsgIcon::Critical, MsgButtons::OK);
    return;
  }
  if (reduced.sensitivityAndFullLoad) {
    std::tie(record.Sensitivity, record.FullLoad) = *reduced.sensitivityAndFullLoad;
  }
}

GainPlan PlanGains(const ChannelConfig& record) {
  GainPlan plan;
  if (!AllFinite(
          {record.Excitation, record.Sensitivity, record.FullLoad, record.MaxLoad, record.Tare})) {
    return plan;  // a fault
  }
  plan.vt = BridgeVolts(record.Tare, record.FullLoad, record.Excitation, record.Sensitivity);
  plan.vm = BridgeVolts(record.MaxLoad, record.FullLoad, record.Excitation, record.Sensitivity);
  plan.filterGain = (record.FilterOn & record.GainX2) != 0 ? 2 : 1;

  plan.span = ToSingle(static_cast<double>(plan.vm) - static_cast<double>(plan.vt));
  // A NaN span fails both comparisons and is rejected with the rest.
  if (!(plan.span >= kMinSpanVolts && plan.span <= kMaxSpanVolts)) {
    plan.outcome = GainOutcome::SpanOutOfRange;
    return plan;
  }
  plan.g = ToSingle(std::sqrt(kBaseFactor / static_cast<double>(plan.span)));
  if (!std::isfinite(plan.g)) {
    plan.outcome = GainOutcome::Fault;
    return plan;
  }
  if (!(plan.g >= kMinStageGain && plan.g <= kMaxStageGain)) {
    plan.outcome = GainOutcome::RatioOutOfRange;
    return plan;
  }
  const double filterRoot = std::sqrt(static_cast<double>(plan.filterGain));
  plan.scalingGain = ToSingle(static_cast<double>(plan.g) / filterRoot);
  plan.inputGain = ToSingle(static_cast<double>(plan.g) * kInputStageMultiplier / filterRoot);
  plan.offset = ToSingle(static_cast<double>(plan.vt) * static_cast<double>(plan.inputGain));
  plan.outcome = AllFinite({plan.scalingGain, plan.inputGain, plan.offset}) ? GainOutcome::Fits
                                                                             : GainOutcome::Fault;
  return plan;
}

bool CalcGains(Configuration& config, int channel, MessageBoxes& boxes) {
  const GainPlan plan = PlanGains(config.Channels[channel]);
  switch (plan.outcome) {
    case GainOutcome::Fault:
      return ReportFault(boxes, channel);
    case GainOutcome::SpanOutOfRange:
    case GainOutcome::RatioOutOfRange:
      return Reject(boxes);
    case GainOutcome::Fits:
      break;
  }
  CalcSettings& calc = config.Calc[channel];
  calc.ScalingGain = plan.scalingGain;
  calc.InputGain = plan.inputGain;
  calc.Offset = plan.offset;
  config.Actual[channel].FilterGain = plan.filterGain;
  return true;
}

}  // namespace vernium
