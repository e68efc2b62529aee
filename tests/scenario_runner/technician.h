#pragma once
// "technician calibrates CHANNEL": a virtual technician takes the open
// calibration wizard from where it stands to its completion, doing only what
// the screen tells: each switch message is obeyed on the bench, each step's
// directions are read for the load to apply, the shunt to attach and the
// jumper to move, the highlighted trimpot is turned until the channel value
// reads the target (or, where the screen shows no reading, until a
// voltmeter on the card's terminals reads the voltage asked for), then Next.
// Messages shown before the step and not yet read by an expectation (the
// filter-gain resistor to remove, the jumper advice) are obeyed first.
// The tare load is the one the technician typed into the parameter window.

#include <optional>
#include <string>

#include "scenario_runner/bench_steps.h"
#include "scenario_runner/scenario_host.h"
#include "scenario_runner/scenario_script.h"

namespace vernium::scenario {

struct TechnicianState {
  enum class Phase { Reading, Adjusting, Next };
  bool active = false;
  Phase phase = Phase::Reading;
  Step adjust;           // the bench adjust step under way
  BenchStepState bench;  // its state
  std::size_t messagesRead = 0;
  bool shuntAttached = false;
  int nexts = 0;
};

// Nullopt while at work, else "" (the wizard is complete) or why not.
std::optional<std::string> RunTechnician(const Step& step, ScenarioHost& host,
                                         TechnicianState& state);

// "technician verifies CHANNEL": in the open verification window, applies
// each planned load on the bench (the one the window proposes), reads the
// point and waits for its row; on an AC-coupled channel fits the coupling
// jumper first, removes it after the last point and turns the offset
// trimpot until the live reading shows 0 V. Done when the five points are
// read (and the AC output zeroed).
struct VerifierState {
  enum class Phase { Start, Load, Reading, Zeroing, Done };
  Phase phase = Phase::Start;
  int rows = 0;  // the table's rows when the point was asked for
  Step adjust;
  BenchStepState bench;
};
std::optional<std::string> RunVerifier(const Step& step, ScenarioHost& host,
                                       VerifierState& state);

}  // namespace vernium::scenario
