#pragma once
// The scales export: every calibrated channel's line as a CSV table, for a
// data system that does not read the scaling file's format. One row a
// channel, in channel order: its label, card, units, the scaling file's m
// and b (worked out from the gains measured on the card), the verified m
// and b where a check with known loads passed, and the calibration date.

#include <string>

#include "model/configuration.h"

namespace vernium {

inline constexpr std::string_view kScalesFilter = "CSV table (*.csv)";
inline constexpr std::string_view kScalesSuggestedName = "scales.csv";

// One field of a CSV table: as it is, or in quotes (quotes in it doubled)
// when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// How many channels the export lists: the active ones that are calibrated,
// as the scaling file has them.
int ExportedChannelCount(const Configuration& config);

// The table's text: a header line, then one line a channel, each ended by
// CR LF; a text holding a comma or a quote is quoted.
std::string ScalesCsv(const Configuration& config);

}  // namespace vernium
