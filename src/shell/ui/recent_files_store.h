#pragma once
// The recent configuration files kept in the desktop's settings store for
// the user, beside the windows' places.

#include <QSettings>
#include <memory>

#include "storage/recent_files.h"

namespace vernium::qtui {

class QtRecentFilesStore : public RecentFilesStore {
 public:
  explicit QtRecentFilesStore(std::unique_ptr<QSettings> settings)
      : settings_(std::move(settings)) {}
  std::vector<std::string> Load() override;
  void Keep(const std::vector<std::string>& files) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace vernium::qtui
