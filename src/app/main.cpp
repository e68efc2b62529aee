// Vernium: configuration and hand adjustment of strain-gage signal-conditioning
// cards. Starts the main window on the simulated acquisition unit.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

#include "simulator/simulated_unit.h"
#include "shell/ui/vernium_app.h"

namespace {

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "vernium: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run it on a desktop, or under a virtual display:\n"
                 "  xvfb-run -a %s\n",
                 argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vernium");

  QCommandLineParser options;
  options.setApplicationDescription("Configuration and hand adjustment of strain-gage cards.");
  options.addHelpOption();
  const QCommandLineOption bench(
      "bench", "Open the simulated unit's bench beside the main window at start-up.");
  options.addOption(bench);
  options.process(app);

  vernium::SimulatedAcqLib unit;
  vernium::qtui::VerniumApp vernium(unit);
  vernium.Start();
  if (vernium.Ended()) return 0;
  if (options.isSet(bench)) vernium.form().ShowBench();
  return QApplication::exec();
}
