#include "scenario_runner/model_access.h"

namespace vernium::scenario {

std::optional<FieldValue> ChannelField(const Configuration& config, int channel,
                                       const std::string& field) {
  if (channel < ChannelTable::kLow || channel > ChannelTable::kHigh) return std::nullopt;
  const ChannelConfig& c = config.Channels[channel];
  const CalcSettings& calc = config.Calc[channel];
  const ActualSettings& actual = config.Actual[channel];
  if (field == "M") return double{c.M};
  if (field == "B") return double{c.B};
  if (field == "ChannelLabel") return c.ChannelLabel;
  if (field == "FilterOption") return c.FilterOption;
  if (field == "Active") return IsTrue(c.Active);
  if (field == "Calibrated") return c.Calibrated;
  if (field == "CardType") return c.CardType;
  if (field == "Units") return c.Units;
  if (field == "Excitation") return double{c.Excitation};
  if (field == "Sensitivity") return double{c.Sensitivity};
  if (field == "FullLoad") return double{c.FullLoad};
  if (field == "MaxLoad") return double{c.MaxLoad};
  if (field == "Tare") return double{c.Tare};
  if (field == "FilterOn") return IsTrue(c.FilterOn);
  if (field == "GainX2") return IsTrue(c.GainX2);
  if (field == "DCCoupled") return IsTrue(c.DCCoupled);
  if (field == "Pnt1Volts") return double{c.Pnt1Volts};
  if (field == "Pnt1Value") return double{c.Pnt1Value};
  if (field == "Pnt2Volts") return double{c.Pnt2Volts};
  if (field == "Pnt2Value") return double{c.Pnt2Value};
  if (field == "ShuntCalValue") return double{c.ShuntCalValue};
  if (field == "Calc.InputGain") return double{calc.InputGain};
  if (field == "Calc.ScalingGain") return double{calc.ScalingGain};
  if (field == "Calc.Offset") return double{calc.Offset};
  if (field == "Actual.InputGain") return double{actual.InputGain};
  if (field == "Actual.ScalingGain") return double{actual.ScalingGain};
  if (field == "Actual.Offset") return double{actual.Offset};
  if (field == "Actual.FilterGain") return double{static_cast<double>(actual.FilterGain)};
  return std::nullopt;
}

}  // namespace vernium::scenario
