// Timing of the calibration history on disk. Prints
//   history_append_ms: N   appending one verification (five points, its fit
//                          and certificate) to the history database in the
//                          temporary folder, WAL mode, synchronous commit:
//                          the median of many appends to a history that
//                          already holds a few hundred entries
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "storage/history_database.h"
#include "verify/verify_fit.h"

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  const auto file = std::filesystem::temp_directory_path() / "vernium-bench-history.sqlite";
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  HistoryDatabase db(file);
  if (!db.Open().empty()) return 1;
  for (int n = 0; n < 300; ++n) {
    HistoryEntry e = Verification(n);
    if (!db.Append(e).empty()) return 1;
  }
  std::vector<double> ms;
  for (int n = 0; n < 100; ++n) {
    HistoryEntry e = Verification(n);
    const auto start = std::chrono::steady_clock::now();
    if (!db.Append(e).empty()) return 1;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::printf("history_append_ms: %.2f\n", Median(ms));
  db.Close();
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  return 0;
}
