#pragma once
// The strain-gage cards of the simulated bench. One channel of a card is a
// full-bridge load cell feeding the card's input stage (input gain and offset
// correction), a filter stage (bypassed, or engaged at gain x1 or x2) and a
// scaling stage; four multi-turn trimpots, the filter and coupling jumpers,
// the filter-gain resistor, the shunt and the CAL switches are set by hand.
// What the acquisition unit reads on a channel depends on the gain code of
// the scan entry (the read-back point) and on those settings.
//
// Every function here is plain arithmetic over one channel's state; the
// bench (simulated_bench.h) holds the states and guards them.

#include <array>
#include <cstdint>
#include <string_view>

#include "model/trimpot_sense.h"

namespace vernium {

enum class SimCardModel { None, SGC10, SGC50, SGC50A, SGC50B };

enum class FilterJumper { Bypass, Engaged };
enum class Coupling { DC, AC };
// Position of a CAL switch: the CAL/NORM switch of the SGC50A reads NORM in
// the Run position; CAL1 and CAL2 of the SGC50B read RUN.
enum class CalSwitch { Run, Cal };

// Physical constants of the bench.
inline constexpr double kRailVolts = 5.0;             // every stage output clips here
inline constexpr double kTrimpotTurns = 25.0;         // turns from one end of travel to the other
inline constexpr double kRatedOutputVoltsPerVolt = 0.002;  // load cell: 2 mV/V
inline constexpr double kRatedLoad = 1000.0;          // sensor units at rated output
inline constexpr double kShuntEquivalentLoad = 500.0; // sensor units added by the shunt
inline constexpr double kReferenceVolts = 0.005;      // the cards' 5 mV reference
inline constexpr double kExcitationMonitorRatio = 203.0 / 429.0;
inline constexpr double kFloatingInputVolts = 4.98;   // a channel with nothing on it

// Trimpot laws: linear in the position, 0..1 of clockwise travel, from the
// value at the counter-clockwise end to the value at the clockwise end.
// Which end carries the higher value follows the card's turn sense
// (model/trimpot_sense.h): a clockwise turn moves the reading the way the
// wizard tells the technician it does.
struct TrimpotLaw {
  double counterClockwiseEnd;
  double clockwiseEnd;
};
TrimpotLaw LawOf(SimCardModel card, Trimpot trimpot);
double TrimpotValue(SimCardModel card, Trimpot trimpot, double position);
// The position that gives `value`, clamped to the travel.
double TrimpotPositionFor(SimCardModel card, Trimpot trimpot, double value);
// Where every trimpot of a fresh card stands.
double StartingPosition(SimCardModel card, Trimpot trimpot);

// One card channel as it stands on the bench.
struct SimChannel {
  SimCardModel card = SimCardModel::None;
  int channel = 0;  // expansion channel number, 16..271
  std::array<double, 4> trimpots{};  // positions, indexed by Trimpot
  double load = 0.0;                 // applied load, sensor units
  double imbalanceVolts = 0.0;       // bridge output at zero load
  FilterJumper filter = FilterJumper::Bypass;
  bool filterGainResistor = true;    // in place: gain x2 when the filter is engaged
  Coupling coupling = Coupling::DC;
  bool benchShunt = false;           // SGC10 and SGC50: the shunt the bench switches in
  CalSwitch calNorm = CalSwitch::Run;  // SGC50A
  CalSwitch cal1 = CalSwitch::Run;     // SGC50B: shunt in at Cal
  CalSwitch cal2 = CalSwitch::Run;     // SGC50B: test points connected at Cal

  double& Position(Trimpot t) { return trimpots[static_cast<std::size_t>(t)]; }
  double Position(Trimpot t) const { return trimpots[static_cast<std::size_t>(t)]; }
};

// Which card the bench holds on an expansion channel (None outside 16..271
// and wherever no card sits).
SimCardModel CardModelAt(int channel);
std::string_view CardModelName(SimCardModel card);
// A channel of `card` fresh from the box: trimpots at their starting
// positions, no load, filter bypassed with its gain resistor in place, DC
// coupled, shunt out, every CAL switch at Run.
SimChannel MakeChannel(SimCardModel card, int channel);
// The zero imbalance of the load cell on `channel`: 0.01 to 0.05 mV, the sign
// alternating with the channel number.
double ImbalanceVolts(int channel);

double Clip(double volts);

// The true values of a channel, as a voltmeter on the card would find them.
double Excitation(const SimChannel& ch);
double InputGain(const SimChannel& ch);
double ScaleGain(const SimChannel& ch);
double FilterGain(const SimChannel& ch);  // 1 when bypassed
double OffsetCorrection(const SimChannel& ch);  // Voff, volts at the input stage's output
bool ShuntIn(const SimChannel& ch);
double EffectiveLoad(const SimChannel& ch);  // applied load plus the shunt's equivalent
double BridgeVolts(const SimChannel& ch);    // the load cell's output
double CoupledBridgeVolts(const SimChannel& ch);  // what reaches the input stage
double CardOutputVolts(const SimChannel& ch);
// The output of each stage of the chain, each clipped at the rails.
struct SimStageVolts {
  double input = 0.0;     // input stage, after the offset correction
  double filtered = 0.0;  // filter stage
  double output = 0.0;    // scaling stage: the card's output
};
SimStageVolts StageOutputs(const SimChannel& ch);

// What a scan entry reads, in volts before sampling, by its unshifted gain
// code 0..3 (see docs/simulated-unit.md for the table).
double ReadPointVolts(const SimChannel& ch, int code);

// Sampling: -5..+5 V onto the unsigned words 0..65535.
inline constexpr double kCountsPerVolt = 65535.0 / 10.0;
std::uint16_t VoltsToWord(double volts, double noiseCounts = 0.0);
double WordToVolts(std::uint16_t word);

}  // namespace vernium
