// Vernium: configuration and hand adjustment of strain-gage signal-conditioning
// cards. Reads the command line, then starts the main window on the simulated
// acquisition unit.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app_version.h"
#include "shell/ui/command_line.h"
#include "shell/ui/recent_files_store.h"
#include "shell/ui/shutdown_signals.h"
#include "shell/ui/vernium_app.h"
#include "simulator/simulated_unit.h"

namespace {

bool HasDisplay(const QStringList& arguments) {
  if (arguments.contains(QStringLiteral("-platform")) ||
      arguments.contains(QStringLiteral("--platform"))) {
    return true;
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
  // From the very start, so that a logout during the start-up ends the run
  // the normal way too.
  vernium::qtui::ShutdownSignals shutdownSignals;
  QCoreApplication::setApplicationName(QStringLiteral("Vernium"));
  QCoreApplication::setApplicationVersion(
      QString::fromUtf8(vernium::kVersionText.data(),
                        static_cast<qsizetype>(vernium::kVersionText.size())));
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  vernium::SimulatedAcqLib unit;
  const vernium::qtui::CommandLine line = vernium::qtui::ReadCommandLine(arguments, unit);
  std::fputs(line.out.c_str(), stdout);
  std::fputs(line.err.c_str(), stderr);
  if (!line.run) return line.exitStatus;
  const vernium::qtui::StartOptions& options = *line.run;

  if (!HasDisplay(arguments)) {
    std::fprintf(stderr,
                 "vernium: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run it on a desktop, or under a virtual display:\n"
                 "  xvfb-run -a %s\n",
                 argv[0]);
    return vernium::qtui::kUsageError;
  }
  QApplication app(argc, argv);
  vernium::qtui::VerniumApp vernium(unit);
  vernium.places().UseStore(vernium::qtui::WindowPlaces::UserStore());
  vernium.UseRecentFilesStore(std::make_unique<vernium::qtui::QtRecentFilesStore>(
      vernium::qtui::WindowPlaces::UserStore()));
  shutdownSignals.Watch([&vernium] { vernium.EndProgram(); });
  vernium.StartWith(options);
  if (vernium.Ended()) return 0;
  return QApplication::exec();
}
