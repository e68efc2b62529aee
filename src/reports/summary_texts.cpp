#include "reports/summary_texts.h"

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "session/session.h"

namespace vernium {

std::string SummaryFilterText(const ChannelConfig& channel) {
  if (!IsTrue(channel.FilterOn)) return "Bypass";
  if (channel.FilterOption == kFilterX1) return "On X1";
  if (channel.FilterOption == kFilterX2) return "On X2";
  return {};
}

std::string SummaryCouplingText(const ChannelConfig& channel) {
  return IsTrue(channel.DCCoupled) ? "DC" : "AC";
}

std::array<std::string, 9> SummarySettingTexts(const Configuration& config, int chan) {
  const ChannelConfig& ch = config.Channels[chan];
  const CalcSettings& calc = config.Calc[chan];
  const ActualSettings& actual = config.Actual[chan];
  return {FormatNumber(actual.InputGain, "#000.00"),
          FormatNumber(calc.InputGain, "#000.00"),
          FormatNumber(actual.ScalingGain, "0.000"),
          FormatNumber(calc.ScalingGain, "0.000"),
          FormatNumber(actual.Offset, "0.000"),
          SummaryFilterText(ch),
          SummaryCouplingText(ch),
          FormatNumber(ch.M, "0.000"),
          FormatNumber(ch.B, "0.000")};
}

PrintoutFacts PrintoutFactsOf(const Session& session) {
  const CalendarDate today = session.SystemTime().Today();
  const AcqDevice* device = session.OpenDevice();
  return {device != nullptr ? device->DeviceName : std::string(),
          CalibrationDate(today.year, today.month, today.day)};
}

}  // namespace vernium
