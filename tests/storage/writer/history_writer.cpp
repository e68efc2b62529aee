// Appends calibrations to the history database FILE as fast as it can,
// numbering their channels from FIRST, and prints each number once its
// entry is committed. The history's crash test kills it mid-write.
//
//   history_writer FILE FIRST
#include <cstdio>
#include <cstdlib>
#include <string>

#include "storage/history_database.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  vernium::HistoryDatabase db(argv[1]);
  for (int n = std::atoi(argv[2]);; ++n) {
    vernium::HistoryEntry entry;
    entry.recordedAt = "2026-12-07 10:00:00";
    entry.channel = n;
    entry.record.ChannelLabel = "label-" + std::to_string(n);
    entry.record.M = static_cast<float>(n);
    if (!db.Append(entry).empty()) return 1;
    std::printf("%d\n", n);
    std::fflush(stdout);
  }
}
