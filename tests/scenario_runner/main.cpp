// vernium-scenario: runs scenario files against Vernium's real windows on
// the offscreen platform and the simulated acquisition unit.
//
//   vernium-scenario [--out DIR] FILE.scn...
//
// Prints one line per step and a closing "N passed, M failed"; exits non-zero
// when a step failed. Screens of failed steps are saved in DIR (default: the
// current directory).
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "scenario_runner/scenario_runner.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::vector<std::filesystem::path> files;
  std::filesystem::path out = std::filesystem::current_path();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      out = std::filesystem::absolute(argv[++i]);
    } else {
      files.push_back(std::filesystem::absolute(arg));
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: vernium-scenario [--out DIR] FILE.scn...\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vernium");
  vernium::scenario::ScenarioRunner runner(files, out);
  return runner.Run();
}
