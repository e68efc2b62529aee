#pragma once
// The user's data folder, where Vernium keeps what lasts between runs (the
// last session, the calibration history and the sensor library):
// `$XDG_DATA_HOME/vernium/`, or `~/.local/share/vernium/` when XDG_DATA_HOME
// is unset or not absolute (the XDG base-directory rule). `--data-dir DIR`
// on the command line takes its place.

#include <filesystem>
#include <optional>
#include <string>

namespace vernium {

// The folder named by the environment: `xdgDataHome` and `home` are the
// values of XDG_DATA_HOME and HOME (absent when unset). Empty when neither
// gives an absolute path.
std::filesystem::path DataFolderFrom(const std::optional<std::string>& xdgDataHome,
                                     const std::optional<std::string>& home);

// The same, read from this process's environment.
std::filesystem::path DefaultDataFolder();

// Creates `folder` and its parents when missing. Empty when the folder is
// there and writable, else the reason, for a message.
std::string PrepareDataFolder(const std::filesystem::path& folder);

}  // namespace vernium
