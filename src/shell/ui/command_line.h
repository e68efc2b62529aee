#pragma once
// Vernium's command line, read with Qt's parser before any window exists:
//   -h, --help          the options, then exit
//   -v, --version       "Vernium <version>", then exit
//   --device NAME       open that unit at start-up, without the device window
//   --bench             open the simulated unit's bench beside the main window
//   --output-dir DIR    where the scaling file is written at exit
//   --data-dir DIR      the data folder (last session, history, sensors)
//   --restore           bring back the last session kept in the data folder
// The options Qt's own application object takes (-platform, -style, ...)
// are let through for it. Mistakes end the program with status 2 and a line
// on standard error, before any window opens.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace vernium {
class AcqLibObject;
}

namespace vernium::qtui {

struct StartOptions {
  bool bench = false;
  bool restore = false;
  std::optional<std::string> device;
  std::optional<std::string> outputDir;
  // The user's data folder, `--data-dir` or the XDG default; empty when
  // neither is known (no HOME), and then nothing is kept between runs.
  std::filesystem::path dataDir;
};

// What to do after reading the command line: run with the options, or end
// at once with `exitStatus`, having printed `out` and `err`.
struct CommandLine {
  std::optional<StartOptions> run;
  int exitStatus = 0;
  std::string out;
  std::string err;
};

inline constexpr int kUsageError = 2;

// `arguments` as main() gets them, the program's name first. `library` is
// the acquisition library the device name is looked up in.
CommandLine ReadCommandLine(const QStringList& arguments, AcqLibObject& library);

}  // namespace vernium::qtui
