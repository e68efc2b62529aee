#include "storage/history_keeper.h"

#include "platform/message_boxes.h"

namespace vernium {

std::filesystem::path HistoryKeeper::File() const {
  return HasFolder() ? folder_ / HistoryDatabase::kFileName : std::filesystem::path();
}

HistoryDatabase* HistoryKeeper::Database() {
  if (!HasFolder()) return nullptr;
  if (!db_ || db_->File() != File()) db_ = std::make_unique<HistoryDatabase>(File());
  return db_.get();
}

std::string HistoryKeeper::TroubleText(const std::string& reason) const {
  return "The calibration history " + File().string() + " cannot be used: " + reason +
         ".\n\nCalibrations and checks go on as usual and stand; they are not kept in the "
         "history until it can be written again. This is said once a run.";
}

void HistoryKeeper::HistoryTrouble(const std::string& reason) {
  if (reason.empty() || said_) return;
  said_ = true;
  messages_.Show(TroubleText(reason), kHistoryTitle, MsgIcon::Exclamation, MsgButtons::OK);
}

bool HistoryKeeper::SensorTrouble(const std::string& reason) {
  if (reason.empty()) return false;
  messages_.Show("The sensor library in " + File().string() + " cannot be used: " + reason + ".",
                 "Sensors", MsgIcon::Exclamation, MsgButtons::OK);
  return true;
}

void HistoryKeeper::CalibrationCompleted(const Session& session, int channel) {
  if (!HasFolder()) return;
  HistoryEntry entry = CalibrationEntryOf(session, channel);
  Append(entry);
}

void HistoryKeeper::Append(HistoryEntry& entry) {
  if (HistoryDatabase* db = Database()) HistoryTrouble(db->Append(entry));
}

int HistoryKeeper::CertificatesKept() {
  int count = 0;
  if (HistoryDatabase* db = Database()) HistoryTrouble(db->CertificateCount(count));
  return count;
}

std::vector<HistoryEntry> HistoryKeeper::Entries() {
  std::vector<HistoryEntry> entries;
  if (HistoryDatabase* db = Database()) HistoryTrouble(db->Entries(entries));
  return entries;
}

std::vector<Sensor> HistoryKeeper::Sensors() {
  std::vector<Sensor> sensors;
  if (HistoryDatabase* db = Database()) SensorTrouble(db->Sensors(sensors));
  return sensors;
}

bool HistoryKeeper::SaveSensor(const Sensor& sensor) {
  HistoryDatabase* db = Database();
  return db != nullptr && !SensorTrouble(db->SaveSensor(sensor));
}

bool HistoryKeeper::RemoveSensor(const std::string& name) {
  HistoryDatabase* db = Database();
  return db != nullptr && !SensorTrouble(db->RemoveSensor(name));
}

}  // namespace vernium
