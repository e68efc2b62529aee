#pragma once
// The "bench" steps of a scenario: what a technician does with the cards on
// the simulated unit's bench (trimpots, load, jumpers, switches, shunt),
// faults ordered on the unit, and checks of the card's true output.

#include <chrono>
#include <optional>
#include <string>

#include "scenario_runner/scenario_host.h"
#include "scenario_runner/scenario_script.h"

namespace vernium::scenario {

// State of a step that runs over several ticks ("bench adjust").
struct BenchStepState {
  bool active = false;
  int iterations = 0;
  double lastTurns = 0.0;
  std::optional<double> lastReading;
  std::optional<double> slope;  // reading change per turn
  bool lastRailed = false;      // the last turn was made on the rail
  std::chrono::steady_clock::time_point settleUntil{};
  std::string shownBefore;      // the display's text when the last turn was made
};

// Nullopt while the step is still working, else "" or why it failed.
std::optional<std::string> RunBenchStep(const Step& step, ScenarioHost& host,
                                        BenchStepState& state);

// "adjust FIELD until NAME reads VALUE [TOL]": a trimpot of the bench window
// turned by typing positions into its field.
std::optional<std::string> RunAdjustField(const Step& step, ScenarioHost& host,
                                          BenchStepState& state);

// "expect bench output CHANNEL ~ VOLTS TOL" (tokens from `first`).
std::string ExpectBench(const Step& step, std::size_t first, ScenarioHost& host);

}  // namespace vernium::scenario
