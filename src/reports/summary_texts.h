#pragma once
// The texts a channel shows in the configuration summary and its printout.

#include <array>
#include <string>

#include "platform/configuration_printer.h"

namespace vernium {

struct ChannelConfig;
struct Configuration;
class Session;

// "Bypass" with the filter off; "On X1" or "On X2" by the filter option.
std::string SummaryFilterText(const ChannelConfig& channel);
// "DC" or "AC".
std::string SummaryCouplingText(const ChannelConfig& channel);

// The last nine values a channel shows in the summary and its printout, in
// their order: the actual and calculated input gains ("#000.00"), the actual
// and calculated scale gains and the offset ("0.000"), the filter and
// coupling texts, M and B ("0.000").
std::array<std::string, 9> SummarySettingTexts(const Configuration& config, int chan);

// The printout's facts in this run: the open unit's name and today's date
// (mm-dd-yyyy, as the calibrated record writes it).
PrintoutFacts PrintoutFactsOf(const Session& session);

}  // namespace vernium
