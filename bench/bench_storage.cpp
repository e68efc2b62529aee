// Configuration files with every card channel declared, calibrated and
// verified (256 channels on 16 base channels, SGC50 cards). Prints
//   save_256_channels_ms: N   the file's text made and written atomically
//   open_256_channels_ms: N   the file read, checked and taken into a
//                             configuration
// each the median of eleven runs (goal: 50 ms or less).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "storage/configuration_file.h"

namespace configuration_files_bench {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Two SGC50 cards on each base channel, every channel calibrated and its
// check with known loads passed, as the card panel and the wizard leave them.
void DeclareAllVerified(vernium::Configuration& c) {
  vernium::InitTables(c);
  for (int b = 0; b < vernium::kBaseChannels; ++b) {
    vernium::BaseChannel& base = c.Base[b];
    base.ChanCount = 16;
    for (int s = 0; s < vernium::kSlots; ++s) {
      const int chan = 16 * b + s + 16;
      const std::string label =
          std::to_string(b) + "-" + std::to_string(s / 8) + "-" + std::to_string(s % 8);
      base.ChanLabel[s] = label;
      base.CardType[s] = "SGC50";
      base.CalStatus[s] = "12-05-2026";
      vernium::ChannelConfig& ch = c.Channels[chan];
      ch.CardType = "SGC50";
      ch.ChannelLabel = label;
      ch.Active = vernium::kTrue16;
      ch.Calibrated = "Yes";
      ch.FilterOption = "Bypass";
      ch.M = 147.0f + static_cast<float>(s) / 7.0f;
      ch.B = 65.0f;
      c.Calc[chan] = {184.43f, 1.844f, 0.0123f};
      c.Actual[chan] = {184.58f, 1.845f, 0.0004f, 1};
      c.Verified[chan] = {true, 146.93f, 65.02f, "Two Point"};
    }
  }
  c.NoCardsFlag = vernium::kFalse16;
}

// Prints the two figures; false when a save or an open failed.
bool MeasureConfigurationFiles() {
  vernium::Configuration config;
  DeclareAllVerified(config);
  const vernium::ConfigurationFacts facts{"SIM-PORTABLE", true, {}};
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "vernium-bench-storage.vernium";
  std::vector<double> saves, opens;
  for (int run = 0; run < 11; ++run) {
    const Clock::time_point saveStart = Clock::now();
    const std::string problem =
        vernium::WriteFileAtomically(file, vernium::ConfigurationText(config, facts));
    saves.push_back(MsSince(saveStart));
    if (!problem.empty()) {
      std::fprintf(stderr, "save failed: %s\n", problem.c_str());
      return false;
    }
    vernium::Configuration opened;
    const Clock::time_point openStart = Clock::now();
    const vernium::ReadConfiguration read = vernium::ReadConfigurationFile(file);
    if (read.document) vernium::TakeContent(opened, read.document->config);
    opens.push_back(MsSince(openStart));
    if (!read.document || !vernium::SameContent(opened, config)) {
      std::fprintf(stderr, "open failed: %s\n", read.problem.c_str());
      return false;
    }
  }
  std::filesystem::remove(file);
  std::printf("save_256_channels_ms: %.1f\n", Median(saves));
  std::printf("open_256_channels_ms: %.1f\n", Median(opens));
  return true;
}

}  // namespace configuration_files_bench

int main() {
  return configuration_files_bench::MeasureConfigurationFiles() ? 0 : 1;
}
