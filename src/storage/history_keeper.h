#pragma once
// The calibration history and the sensor library as the windows reach them:
// the history database in the data folder, opened on first use. Without a
// data folder nothing is kept and nothing is said. A database that cannot
// be opened or written (locked by another program, read-only, damaged, from
// a newer version) is said once a run, in one message; the calibration or
// check that was to be kept stands all the same. What the technician asks of
// the sensor library itself is answered each time.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calibration/sensor_library.h"
#include "storage/history_database.h"
#include "verify/history_entry.h"

namespace vernium {

class MessageBoxes;

inline constexpr std::string_view kHistoryTitle = "Calibration History";

class HistoryKeeper : public VerificationHistory, public SensorLibrary {
 public:
  // `folder` is the data folder, read at each use (empty: none, nothing is
  // kept); the keeper's user owns it and may set it later.
  HistoryKeeper(MessageBoxes& messages, const std::filesystem::path& folder)
      : messages_(messages), folder_(folder) {}
  HistoryKeeper(MessageBoxes& messages, std::filesystem::path&& folder) = delete;

  bool HasFolder() const { return !folder_.empty(); }
  std::filesystem::path File() const;

  // ---- the history ----
  void CalibrationCompleted(const Session& session, int channel) override;
  void Append(HistoryEntry& entry) override;
  int CertificatesKept() override;
  // Every entry, newest first (none when it cannot be read: said once).
  std::vector<HistoryEntry> Entries();

  // ---- the sensor library ----
  bool Available() const override { return HasFolder(); }
  std::vector<Sensor> Sensors() override;
  bool SaveSensor(const Sensor& sensor) override;
  bool RemoveSensor(const std::string& name) override;

  // The message for a database that cannot be used, with the reason.
  std::string TroubleText(const std::string& reason) const;

 private:
  // The history's trouble, said once a run.
  void HistoryTrouble(const std::string& reason);
  bool SensorTrouble(const std::string& reason);
  // The database in the folder (null without one).
  HistoryDatabase* Database();

  MessageBoxes& messages_;
  const std::filesystem::path& folder_;
  std::unique_ptr<HistoryDatabase> db_;
  bool said_ = false;
};

}  // namespace vernium
