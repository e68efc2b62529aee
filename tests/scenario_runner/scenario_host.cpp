#include "scenario_runner/scenario_host.h"

#include "simulator/simulated_unit.h"
#include "platform/configuration_printer.h"
#include "scenario_runner/scenario_messages.h"
#include "shell/ui/vernium_app.h"

namespace vernium::scenario {
namespace {

// Vernium as the program runs it, on its own simulated unit, with message
// boxes answered by the scenario and printouts only counted.
class VerniumHost : public ScenarioHost {
 public:
  VerniumHost() : app_(unit_, &messages_, &printer_) {}

  void Start() override {
    started_ = true;
    app_.Start();
  }
  bool Started() const override { return started_; }
  bool Ended() const override { return app_.Ended(); }
  Configuration& Config() override { return app_.session().config; }
  SimulatedAcqLib& Unit() override { return unit_; }
  ScenarioMessageBoxes& Messages() override { return messages_; }

 private:
  SimulatedAcqLib unit_;
  ScenarioMessageBoxes messages_;
  RecordedConfigurationPrinter printer_;
  qtui::VerniumApp app_;
  bool started_ = false;
};

}  // namespace

std::unique_ptr<ScenarioHost> MakeHost() { return std::make_unique<VerniumHost>(); }

}  // namespace vernium::scenario
