#pragma once
// What the scenario runner needs of a running Vernium: start it, know when
// it has ended, and reach its configuration, its message boxes and the
// simulated unit's bench. One host a scenario file; it is built in the
// scenario's own working directory.

#include <filesystem>
#include <memory>

#include "model/configuration.h"

namespace vernium {
class QueuedFileChooser;
class SimulatedAcqLib;
}

namespace vernium::scenario {

class ScenarioMessageBoxes;

class ScenarioHost {
 public:
  virtual ~ScenarioHost() = default;
  // Builds the real windows and runs the start-up (the device selection
  // opens modally from here, so this returns only once it has closed).
  virtual void Start() = 0;
  virtual bool Started() const = 0;
  // The main window has been closed and the shut-down has run.
  virtual bool Ended() const = 0;
  virtual Configuration& Config() = 0;
  virtual SimulatedAcqLib& Unit() = 0;
  virtual ScenarioMessageBoxes& Messages() = 0;
  // The file dialogs, answered from the names the scenario queued.
  virtual QueuedFileChooser& Files() = 0;
  // The run's data folder (before the start).
  virtual void UseDataFolder(const std::filesystem::path& folder) = 0;
};

std::unique_ptr<ScenarioHost> MakeHost();

}  // namespace vernium::scenario
