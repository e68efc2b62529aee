#pragma once
// Test doubles and helpers for the acquisition tests.
//
// ScriptedAcqLib is a library without units whose acquisition answers a test
// sets. It notes every call in `calls` and appends its numeric arguments
// (arrays flattened) to `args[name]`. The simulated-unit helpers state the card laws as the unit's
// documentation gives them, written out independently of the model, and read
// a channel through the library interface.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "acquisition/gauge_acquisition.h"
#include "platform/message_boxes.h"
#include "simulator/simulated_unit.h"

namespace vernium::testing {

using Strings = std::vector<std::string>;
using Numbers = std::vector<double>;

class ScriptedAcqLib : public AcqLibObject {
 public:
  std::map<std::string, AcqStatus> failures;  // operation -> the status it fails with
  std::int32_t lastErrorCode = 0;
  AcqStatus lastErrorCodeStatus = kAcqOk;
  // Answers (active, transferred) of successive status polls; once they are
  // used up the transfer is complete and `samples` are copied into the buffer.
  using Poll = std::pair<std::int16_t, std::int32_t>;
  std::vector<Poll> polls;
  std::vector<std::uint16_t> samples;

  Strings calls;
  std::map<std::string, Numbers> args;

  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override {
    return Call("acqAdcPrepare", mode, option);
  }
  // No units: the device calls only answer.
  AcqStatus acqDeviceCount(std::int32_t& count) override {
    count = 0;
    return Call("acqDeviceCount");
  }
  AcqStatus acqDeviceNames(Strings& names, std::int32_t& count) override {
    names.clear();
    count = 0;
    return Call("acqDeviceNames");
  }
  AcqStatus acqDeviceByName(const std::string&, std::shared_ptr<const AcqDevice>&) override {
    return Call("acqDeviceByName");
  }
  AcqStatus acqCloseDevice() override { return Call("acqCloseDevice"); }
  AcqStatus acqOpenDevice(const std::string&) override { return Call("acqOpenDevice"); }
  std::int32_t acqOnlineStatus(std::string&) override { return Call("acqOnlineStatus"); }
  AcqStatus acqLastErrorCode(std::int32_t& code) override {
    Call("acqLastErrorCode");
    code = lastErrorCode;
    return lastErrorCodeStatus;
  }
  AcqStatus acqErrorText(std::int32_t, std::string& text) override {
    text.clear();
    return Call("acqErrorText");
  }
  AcqStatus acqAdcSetScan(std::span<const std::int32_t> channels,
                          std::span<const std::int32_t> gainCodes,
                          std::span<const std::int32_t> flags, std::int16_t count) override {
    for (auto list : {channels, gainCodes, flags}) {
      for (auto value : list) args["acqAdcSetScan"].push_back(value);
    }
    return Call("acqAdcSetScan", count);
  }
  AcqStatus acqAdcSetAcq(std::int32_t pre, std::int32_t post, std::int32_t scans) override {
    return Call("acqAdcSetAcq", pre, post, scans);
  }
  AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>& v) override {
    return Call("acqSetTriggerEvent", v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  }
  AcqStatus acqAdcSetFreq(float frequency) override { return Call("acqAdcSetFreq", frequency); }
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer, std::int32_t scans,
                                    std::int32_t mode) override {
    buffer_ = buffer;
    return Call("acqAdcTransferSetBuffer", buffer.size(), scans_ = scans, mode);
  }
  AcqStatus acqAdcTransferStart() override { return Call("acqAdcTransferStart"); }
  AcqStatus acqAdcArm() override { return Call("acqAdcArm"); }
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override {
    std::tie(active, transferred) = polled_ < polls.size() ? polls[polled_++] : Poll{0, scans_};
    if (transferred >= scans_) {
      std::copy_n(samples.begin(), std::min(samples.size(), buffer_.size()), buffer_.begin());
    }
    return Call("acqAdcTransferGetStat");
  }
  AcqStatus acqAdcTransferEnd() override { return Call("acqAdcTransferEnd"); }
  AcqStatus acqAdcRelease() override { return Call("acqAdcRelease"); }

  int Count(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
  }

 private:
  template <typename... Arg>
  AcqStatus Call(const char* name, Arg... arg) {
    calls.emplace_back(name);
    (args[name].push_back(static_cast<double>(arg)), ...);
    const auto it = failures.find(name);
    return it == failures.end() ? kAcqOk : it->second;
  }
  std::span<std::uint16_t> buffer_;
  std::int32_t scans_ = 0;
  std::size_t polled_ = 0;
};

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
