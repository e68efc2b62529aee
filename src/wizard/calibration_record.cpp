#include "wizard/calibration_record.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "calibration/precal_state.h"
#include "calibration/scaling_file.h"
#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/controls.h"

namespace vernium {

std::int16_t CardChannelNumber(const Grid& grdChannel, int row) {
  return CardChannelNumber(grdChannel.Cell(row, 1), grdChannel.Cell(row, 5));
}

void MarkUncalibrated(Configuration& config, Grid& grdChannel) {
  const int row = config.CurrentRow;
  grdChannel.row = row;
  grdChannel.rowSel = row;
  const std::string label = grdChannel.Cell(row, 1);
  const int b = BaseOfLabel(label);
  const int n = CardChannelNumber(grdChannel, row);
  grdChannel.Cell(row, 4) = "No";

  const int chan = config.CurrentChannel;
  config.Channels[chan].Calibrated = "No";
  config.Actual[chan].InputGain = 0.0f;
  config.Calc[chan].InputGain = 0.0f;
  config.Actual[chan].ScalingGain = 0.0f;
  config.Calc[chan].ScalingGain = 0.0f;
  config.Actual[chan].Offset = 0.0f;
  config.Verified[chan] = VerifiedLine{};

  config.Base[b].CalStatus[n - 1] = "No";
}

void MarkCalibrated(Configuration& config, Grid& grdChannel, const PreCalState& preCal,
                    CalendarDate today) {
  const int row = config.CurrentRow;
  grdChannel.row = row;
  grdChannel.rowSel = row;
  const std::string label = grdChannel.Cell(row, 1);
  const std::string date = CalibrationDate(today.year, today.month, today.day);
  grdChannel.Cell(row, 4) = date;
  const int n = CardChannelNumber(grdChannel, row);
  const int b = BaseOfLabel(label);
  config.Base[b].CalStatus[n - 1] = date;

  ChannelConfig& channel = config.Channels[config.CurrentChannel];
  channel.Calibrated = "Yes";
  // A new calibration is checked afresh before its verified line counts.
  config.Verified[config.CurrentChannel] = VerifiedLine{};
  config.Verified[config.CurrentChannel].method = MethodName(preCal.SelectedMethod());
  auto value = [](const TextBox& box) { return LeadingNumber(box.text); };
  if (preCal.SelectedMethod() == kMethodTwoPoint) {
    channel.M = static_cast<float>((value(preCal.txtPnt2Value) - value(preCal.txtPnt1Value)) / 5.0);
    channel.B = static_cast<float>(value(preCal.txtPnt1Value));
  } else {
    channel.M = static_cast<float>((value(preCal.txtMaxLoad) - value(preCal.txtOffset)) / 5.0);
    channel.B = static_cast<float>(value(preCal.txtOffset));
  }
}

void MeasureStep(Configuration& config, int step, float v) {
  ActualSettings& actual = config.Actual[config.CurrentChannel];
  const double g = NonZero(actual.FilterGain);
  const double reading = v;
  switch (step) {
    case 2:
      actual.Offset = static_cast<float>(-(reading / 1.2) / g);
      break;
    case 3:
      actual.InputGain = static_cast<float>((reading / g + actual.Offset) / 0.005);
      break;
    case 4:
      actual.ScalingGain = static_cast<float>(
          (reading / g) / NonZero(static_cast<double>(actual.InputGain) * 0.005 - actual.Offset));
      break;
    default:
      break;
  }
}

bool OffsetNotZero(const Configuration& config) {
  return std::fabs(static_cast<double>(config.Actual[config.CurrentChannel].Offset)) > 0.01;
}

std::string CalibrationSummary(const Configuration& config) {
  const int chan = config.CurrentChannel;
  const ActualSettings& actual = config.Actual[chan];
  const CalcSettings& calc = config.Calc[chan];
  const ChannelConfig& channel = config.Channels[chan];
  auto measured = [](std::string_view what, double reached, double calculated,
                     std::string_view pattern, std::string_view unit) {
    return std::string(what) + " " + FormatNumber(reached, pattern) + std::string(unit) +
           ", calculated " + FormatNumber(calculated, pattern) + std::string(unit) + "\n";
  };
  const std::optional<std::string> line = ScalingFileLine(chan, channel, actual);
  return "Measured on the card:\n" +
         measured("Input gain", actual.InputGain, calc.InputGain, "0.000", "") +
         measured("Scale gain", actual.ScalingGain, calc.ScalingGain, "0.000", "") +
         measured("Offset", actual.Offset, calc.Offset, "0.0000", " V") +
         "Scaling y = M x + B: M = " + GeneralFormat(channel.M) +
         ", B = " + GeneralFormat(channel.B) + "\n" +
         "Scaling file: " + line.value_or("no line: its m and b cannot be worked out");
}

}  // namespace vernium
