// The history database: committed entries survive the writer being killed;
// a locked database is said once and written again once free; an older
// schema is brought forward with its entries, a newer one left alone; a
// check's certificate reads the same from its stored entry; as-found and
// as-left checks.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <random>
#include <set>

#include "platform/message_boxes.h"
#include "storage/history_form.h"
#include "storage/history_keeper.h"

namespace vernium {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("vernium-history-" + std::to_string(getpid()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { fs::remove_all(path); }
};

void Sql(const fs::path& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

TEST(History, EveryCommittedEntrySurvivesTheWriterKilledMidWrite) {
  TempFolder dir;
  const fs::path file = dir.path / "history.sqlite";
  std::mt19937 random(std::random_device{}());
  std::set<int> committed;
  int next = 1;
  for (int round = 0; round < 8; ++round) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string first = std::to_string(next);
    char* argv[] = {const_cast<char*>(VERNIUM_HISTORY_WRITER), const_cast<char*>(file.c_str()),
                    const_cast<char*>(first.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // A few commits, then the kill somewhere in the next write.
    FILE* lines = fdopen(out[0], "r");
    int n = 0;
    for (int k = std::uniform_int_distribution(1, 20)(random);
         k > 0 && fscanf(lines, "%d", &n) == 1; --k) {
      committed.insert(n);
    }
    usleep(std::uniform_int_distribution(0, 4000)(random));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    while (fscanf(lines, "%d", &n) == 1) committed.insert(n);
    fclose(lines);
    ASSERT_FALSE(committed.empty()) << "the writer committed nothing in round " << round;
    next = *committed.rbegin() + 2;  // the one killed may or may not be in

    HistoryDatabase db(file);
    ASSERT_EQ(db.Open(), "") << "round " << round;
    std::vector<HistoryEntry> entries;
    ASSERT_EQ(db.Entries(entries), "");
    std::set<int> kept;
    for (const HistoryEntry& e : entries) {
      EXPECT_EQ(e.record.ChannelLabel, "label-" + std::to_string(e.channel));
      EXPECT_EQ(e.record.M, static_cast<float>(e.channel));
      kept.insert(e.channel);
    }
    for (int c : committed)
      EXPECT_TRUE(kept.count(c)) << "entry " << c << " lost in round " << round;
  }
}

TEST(History, ALockedDatabaseIsSaidOnceAndWrittenAgainOnceFree) {
  TempFolder dir;
  ScriptedMessageBoxes boxes;
  HistoryKeeper keeper(boxes, dir.path);
  HistoryEntry first;
  keeper.Append(first);
  ASSERT_GT(first.id, 0);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(keeper.File().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  HistoryEntry blocked, again;
  keeper.Append(blocked);
  keeper.Append(again);
  EXPECT_EQ(blocked.id + again.id, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find("locked"), std::string::npos);
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  HistoryEntry later;
  keeper.Append(later);
  EXPECT_GT(later.id, first.id);
  EXPECT_EQ(keeper.Entries().size(), 2u);
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST(History, AnOlderSchemaIsBroughtForwardWithItsEntries) {
  TempFolder dir;
  const fs::path file = dir.path / HistoryDatabase::kFileName;
  // The history as its first version wrote it: calibrations only.
  Sql(file,
      "CREATE TABLE calibrations (id INTEGER PRIMARY KEY, kind TEXT NOT NULL, recorded_at TEXT "
      "NOT NULL, unit TEXT NOT NULL, channel INTEGER NOT NULL, channel_label TEXT NOT NULL, "
      "card_type TEXT NOT NULL, method TEXT NOT NULL, parameters TEXT NOT NULL, calc_input_gain "
      "REAL, calc_scale_gain REAL, calc_offset REAL, meas_input_gain REAL, meas_scale_gain REAL, "
      "meas_offset REAL, filter_gain INTEGER, m REAL, b REAL, line_m REAL, line_b REAL);"
      "INSERT INTO calibrations VALUES (1, 'calibration', '2025-03-01 08:00:00', 'SIM-PORTABLE', "
      "17, '0-0-1', 'SGC10', 'Nameplate', '{\"units\":\"Newtons\",\"tare\":20}', 1,2,0,1,2,0,1, "
      "147, 20, 147.5, 19.5);"
      "PRAGMA user_version=1;");
  HistoryDatabase db(file);
  ASSERT_EQ(db.Open(), "");
  EXPECT_EQ(db.SchemaVersion(), HistoryDatabase::kSchemaVersion);
  std::vector<HistoryEntry> entries;
  ASSERT_EQ(db.Entries(entries), "");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].record.Units, "Newtons");
  EXPECT_EQ(entries[0].record.Tare, 20.0f);
  EXPECT_EQ(entries[0].scalingLine->m, 147.5);
  EXPECT_EQ(db.SaveSensor(Sensor{"LC-1", "S1", "10", "2", "500", "Newtons", "0"}), "");
  // Parameters another program made a list of: a damaged entry, said as one.
  Sql(file, "UPDATE calibrations SET parameters = '[1, 2]'");
  EXPECT_NE(db.Entries(entries).find("entry 1 is damaged"), std::string::npos);
  EXPECT_TRUE(entries.empty());
  // A file from a newer version is left as it is.
  Sql(file, "PRAGMA user_version=7");
  HistoryDatabase newer(file);
  EXPECT_NE(newer.Open().find("newer version"), std::string::npos);
  EXPECT_EQ(db.SchemaVersion(), 7);
}

TEST(History, ACheckReadsBackAsItsCertificateWasPrinted) {
  TempFolder dir;
  HistoryDatabase db(dir.path / HistoryDatabase::kFileName);
  HistoryEntry check;
  check.kind = HistoryKind::Verification;
  check.recordedAt = "2026-12-07 09:41:07";
  check.record.ChannelLabel = "1-0-3";
  check.method = "Two Point";
  check.scalingLine = LoadLine{147.25, 65.5};
  VerifySpan span{65, 800, "Pounds", LoadLine{147, 65}, LoadLine{147.25, 65.5}, 0.5};
  check.result = CheckPoints({{65, 0.001}, {248.75, 1.2503}, {800, 4.9996}}, span);
  check.tolerancePercent = 0.5;
  check.acBefore = -0.7312;
  check.acAfter = 0.0004;
  check.operatorName = "A. Auditor";
  check.certificate = "1-0-3-20261207-1";
  ASSERT_EQ(db.Append(check), "");
  std::vector<HistoryEntry> entries;
  ASSERT_EQ(db.Entries(entries), "");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(CertificateLines(entries[0]), CertificateLines(check));
  int certificates = 0;
  EXPECT_EQ(db.CertificateCount(certificates), "");
  EXPECT_EQ(certificates, 1);
}

TEST(History, AChannelCheckedAroundARecalibrationHasItsAsFoundAndAsLeft) {
  // Oldest first: C calibration, V check, on channels a and b (A: channel a
  // of another unit).
  struct Case {
    const char* sequence;
    std::vector<std::array<int, 3>> pairs;  // as found, calibration, as left (oldest first)
  };
  const Case cases[] = {
      {"aC aV aC aV", {{1, 2, 3}}},
      {"aV aC aV aV", {{0, 1, 2}}},
      {"aC aV bV aC bC aV bV", {{1, 3, 5}, {2, 4, 6}}},
      {"aV aC aC aV", {{0, 2, 3}}},
      {"aV AC aV", {}},
      {"aV bC aV", {}},
      {"aC aV aC aV aC aV", {{1, 2, 3}, {3, 4, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sequence);
    std::vector<HistoryEntry> entries;  // newest first, as the history gives them
    for (const char* s = c.sequence; *s != '\0'; s += s[2] == ' ' ? 3 : 2) {
      HistoryEntry e;
      e.record.ChannelLabel = std::string(1, static_cast<char>(std::tolower(s[0])));
      e.unit = std::isupper(s[0]) ? "SIM-BOARD-23" : "SIM-PORTABLE";
      e.kind = s[1] == 'V' ? HistoryKind::Verification : HistoryKind::Calibration;
      entries.insert(entries.begin(), e);
    }
    const auto oldest = [&](std::size_t i) { return static_cast<int>(entries.size() - 1 - i); };
    std::vector<std::array<int, 3>> found;
    for (const CheckPair& p : AsFoundAsLeft(entries)) {
      found.push_back({oldest(p.asFound), oldest(p.calibration), oldest(p.asLeft)});
    }
    EXPECT_EQ(found, c.pairs);
  }
}

}  // namespace
}  // namespace vernium
