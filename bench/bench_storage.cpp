// Timing of what Vernium keeps between runs. Prints
//   save_256_channels_ms: N   a configuration file with every card channel
//                             declared, calibrated and verified (256
//                             channels on 16 base channels, SGC50 cards):
//                             its text made and written atomically
//   open_256_channels_ms: N   the file read, checked and taken into a
//                             configuration
// each the median of eleven runs (goal: 50 ms or less), and
//   history_append_ms: N      appending one verification (five points, its
//                             fit and certificate) to the history database
//                             in the temporary folder, WAL mode, synchronous
//                             commit: the median of many appends to a
//                             history that already holds a few hundred
//                             entries (goal: 20 ms or less)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "storage/configuration_file.h"
#include "storage/history_database.h"
#include "verify/verify_fit.h"

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

namespace {

using namespace vernium;

HistoryEntry Verification(int n) {
  HistoryEntry e;
  e.kind = HistoryKind::Verification;
  e.recordedAt = "2026-12-07 10:00:00";
  e.unit = "SIM-PORTABLE";
  e.channel = 16 + n % 256;
  e.record.ChannelLabel = "1-0-" + std::to_string(n % 8);
  e.record.CardType = "SGC50";
  e.method = "Nameplate";
  e.scalingLine = LoadLine{147.0, 65.0};
  const VerifySpan span{65, 800, "Pounds", LoadLine{147, 65}, LoadLine{147, 65}, 0.5};
  std::vector<VerifyPoint> points;
  for (double load : PlannedLoads(65, 800)) points.push_back({load, (load - 65) / 147.0});
  e.result = CheckPoints(points, span);
  e.tolerancePercent = 0.5;
  e.operatorName = "Bench";
  e.certificate = "1-0-0-20261207-" + std::to_string(n);
  return e;
}

bool MeasureHistoryAppend() {
  const auto file = std::filesystem::temp_directory_path() / "vernium-bench-history.sqlite";
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  HistoryDatabase db(file);
  if (!db.Open().empty()) return false;
  for (int n = 0; n < 300; ++n) {
    HistoryEntry e = Verification(n);
    if (!db.Append(e).empty()) return false;
  }
  std::vector<double> ms;
  for (int n = 0; n < 100; ++n) {
    HistoryEntry e = Verification(n);
    const auto start = std::chrono::steady_clock::now();
    if (!db.Append(e).empty()) return false;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::printf("history_append_ms: %.2f\n", configuration_files_bench::Median(ms));
  db.Close();
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  return true;
}

}  // namespace

int main() {
  const bool files = configuration_files_bench::MeasureConfigurationFiles();
  return files && MeasureHistoryAppend() ? 0 : 1;
}
