#include "simulator/simulated_bench.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vernium {

namespace {

constexpr int kFirstChannel = 16;
constexpr int kLastChannel = 271;

}  // namespace

SimulatedBench::SimulatedBench() {
  channels_.reserve(kLastChannel - kFirstChannel + 1);
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    channels_.push_back(MakeChannel(CardModelAt(ch), ch));
  }
  SetUnits(DefaultUnits());
}

std::vector<AcqDevice> SimulatedBench::DefaultUnits() {
  return {
      {0, "SIM-PORTABLE", 0,
       "Simulated portable acquisition unit, 16 analog base channels (no hardware attached)"},
      {23, "SIM-BOARD-23", 3,
       "Simulated plug-in acquisition board, type 23 subtype 3: base channels 0 and 1 are "
       "kept by the board (no hardware attached)"},
      {36, "SIM-BOARD-36", 0,
       "Simulated plug-in acquisition board, type 36: base channels 0 to 7 are kept by the "
       "board (no hardware attached)"},
      {17, "SIM-BOARD-17", 0,
       "Simulated plug-in acquisition board, type 17 (no hardware attached)"},
      {50, "SIM-UNSUPPORTED-50", 0,
       "Simulated acquisition unit of type 50, which this program does not support (no "
       "hardware attached)"},
  };
}

// --- Cards ---------------------------------------------------------------

SimChannel* SimulatedBench::FindLocked(int channel) {
  if (channel < kFirstChannel || channel > kLastChannel) return nullptr;
  SimChannel& ch = channels_[static_cast<std::size_t>(channel - kFirstChannel)];
  return ch.card == SimCardModel::None ? nullptr : &ch;
}

const SimChannel* SimulatedBench::FindLocked(int channel) const {
  return const_cast<SimulatedBench*>(this)->FindLocked(channel);
}

template <typename Change>
bool SimulatedBench::ChangeChannel(int channel, Change change) {
  std::lock_guard lock(mutex_);
  SimChannel* ch = FindLocked(channel);
  return ch != nullptr && change(*ch);
}

bool SimulatedBench::SetTrimpot(int channel, Trimpot trimpot, double position) {
  if (!(position >= 0.0 && position <= 1.0)) return false;
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.Position(trimpot) = position;
    return true;
  });
}

bool SimulatedBench::TurnTrimpot(int channel, Trimpot trimpot, double turns) {
  if (!std::isfinite(turns)) return false;
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.Position(trimpot) = std::clamp(ch.Position(trimpot) + turns / kTrimpotTurns, 0.0, 1.0);
    return true;
  });
}

std::optional<double> SimulatedBench::TrimpotPosition(int channel, Trimpot trimpot) const {
  std::lock_guard lock(mutex_);
  const SimChannel* ch = FindLocked(channel);
  if (ch == nullptr) return std::nullopt;
  return ch->Position(trimpot);
}

bool SimulatedBench::SetLoad(int channel, double load) {
  if (!std::isfinite(load)) return false;
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.load = load;
    return true;
  });
}

bool SimulatedBench::SetFilterJumper(int channel, FilterJumper position) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.filter = position;
    return true;
  });
}

bool SimulatedBench::SetFilterGainResistor(int channel, bool inPlace) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.filterGainResistor = inPlace;
    return true;
  });
}

bool SimulatedBench::SetCoupling(int channel, Coupling coupling) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    ch.coupling = coupling;
    return true;
  });
}

bool SimulatedBench::SetCalNorm(int channel, CalSwitch position) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    if (ch.card != SimCardModel::SGC50A) return false;
    ch.calNorm = position;
    return true;
  });
}

bool SimulatedBench::SetCal1(int channel, CalSwitch position) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    if (ch.card != SimCardModel::SGC50B) return false;
    ch.cal1 = position;
    return true;
  });
}

bool SimulatedBench::SetCal2(int channel, CalSwitch position) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    if (ch.card != SimCardModel::SGC50B) return false;
    ch.cal2 = position;
    return true;
  });
}

bool SimulatedBench::SetShunt(int channel, bool in) {
  return ChangeChannel(channel, [&](SimChannel& ch) {
    if (ch.card != SimCardModel::SGC10 && ch.card != SimCardModel::SGC50) return false;
    ch.benchShunt = in;
    return true;
  });
}

std::optional<SimChannel> SimulatedBench::Channel(int channel) const {
  std::lock_guard lock(mutex_);
  const SimChannel* ch = FindLocked(channel);
  if (ch == nullptr) return std::nullopt;
  return *ch;
}

