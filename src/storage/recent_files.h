#pragma once
// The File menu's "Recent Files": the last five configuration files opened
// or saved, the latest first, kept between runs in a store the program
// passes in (the desktop's settings for the user).

#include <cstddef>
#include <string>
#include <vector>

namespace vernium {

inline constexpr std::size_t kRecentFiles = 5;

// Where the list lasts between runs.
class RecentFilesStore {
 public:
  virtual ~RecentFilesStore() = default;
  virtual std::vector<std::string> Load() = 0;
  virtual void Keep(const std::vector<std::string>& files) = 0;
};

class RecentFiles {
 public:
  // Without a store the list lasts for the run only.
  explicit RecentFiles(RecentFilesStore* store = nullptr);

  // `file` goes to the top; it is there once; the oldest beyond five drops.
  void Add(const std::string& file);
  // A file that could not be opened leaves the list.
  void Remove(const std::string& file);
  const std::vector<std::string>& Files() const { return files_; }

  // The menu caption of entry `index` (from 0): "&1 name.vernium".
  static std::string Caption(std::size_t index, const std::string& file);

 private:
  void Keep();
  RecentFilesStore* store_;
  std::vector<std::string> files_;
};

}  // namespace vernium
