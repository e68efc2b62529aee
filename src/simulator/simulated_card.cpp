#include "simulator/simulated_card.h"

#include <algorithm>
#include <cmath>

namespace vernium {

namespace {

// The value each trimpot sets, from its low to its high end, and whether a
// higher value raises the wizard's reading (the offset correction is
// subtracted from the input stage's output).
struct Range {
  double low, high;
  bool raisesReading;
};

Range RangeOf(Trimpot trimpot) {
  switch (trimpot) {
    case Trimpot::Excitation:
      return {1.5, 10.5, true};  // volts
    case Trimpot::Offset:
      return {-4.0, 4.0, false};  // volts of correction at the input stage's output
    case Trimpot::InputGain:
      return {90.0, 330.0, true};
    case Trimpot::ScaleGain:
      return {0.9, 3.3, true};
  }
  return {0.0, 1.0, true};
}

// How far along its range, from low to high, each trimpot of a fresh card
// stands: off any setting a calibration would ask for (4.2 V excitation,
// +0.8 V offset correction, input gain 234, scale gain 2.34).
double StartingShare(Trimpot trimpot) {
  return trimpot == Trimpot::Excitation ? 0.3 : 0.6;
}

// A clockwise turn raises the trimpot's value, unless the card's sense says
// the reading goes the other way than the value does. A card of no known
// sense is wired as the others are.
bool ClockwiseRaisesValue(SimCardModel card, Trimpot trimpot) {
  const TurnSense sense = ClockwiseSense(CardModelName(card), trimpot);
  if (sense == TurnSense::Unknown) return true;
  return (sense == TurnSense::ClockwiseRaises) == RangeOf(trimpot).raisesReading;
}

}  // namespace

TrimpotLaw LawOf(SimCardModel card, Trimpot trimpot) {
  const Range range = RangeOf(trimpot);
  if (ClockwiseRaisesValue(card, trimpot)) return {range.low, range.high};
  return {range.high, range.low};
}

double TrimpotValue(SimCardModel card, Trimpot trimpot, double position) {
  const TrimpotLaw law = LawOf(card, trimpot);
  return law.counterClockwiseEnd + (law.clockwiseEnd - law.counterClockwiseEnd) * position;
}

double TrimpotPositionFor(SimCardModel card, Trimpot trimpot, double value) {
  const TrimpotLaw law = LawOf(card, trimpot);
  return std::clamp(
      (value - law.counterClockwiseEnd) / (law.clockwiseEnd - law.counterClockwiseEnd), 0.0, 1.0);
}

double StartingPosition(SimCardModel card, Trimpot trimpot) {
  const double share = StartingShare(trimpot);
  return ClockwiseRaisesValue(card, trimpot) ? share : 1.0 - share;
}

SimCardModel CardModelAt(int channel) {
  if (channel < 16 || channel > 271) return SimCardModel::None;
  const int base = (channel - 16) / 16;
  const int within = (channel - 16) % 16;
  switch (base) {
    case 0:  // four SGC10, two channels each
      return within < 8 ? SimCardModel::SGC10 : SimCardModel::None;
    case 1:  // two SGC50
      return SimCardModel::SGC50;
    case 2:  // one SGC50A
      return within < 8 ? SimCardModel::SGC50A : SimCardModel::None;
    case 3:  // two SGC50B
      return SimCardModel::SGC50B;
    default:
      return SimCardModel::None;
  }
}

std::string_view CardModelName(SimCardModel card) {
  switch (card) {
    case SimCardModel::None:
      return "No Card";
    case SimCardModel::SGC10:
      return "SGC10";
    case SimCardModel::SGC50:
      return "SGC50";
    case SimCardModel::SGC50A:
      return "SGC50A";
    case SimCardModel::SGC50B:
      return "SGC50B";
  }
  return "No Card";
}

double ImbalanceVolts(int channel) {
  const double magnitudeMillivolts = 0.01 + 0.01 * static_cast<double>((channel * 7) % 5);
  const double sign = (channel % 2 == 0) ? 1.0 : -1.0;
  return sign * magnitudeMillivolts / 1000.0;
}

SimChannel MakeChannel(SimCardModel card, int channel) {
  SimChannel ch;
  ch.card = card;
  ch.channel = channel;
  for (Trimpot t : kAllTrimpots) ch.Position(t) = StartingPosition(card, t);
  ch.imbalanceVolts = ImbalanceVolts(channel);
  return ch;
}

double Clip(double volts) { return std::clamp(volts, -kRailVolts, kRailVolts); }

double Excitation(const SimChannel& ch) {
  return TrimpotValue(ch.card, Trimpot::Excitation, ch.Position(Trimpot::Excitation));
}
double InputGain(const SimChannel& ch) {
  return TrimpotValue(ch.card, Trimpot::InputGain, ch.Position(Trimpot::InputGain));
}
double ScaleGain(const SimChannel& ch) {
  return TrimpotValue(ch.card, Trimpot::ScaleGain, ch.Position(Trimpot::ScaleGain));
}
double FilterGain(const SimChannel& ch) {
  if (ch.filter == FilterJumper::Bypass) return 1.0;
  return ch.filterGainResistor ? 2.0 : 1.0;
}
double OffsetCorrection(const SimChannel& ch) {
  return TrimpotValue(ch.card, Trimpot::Offset, ch.Position(Trimpot::Offset));
}

bool ShuntIn(const SimChannel& ch) {
  switch (ch.card) {
    case SimCardModel::SGC10:
    case SimCardModel::SGC50:
      return ch.benchShunt;
    case SimCardModel::SGC50A:
      return ch.calNorm == CalSwitch::Cal;
    case SimCardModel::SGC50B:
      return ch.cal1 == CalSwitch::Cal;
    case SimCardModel::None:
      return false;
  }
  return false;
}

double EffectiveLoad(const SimChannel& ch) {
  return ch.load + (ShuntIn(ch) ? kShuntEquivalentLoad : 0.0);
}

double BridgeVolts(const SimChannel& ch) {
  return Excitation(ch) * kRatedOutputVoltsPerVolt * EffectiveLoad(ch) / kRatedLoad +
         ch.imbalanceVolts;
}

double CoupledBridgeVolts(const SimChannel& ch) {
  // Load, shunt and imbalance are all static on the bench: AC coupling
  // passes none of them.
  return ch.coupling == Coupling::AC ? 0.0 : BridgeVolts(ch);
}

// The signal chain: input stage (Gin, less the offset correction), filter
// stage (Gf), scaling stage (Gs); each output clips at the rails.
SimStageVolts StageOutputs(const SimChannel& ch) {
  SimStageVolts s;
  s.input = Clip(InputGain(ch) * CoupledBridgeVolts(ch) - OffsetCorrection(ch));
  s.filtered = Clip(FilterGain(ch) * s.input);
  s.output = Clip(ScaleGain(ch) * s.filtered);
  return s;
}

double CardOutputVolts(const SimChannel& ch) { return StageOutputs(ch).output; }

namespace {

// SGC50A with CAL/NORM at CAL, SGC50B with CAL1 and CAL2 at CAL: the shorted
// input test point carries the excitation monitor instead.
bool ExcitationMonitorConnected(const SimChannel& ch) {
  if (ch.card == SimCardModel::SGC50A) return ch.calNorm == CalSwitch::Cal;
  if (ch.card == SimCardModel::SGC50B) return ch.cal1 == CalSwitch::Cal && ch.cal2 == CalSwitch::Cal;
  return false;
}

// Only the SGC50B can disconnect its test points (CAL2 at RUN).
bool TestPointsConnected(const SimChannel& ch) {
  return ch.card != SimCardModel::SGC50B || ch.cal2 == CalSwitch::Cal;
}

}  // namespace

double ReadPointVolts(const SimChannel& ch, int code) {
  if (ch.card == SimCardModel::None) return kFloatingInputVolts;
  if (code == 0 || !TestPointsConnected(ch)) return CardOutputVolts(ch);
  const double gf = FilterGain(ch);
  const double voff = OffsetCorrection(ch);
  switch (code) {
    case 1:
      if (ExcitationMonitorConnected(ch)) return Clip(Excitation(ch) * kExcitationMonitorRatio);
      return Clip(gf * Clip(-voff));
    case 2: {
      const double input = Clip(InputGain(ch) * kReferenceVolts - voff);
      return Clip(ScaleGain(ch) * Clip(gf * input));
    }
    case 3:
      return Clip(gf * InputGain(ch) * kReferenceVolts - voff);
    default:
      return kFloatingInputVolts;
  }
}

std::uint16_t VoltsToWord(double volts, double noiseCounts) {
  const double counts = std::round((volts + kRailVolts) * kCountsPerVolt + noiseCounts);
  return static_cast<std::uint16_t>(std::clamp(counts, 0.0, 65535.0));
}

double WordToVolts(std::uint16_t word) {
  return static_cast<double>(word) / kCountsPerVolt - kRailVolts;
}

}  // namespace vernium
