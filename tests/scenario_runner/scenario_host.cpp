#include "scenario_runner/scenario_host.h"

#include <QDir>
#include <QPrinter>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "platform/configuration_printer.h"
#include "platform/file_chooser.h"
#include "reports/ui/qt_configuration_printer.h"
#include "scenario_runner/scenario_messages.h"
#include "shell/ui/command_line.h"
#include "shell/ui/recent_files_store.h"
#include "shell/ui/vernium_app.h"
#include "simulator/simulated_unit.h"

namespace vernium::scenario {
namespace {

// Vernium as the program runs it, on its own simulated unit, with message
// boxes answered by the scenario. There is no printer: a printout is offered
// as a PDF file, and the save dialog takes the name it suggests, as a person
// pressing Save does.
class VerniumHost : public ScenarioHost {
 public:
  VerniumHost()
      : printer_(messages_,
                 qtui::PrintTargets{[] { return std::unique_ptr<QPrinter>(); },
                                    [](const std::string& suggested) { return suggested; }}),
        app_(unit_, &messages_, &printer_, &files_) {
    // The settings store of the run is a file in the scenario's working
    // directory, so that a restarted program finds what the first kept.
    app_.UseRecentFilesStore(std::make_unique<qtui::QtRecentFilesStore>(std::make_unique<QSettings>(
        QDir::current().absoluteFilePath("settings.ini"), QSettings::IniFormat)));
  }

  void Start() override {
    started_ = true;
    app_.StartWith(options_);
  }
  std::string UseArguments(const std::vector<std::string>& arguments) override {
    QStringList line{"vernium"};
    for (const std::string& a : arguments) line << QString::fromStdString(a);
    const qtui::CommandLine read = qtui::ReadCommandLine(line, unit_);
    if (!read.run) return "the command line is refused: " + read.err + read.out;
    options_ = *read.run;
    // Never the user's own data folder.
    if (std::find(arguments.begin(), arguments.end(), "--data-dir") == arguments.end()) {
      options_.dataDir.clear();
    }
    return "";
  }
  bool Started() const override { return started_; }
  bool Ended() const override { return app_.Ended(); }
  Configuration& Config() override { return app_.session().config; }
  SimulatedAcqLib& Unit() override { return unit_; }
  ScenarioMessageBoxes& Messages() override { return messages_; }
  QueuedFileChooser& Files() override { return files_; }

 private:
  SimulatedAcqLib unit_;
  ScenarioMessageBoxes messages_;
  QueuedFileChooser files_;
  qtui::QtConfigurationPrinter printer_;
  qtui::VerniumApp app_;
  qtui::StartOptions options_;
  bool started_ = false;
};

}  // namespace

std::unique_ptr<ScenarioHost> MakeHost() { return std::make_unique<VerniumHost>(); }

}  // namespace vernium::scenario
