#pragma once
// The texts a channel shows in the configuration summary and its printout.

#include <string>

#include "platform/configuration_printer.h"

namespace vernium {

struct ChannelConfig;
class Session;

// "Bypass" with the filter off; "On X1" or "On X2" by the filter option.
std::string SummaryFilterText(const ChannelConfig& channel);
// "DC" or "AC".
std::string SummaryCouplingText(const ChannelConfig& channel);

// The printout's facts in this run: the open unit's name and today's date
// (mm-dd-yyyy, as the calibrated record writes it).
PrintoutFacts PrintoutFactsOf(const Session& session);

}  // namespace vernium