std::optional<ChannelReadback> SimulatedBench::Readback(int channel) const {
  std::lock_guard lock(mutex_);
  const SimChannel* ch = FindLocked(channel);
  if (ch == nullptr) return std::nullopt;
  ChannelReadback r;
  r.card = ch->card;
  r.excitation = Excitation(*ch);
  r.inputGain = InputGain(*ch);
  r.scaleGain = ScaleGain(*ch);
  r.filterGain = FilterGain(*ch);
  r.offsetVolts = OffsetCorrection(*ch);
  r.load = ch->load;
  r.shuntIn = ShuntIn(*ch);
  r.bridgeVolts = BridgeVolts(*ch);
  r.outputVolts = CardOutputVolts(*ch);
  return r;
}

double SimulatedBench::PointVoltsLocked(int channel, int code) const {
  const SimChannel* ch = FindLocked(channel);
  if (ch == nullptr) return kFloatingInputVolts;
  return ReadPointVolts(*ch, code);
}

double SimulatedBench::PointVolts(int channel, int code) const {
  std::lock_guard lock(mutex_);
  return PointVoltsLocked(channel, code);
}

// --- Samples -------------------------------------------------------------

void SimulatedBench::SetPacing(Pacing pacing) {
  std::lock_guard lock(mutex_);
  pacing_ = pacing;
}

Pacing SimulatedBench::GetPacing() const {
  std::lock_guard lock(mutex_);
  return pacing_;
}

bool SimulatedBench::SetNoise(double sigmaCounts) {
  if (!(sigmaCounts >= 0.0) || !std::isfinite(sigmaCounts)) return false;
  std::lock_guard lock(mutex_);
  noiseCounts_ = sigmaCounts;
  return true;
}

double SimulatedBench::Noise() const {
  std::lock_guard lock(mutex_);
  return noiseCounts_;
}

void SimulatedBench::SetSeed(std::uint64_t seed) {
  std::lock_guard lock(mutex_);
  rng_.seed(seed);
  spareNormal_.reset();
}

// Box-Muller on the engine's raw 64-bit output, so a seed gives the same
// noise whichever standard library runs it.
double SimulatedBench::NextNoiseCountsLocked() {
  if (noiseCounts_ == 0.0) return 0.0;
  if (spareNormal_) {
    const double z = *spareNormal_;
    spareNormal_.reset();
    return z * noiseCounts_;
  }
  constexpr double kScale = 1.0 / 9007199254740992.0;  // 2^-53
  const double u1 = (static_cast<double>(rng_() >> 11) + 1.0) * kScale;  // (0, 1]
  const double u2 = static_cast<double>(rng_() >> 11) * kScale;          // [0, 1)
  const double radius = std::sqrt(-2.0 * std::log(u1));
  const double angle = 2.0 * std::numbers::pi * u2;
  spareNormal_ = radius * std::sin(angle);
  return radius * std::cos(angle) * noiseCounts_;
}

// --- Units ---------------------------------------------------------------

std::vector<AcqDevice> SimulatedBench::Units() const {
  std::lock_guard lock(mutex_);
  std::vector<AcqDevice> units;
  units.reserve(units_.size());
  for (const auto& u : units_) units.push_back(*u);
  return units;
}

void SimulatedBench::SetUnits(const std::vector<AcqDevice>& units) {
  std::lock_guard lock(mutex_);
  units_.clear();
  for (const AcqDevice& u : units) units_.push_back(std::make_shared<const AcqDevice>(u));
}

bool SimulatedBench::MoveUnitToFront(std::string_view name) {
  std::lock_guard lock(mutex_);
  const auto it = std::find_if(units_.begin(), units_.end(),
                               [&](const auto& u) { return u->DeviceName == name; });
  if (it == units_.end()) return false;
  std::rotate(units_.begin(), it, it + 1);
  return true;
}

void SimulatedBench::SetOnline(bool online) {
  std::lock_guard lock(mutex_);
  online_ = online;
}

bool SimulatedBench::IsOnline() const {
  std::lock_guard lock(mutex_);
  return online_;
}

// --- Faults --------------------------------------------------------------

bool SimulatedBench::FailOperation(std::string_view operation, AcqStatus code,
                                   FaultRepeat repeat) {
  std::lock_guard lock(mutex_);
  return faults_.FailOperation(operation, code, repeat);
}

void SimulatedBench::ClearOperationFault(std::string_view operation) {
  std::lock_guard lock(mutex_);
  faults_.ClearOperation(operation);
}

bool SimulatedBench::SetTransferFault(TransferFault kind, std::int32_t afterScans,
                                      FaultRepeat repeat) {
  std::lock_guard lock(mutex_);
  return faults_.SetTransferFault(kind, afterScans, repeat);
}

void SimulatedBench::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.ClearAll();
}

}  // namespace vernium
