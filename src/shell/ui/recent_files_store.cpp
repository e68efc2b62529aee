#include "shell/ui/recent_files_store.h"

#include <QStringList>

namespace vernium::qtui {

namespace {
constexpr const char* kKey = "files/recent";
}  // namespace

std::vector<std::string> QtRecentFilesStore::Load() {
  std::vector<std::string> files;
  for (const QString& file : settings_->value(kKey).toStringList()) {
    files.push_back(file.toStdString());
  }
  return files;
}

void QtRecentFilesStore::Keep(const std::vector<std::string>& files) {
  QStringList list;
  for (const std::string& file : files) list << QString::fromStdString(file);
  settings_->setValue(kKey, list);
  settings_->sync();
}

}  // namespace vernium::qtui
