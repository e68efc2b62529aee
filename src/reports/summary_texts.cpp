#include "reports/summary_texts.h"

#include "model/configuration.h"

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

}  // namespace vernium
