#pragma once
// The headroom planner of the application-parameter window: for the entries
// as typed, without storing anything, the figures the calculation will give
// (each with its formula and the numbers put in), what each stage of the
// card will put out at the tare and at the maximum load against the +-5 V
// rails, and the reasons Continue would refuse. The arithmetic is the
// calculation's own (PlanGains, ReducePoints, CheckShuntOutput).
//
// The card's signal chain, as the wizard leaves it set: the input stage
// amplifies the bridge by the input gain and takes off the offset
// correction (the tare's volts after the input stage), the filter stage
// multiplies by the filter gain, the scale stage by the scale gain.

#include <string>
#include <vector>

#include "calibration/gain_calc.h"
#include "calibration/precal_state.h"
#include "model/configuration.h"

namespace vernium {

inline constexpr double kRailVoltsPlanned = 5.0;
// A stage this close to a rail leaves too little room for overload.
inline constexpr double kRailMarginVolts = 0.1;

struct PlannerLine {
  std::string what;     // "Bridge at tare"
  std::string formula;  // "VT = T / F x E x S"
  std::string numbers;  // "65 / 1000 x 10 x 0.002"
  std::string result;   // "0.00130 V"
};

struct StageVolts {
  std::string stage;  // "Input stage (after offset correction)", "Filter stage", "Scale stage (output)"
  double atTare = 0.0;
  double atMax = 0.0;
  bool nearRail = false;  // within the margin of a rail (the output: past its full scale)
  bool clips = false;     // beyond a rail
};

struct HeadroomPlan {
  GainPlan gains;
  std::vector<PlannerLine> lines;
  std::vector<StageVolts> stages;  // empty unless the gains fit
  std::vector<std::string> refusals;
  std::vector<std::string> warnings;
};

// `method` is the option that is on; `channel` gives the filter settings.
HeadroomPlan PlanHeadroom(const PreCalState& entries, int method, const ChannelConfig& channel);

// The plan as the window shows it, one line per row.
std::string HeadroomText(const HeadroomPlan& plan);

}  // namespace vernium
