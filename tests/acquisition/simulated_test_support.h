#pragma once
// Helpers for the simulated-unit tests: the card laws as the unit's
// documentation states them, written out independently of the model, and a
// complete acquisition run through the library interface.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "acquisition/simulated_unit.h"

namespace vernium::simtest {

inline constexpr const char* kPortable = "SIM-PORTABLE";
inline constexpr const char* kBoard23 = "SIM-BOARD-23";
inline constexpr const char* kBoard36 = "SIM-BOARD-36";
inline constexpr const char* kBoard17 = "SIM-BOARD-17";
inline constexpr const char* kUnsupported = "SIM-UNSUPPORTED-50";

// Trimpot positions, 0..1 of travel.
struct Knobs {
  double excitation = 0.3;
  double offset = 0.6;
  double input = 0.6;
  double scale = 0.6;
};

inline double LawExcitation(double p) { return 1.5 + 9.0 * p; }
inline double LawOffset(double p) { return -4.0 + 8.0 * p; }
inline double LawInputGain(double p) { return 90.0 + 240.0 * p; }
inline double LawScaleGain(double p) { return 0.9 + 2.4 * p; }
inline double LawImbalance(int channel) {
  const double mv = 0.01 + 0.01 * ((channel * 7) % 5);
  return (channel % 2 == 0 ? mv : -mv) / 1000.0;
}
inline double Rail(double v) { return std::clamp(v, -5.0, 5.0); }
inline double ExpectedWord(double volts) { return std::round((Rail(volts) + 5.0) * 6553.5); }

inline void SetKnobs(SimulatedBench& bench, int channel, const Knobs& k) {
  bench.SetTrimpot(channel, Trimpot::Excitation, k.excitation);
  bench.SetTrimpot(channel, Trimpot::Offset, k.offset);
  bench.SetTrimpot(channel, Trimpot::InputGain, k.input);
  bench.SetTrimpot(channel, Trimpot::ScaleGain, k.scale);
}

// A unit that gives exact, immediate samples, with `unit` open.
inline void MakeExact(SimulatedAcqLib& lib, const std::string& unit = kPortable) {
  lib.Bench().SetPacing(Pacing::Instant);
  lib.Bench().SetNoise(0.0);
  lib.acqOpenDevice(unit);
}

struct Acquired {
  AcqStatus status = kAcqOk;
  std::vector<std::uint16_t> words;
  std::int32_t transferred = 0;
};

// One complete acquisition in the program's order; stops at the first
// failing call. Polling gives up after `pollLimit` so a stalled transfer
// cannot hang the test.
inline Acquired Acquire(SimulatedAcqLib& lib, const std::vector<std::int32_t>& channels,
                        const std::vector<std::int32_t>& codes, std::int32_t scans,
                        std::chrono::milliseconds pollLimit = std::chrono::milliseconds(2000)) {
  Acquired r;
  const std::vector<std::int32_t> flags(channels.size(), 2);
  r.words.assign(channels.size() * static_cast<std::size_t>(scans) + 1, 0);
  const auto n = static_cast<std::int16_t>(channels.size());
  if ((r.status = lib.acqAdcPrepare(3, 0))) return r;
  if ((r.status = lib.acqAdcSetScan(channels, codes, flags, n))) return r;
  if ((r.status = lib.acqAdcSetAcq(0, 0, scans))) return r;
  if ((r.status = lib.acqSetTriggerEvent({0, 0, 0, 0, 0, 0, 0, 0, 0}))) return r;
  if ((r.status = lib.acqSetTriggerEvent({10, 0, 0, 0, 0, 0, 0, 0, 1}))) return r;
  if ((r.status = lib.acqAdcSetFreq(1000.0F))) return r;
  if ((r.status = lib.acqAdcTransferSetBuffer(r.words, scans, 0))) return r;
  if ((r.status = lib.acqAdcTransferStart())) return r;
  if ((r.status = lib.acqAdcArm())) return r;
  const auto deadline = std::chrono::steady_clock::now() + pollLimit;
  std::int16_t active = 1;
  while (std::chrono::steady_clock::now() < deadline) {
    if ((r.status = lib.acqAdcTransferGetStat(active, r.transferred))) return r;
    if (r.transferred >= scans || active == 0) break;
  }
  if ((r.status = lib.acqAdcTransferEnd())) return r;
  r.status = lib.acqAdcRelease();
  return r;
}

// The word of entry `entry` in scan `scan`.
inline std::uint16_t WordAt(const Acquired& a, std::size_t entries, std::size_t scan,
                            std::size_t entry) {
  return a.words[scan * entries + entry];
}

inline std::ostream& operator<<(std::ostream& os, const Knobs& k) {
  return os << "exc" << k.excitation << "_off" << k.offset << "_in" << k.input << "_sc"
            << k.scale;
}

}  // namespace vernium::simtest
