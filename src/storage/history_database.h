#pragma once
// The history database: one SQLite file in the data folder holding the
// calibration history (every completed calibration and every check with
// known loads) and the sensor library. It is opened in WAL mode with
// synchronous commits, and each entry is written in a transaction of its
// own, so that an entry is either wholly there or not at all, whatever
// happens to the program while it writes. The schema carries its version
// (the file's user_version) and is brought forward step by step when an
// older file is opened; a file from a newer version is left alone.
//
// Every operation returns an empty text when it worked, else the reason,
// for a message.

#include <filesystem>
#include <string>
#include <vector>

#include "calibration/sensor_library.h"
#include "verify/history_entry.h"

struct sqlite3;

namespace vernium {

class HistoryDatabase {
 public:
  // The version the schema is brought to.
  static constexpr int kSchemaVersion = 2;
  // The file's name in the data folder.
  static constexpr const char* kFileName = "history.sqlite";

  explicit HistoryDatabase(std::filesystem::path file);
  ~HistoryDatabase();
  HistoryDatabase(const HistoryDatabase&) = delete;
  HistoryDatabase& operator=(const HistoryDatabase&) = delete;

  const std::filesystem::path& File() const { return file_; }
  // Opens the file, creating it or bringing its schema forward; does
  // nothing when it is open. Closed again when it fails.
  std::string Open();
  void Close();
  // The schema version of the open file.
  int SchemaVersion();

  // Appends the entry, setting its id.
  std::string Append(HistoryEntry& entry);
  // Every entry, newest first.
  std::string Entries(std::vector<HistoryEntry>& out);
  // How many entries carry a certificate number.
  std::string CertificateCount(int& count);

  std::string Sensors(std::vector<Sensor>& out);
  std::string SaveSensor(const Sensor& sensor);
  std::string RemoveSensor(const std::string& name);

 private:
  std::string Exec(const char* sql);
  std::string Error() const;
  std::string Migrate();

  std::filesystem::path file_;
  sqlite3* db_ = nullptr;
};

}  // namespace vernium
