#pragma once
// The texts a channel shows in the configuration summary and its printout.

#include <string>

namespace vernium {

struct ChannelConfig;

// "Bypass" with the filter off; "On X1" or "On X2" by the filter option.
std::string SummaryFilterText(const ChannelConfig& channel);
// "DC" or "AC".
std::string SummaryCouplingText(const ChannelConfig& channel);

}  // namespace vernium
