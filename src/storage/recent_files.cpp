#include "storage/recent_files.h"

#include <algorithm>
#include <filesystem>

namespace vernium {

RecentFiles::RecentFiles(RecentFilesStore* store) : store_(store) {
  if (store_ == nullptr) return;
  for (const std::string& file : store_->Load()) {
    if (!file.empty() && std::find(files_.begin(), files_.end(), file) == files_.end() &&
        files_.size() < kRecentFiles) {
      files_.push_back(file);
    }
  }
}

void RecentFiles::Add(const std::string& file) {
  std::erase(files_, file);
  files_.insert(files_.begin(), file);
  if (files_.size() > kRecentFiles) files_.resize(kRecentFiles);
  Keep();
}

void RecentFiles::Remove(const std::string& file) {
  std::erase(files_, file);
  Keep();
}

std::string RecentFiles::Caption(std::size_t index, const std::string& file) {
  // An & in the name would be read as the access key.
  std::string name;
  for (char c : std::filesystem::path(file).filename().string()) {
    name += c;
    if (c == '&') name += '&';
  }
  return "&" + std::to_string(index + 1) + " " + name;
}

void RecentFiles::Keep() {
  if (store_ != nullptr) store_->Keep(files_);
}

}  // namespace vernium
