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

PrintoutFacts PrintoutFactsOf(const Session& session) {
  const CalendarDate today = session.SystemTime().Today();
  const AcqDevice* device = session.OpenDevice();
  return {device != nullptr ? device->DeviceName : std::string(),
          CalibrationDate(today.year, today.month, today.day)};
}

}  // namespace vernium
