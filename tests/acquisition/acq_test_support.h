#pragma once
// Helpers for the acquisition tests. The simulated-unit helpers state the
// card laws as the unit's documentation gives them, written out
// independently of the model, and read a channel through the library
// interface.

#include <gtest/gtest.h>

#include <algorithm>

#include "acquisition/gauge_acquisition.h"
#include "platform/message_boxes.h"
#include "simulator/simulated_unit.h"

namespace vernium::testing {

using Strings = std::vector<std::string>;

// Every box shown, as "text|title|icon|buttons".
inline Strings Boxes(const ScriptedMessageBoxes& boxes) {
  const char* const icons[] = {"none", "information", "critical", "exclamation", "question"};
  Strings shown;
  for (const auto& m : boxes.Shown()) {
    shown.push_back(m.text + "|" + m.title + "|" + icons[static_cast<int>(m.icon)] +
                    (m.buttons == MsgButtons::OK ? "|OK" : "|other"));
  }
  return shown;
}

// --- The simulated unit ------------------------------------------------------

inline constexpr const char* kPortable = "SIM-PORTABLE";
inline constexpr const char* kBoard17 = "SIM-BOARD-17";

// Trimpot positions, 0..1 of travel.
struct Knobs {
  double excitation = 0.3, offset = 0.6, input = 0.6, scale = 0.6;
};
inline constexpr auto LawExcitation = [](double p) { return 1.5 + 9.0 * p; };
inline constexpr auto LawOffset = [](double p) { return -4.0 + 8.0 * p; };
inline constexpr auto LawInputGain = [](double p) { return 90.0 + 240.0 * p; };
inline constexpr auto LawScaleGain = [](double p) { return 0.9 + 2.4 * p; };
// The bridge output: 2 mV/V at the rated load of 1000, plus the imbalance.
inline double LawBridge(const Knobs& k, double load, int channel) {
  const double imbalanceMv = 0.01 + 0.01 * ((channel * 7) % 5);
  return LawExcitation(k.excitation) * 0.002 * load / 1000.0 +
         (channel % 2 == 0 ? imbalanceMv : -imbalanceMv) / 1000.0;
}
inline double ExpectedWord(double volts) {
  return std::round((std::clamp(volts, -5.0, 5.0) + 5.0) * 6553.5);
}

inline void SetKnobs(SimulatedBench& bench, int channel, const Knobs& k) {
  const double positions[] = {k.excitation, k.offset, k.input, k.scale};  // kAllTrimpots' order
  for (std::size_t i = 0; i < 4; ++i) bench.SetTrimpot(channel, kAllTrimpots[i], positions[i]);
}

// A unit that gives exact, immediate samples, with `unit` open.
struct ExactLib : SimulatedAcqLib {
  explicit ExactLib(const char* unit = kPortable) {
    Bench().SetPacing(Pacing::Instant);
    Bench().SetNoise(0.0);
    acqOpenDevice(unit);
  }
};

// The four read-back points of `channel`, `scans` times over, read the way
// the diagnostics read them (gain codes for the unit open), as words.
struct Reading {
  AcquisitionResult status = 0;
  std::vector<std::uint16_t> words;  // scan after scan
};
inline Reading Read(SimulatedAcqLib& lib, int channel, std::int16_t scans = 1) {
  Reading r{0, std::vector<std::uint16_t>(4 * static_cast<std::size_t>(scans) + 1)};
  TraceSink quiet;
  r.status = getGageReadings(lib, lib.OpenDevice().get(), quiet, r.words, scans,
                             static_cast<std::int16_t>(channel));
  return r;
}

}  // namespace vernium::testing
