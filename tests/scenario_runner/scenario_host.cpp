#include "scenario_runner/scenario_host.h"

#include <QPrinter>

#include "platform/configuration_printer.h"
#include "platform/file_chooser.h"
#include "reports/ui/qt_configuration_printer.h"
#include "scenario_runner/scenario_messages.h"
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
        app_(unit_, &messages_, &printer_, &files_) {}

  void Start() override {
    started_ = true;
    app_.Start();
  }
  bool Started() const override { return started_; }
  bool Ended() const override { return app_.Ended(); }
  Configuration& Config() override { return app_.session().config; }
  SimulatedAcqLib& Unit() override { return unit_; }
  ScenarioMessageBoxes& Messages() override { return messages_; }
  QueuedFileChooser& Files() override { return files_; }
  void UseDataFolder(const std::filesystem::path& folder) override { app_.UseDataFolder(folder); }

 private:
  SimulatedAcqLib unit_;
  ScenarioMessageBoxes messages_;
  QueuedFileChooser files_;
  qtui::QtConfigurationPrinter printer_;
  qtui::VerniumApp app_;
  bool started_ = false;
};

}  // namespace

std::unique_ptr<ScenarioHost> MakeHost() { return std::make_unique<VerniumHost>(); }

}  // namespace vernium::scenario
