#pragma once
// Runs scenario files against the real windows, step by step, from the
// event loop: a zero-interval timer takes the next step, so steps keep
// running while a modal window is open. Actions are queued onto the event
// loop, so an action that opens a modal window does not hold up the steps
// that work in it.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario_runner/bench_steps.h"
#include "scenario_runner/scenario_host.h"
#include "scenario_runner/scenario_script.h"
#include "scenario_runner/technician.h"

class QTemporaryDir;

namespace vernium::scenario {

class ScenarioRunner : public QObject {
  Q_OBJECT
 public:
  ScenarioRunner(std::vector<std::filesystem::path> files, std::filesystem::path outputDir);
  ~ScenarioRunner() override;

  // Runs every file; returns the process exit code (0 when every step passed).
  int Run();

 private:
  void Tick();
  void StartNextFile();
  void FinishFile();
  void TearDown();
  void Report(const Step& step, const std::string& error);
  void SaveScreen(const Step& step);
  // "picture NAME": every window on screen, side by side, in NAME.png.
  std::string SavePicture(const std::string& name);

  void FinishStep(const std::string& error);

  // One step: nullopt while it is still waiting, else "" (passed) or why
  // it failed.
  std::optional<std::string> Execute(const Step& step);
  std::optional<std::string> Wait(const Step& step);
  std::string Expect(const Step& step, std::size_t first);

  // An action runs from the event loop. A refused action (no such control,
  // disabled) returns its reason at once; one that opens a modal window is
  // still running when the next tick comes, which means it was taken.
  struct PendingAction {
    bool counted = true;  // a step of the scenario (not the start-up)
    bool started = false;
    bool done = false;
    std::string error;
  };
  std::optional<std::string> QueueAction(std::function<std::string()> action, bool counted = true);

  std::vector<std::filesystem::path> files_;
  std::filesystem::path outputDir_;
  std::filesystem::path originalDir_;
  std::size_t fileIndex_ = 0;
  std::string fileName_;
  Script script_;
  std::size_t stepIndex_ = 0;
  bool fileFailed_ = false;

  std::unique_ptr<QTemporaryDir> workDir_;
  std::unique_ptr<ScenarioHost> host_;
  bool tearingDown_ = false;
  bool finished_ = false;

  std::shared_ptr<PendingAction> pending_;
  BenchStepState benchState_;
  TechnicianState technician_;
  VerifierState verifier_;
  // Waits.
  std::optional<std::chrono::steady_clock::time_point> deadline_;

  int passed_ = 0;
  int failed_ = 0;
  QTimer timer_;
};

}  // namespace vernium::scenario
