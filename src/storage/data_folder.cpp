#include "storage/data_folder.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace vernium {

namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::filesystem::path DataFolderFrom(const std::optional<std::string>& xdgDataHome,
                                     const std::optional<std::string>& home) {
  if (xdgDataHome && std::filesystem::path(*xdgDataHome).is_absolute()) {
    return std::filesystem::path(*xdgDataHome) / "vernium";
  }
  if (home && std::filesystem::path(*home).is_absolute()) {
    return std::filesystem::path(*home) / ".local" / "share" / "vernium";
  }
  return {};
}

std::filesystem::path DefaultDataFolder() {
  return DataFolderFrom(Environment("XDG_DATA_HOME"), Environment("HOME"));
}

std::string PrepareDataFolder(const std::filesystem::path& folder) {
  if (folder.empty()) return "no data folder is known (HOME is not set)";
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) return failed.message();
  if (!std::filesystem::is_directory(folder, failed)) return "it is not a folder";
  // A probe file tells a read-only folder from a writable one where the
  // permission bits alone would not (a read-only mount, another owner).
  const std::filesystem::path probe = folder / ".vernium-probe";
  {
    std::ofstream out(probe);
    if (!out) return "it cannot be written";
  }
  std::filesystem::remove(probe, failed);
  return {};
}

}  // namespace vernium
