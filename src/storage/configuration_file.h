#pragma once
// Configuration files (".vernium"): the whole configuration a technician has
// built, kept as JSON so that a later run picks the work up where it was:
// the cards on each base channel with the grid's texts, every channel record
// with its parameters, the calculated and measured settings, the scaling
// line M and B, the check with known loads and its verified line, and the
// selected row. The file carries a format version; a file written by a newer
// format, or one that is damaged or cut short, is refused whole.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/configuration.h"

namespace vernium {

inline constexpr std::string_view kConfigurationExtension = ".vernium";
inline constexpr std::string_view kConfigurationFilter = "Vernium configuration (*.vernium)";
inline constexpr int kConfigurationFormatVersion = 1;

// What a configuration file holds besides the configuration tables.
struct ConfigurationFacts {
  std::string unit;            // the acquisition unit open when it was saved
  bool writeVerified = false;  // Options > Write Verified Scaling
  // The file this configuration was last opened from or saved as (kept in
  // the last session only, so that restoring it names the file again).
  std::string sourceFile;
};

struct ConfigurationDocument {
  Configuration config;
  ConfigurationFacts facts;
};

// The file's text: pretty-printed JSON, the same text for the same content.
std::string ConfigurationText(const Configuration& config, const ConfigurationFacts& facts);

// The document a file's text holds, or why it cannot be read ("it was saved
// by a newer version of Vernium ..."): `problem` is set and `document` empty.
struct ReadConfiguration {
  std::optional<ConfigurationDocument> document;
  std::string problem;
};
ReadConfiguration ParseConfigurationText(std::string_view text);

// Reads and parses the file.
ReadConfiguration ReadConfigurationFile(const std::filesystem::path& file);

// Writes `text` to `file` whole or not at all: into a temporary file beside
// it, then renamed over it, so that an interrupted save leaves the old file
// as it was. Empty when it worked, else the reason.
std::string WriteFileAtomically(const std::filesystem::path& file, std::string_view text);

// True when the two configurations hold the same tables (the selection and
// the other run-time values aside): what decides whether there are changes
// to save.
bool SameContent(const Configuration& a, const Configuration& b);

// Copies the saved tables and selection of `from` into `to`, leaving its
// run-time values (Reinitializing, GridRowCount) alone.
void TakeContent(Configuration& to, const Configuration& from);

}  // namespace vernium
