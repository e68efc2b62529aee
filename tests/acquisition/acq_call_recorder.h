#pragma once
// Test doubles for the acquisition library.
//
// AcqCallRecorder wraps a library object and notes the name of every call
// before passing it on, so a test can check which calls an acquisition made
// and in which order, on the simulated unit or on the scripted library.
//
// ScriptedAcqLib is a library whose answers a test sets: operations that
// fail with a status, the last-error code, the transfer status polls and
// the samples a completed transfer delivers, the devices it lists.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "acquisition/acq_lib.h"

namespace vernium::testing {

class AcqCallRecorder : public AcqLibObject {
 public:
  explicit AcqCallRecorder(AcqLibObject& inner) : inner_(inner) {}

  std::vector<std::string> calls;
  std::vector<std::string> openedNames;

  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override {
    return Note("acqAdcPrepare"), inner_.acqAdcPrepare(mode, option);
  }
  AcqStatus acqDeviceCount(std::int32_t& count) override {
    return Note("acqDeviceCount"), inner_.acqDeviceCount(count);
  }
  AcqStatus acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) override {
    return Note("acqDeviceNames"), inner_.acqDeviceNames(names, count);
  }
  AcqStatus acqDeviceByName(const std::string& name,
                            std::shared_ptr<const AcqDevice>& device) override {
    return Note("acqDeviceByName"), inner_.acqDeviceByName(name, device);
  }
  AcqStatus acqCloseDevice() override { return Note("acqCloseDevice"), inner_.acqCloseDevice(); }
  AcqStatus acqOpenDevice(const std::string& name) override {
    Note("acqOpenDevice");
    openedNames.push_back(name);
    return inner_.acqOpenDevice(name);
  }
  std::int32_t acqOnlineStatus(std::string& empty) override {
    return Note("acqOnlineStatus"), inner_.acqOnlineStatus(empty);
  }
  AcqStatus acqLastErrorCode(std::int32_t& code) override {
    return Note("acqLastErrorCode"), inner_.acqLastErrorCode(code);
  }
  AcqStatus acqErrorText(std::int32_t code, std::string& text) override {
    return Note("acqErrorText"), inner_.acqErrorText(code, text);
  }
  AcqStatus acqAdcSetScan(std::span<const std::int32_t> channels,
                          std::span<const std::int32_t> gainCodes,
                          std::span<const std::int32_t> flags, std::int16_t count) override {
    return Note("acqAdcSetScan"), inner_.acqAdcSetScan(channels, gainCodes, flags, count);
  }
  AcqStatus acqAdcSetAcq(std::int32_t pre, std::int32_t post, std::int32_t scans) override {
    return Note("acqAdcSetAcq"), inner_.acqAdcSetAcq(pre, post, scans);
  }
  AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>& values) override {
    return Note("acqSetTriggerEvent"), inner_.acqSetTriggerEvent(values);
  }
  AcqStatus acqAdcSetFreq(float frequency) override {
    return Note("acqAdcSetFreq"), inner_.acqAdcSetFreq(frequency);
  }
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer, std::int32_t scans,
                                    std::int32_t mode) override {
    return Note("acqAdcTransferSetBuffer"), inner_.acqAdcTransferSetBuffer(buffer, scans, mode);
  }
  AcqStatus acqAdcTransferStart() override {
    return Note("acqAdcTransferStart"), inner_.acqAdcTransferStart();
  }
  AcqStatus acqAdcArm() override { return Note("acqAdcArm"), inner_.acqAdcArm(); }
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override {
    return Note("acqAdcTransferGetStat"), inner_.acqAdcTransferGetStat(active, transferred);
  }
  AcqStatus acqAdcTransferEnd() override {
    return Note("acqAdcTransferEnd"), inner_.acqAdcTransferEnd();
  }
  AcqStatus acqAdcRelease() override { return Note("acqAdcRelease"), inner_.acqAdcRelease(); }

  // The calls without repeated status polls.
  std::vector<std::string> CallsOncePolled() const {
    std::vector<std::string> out;
    for (const auto& c : calls) {
      if (c == "acqAdcTransferGetStat" && !out.empty() && out.back() == c) continue;
      out.push_back(c);
    }
    return out;
  }

 private:
  void Note(const char* name) { calls.emplace_back(name); }
  AcqLibObject& inner_;
};

class ScriptedAcqLib : public AcqLibObject {
 public:
  // Operation name -> the status it fails with (every call).
  std::map<std::string, AcqStatus> failures;
  std::int32_t lastErrorCode = 0;
  AcqStatus lastErrorCodeStatus = kAcqOk;
  std::map<std::int32_t, std::string> errorTexts;
  std::int32_t onlineStatus = kAcqOk;

  // Answers of successive status polls; once used up the transfer reports
  // itself complete. The samples are copied into the buffer at the first
  // poll that reports all scans.
  std::vector<std::pair<std::int16_t, std::int32_t>> polls;
  std::vector<std::uint16_t> samples;

  std::vector<AcqDevice> devices;

  // What the acquisition was given.
  std::vector<std::string> calls;
  std::array<std::int32_t, 2> prepareArgs{-1, -1};
  std::vector<std::int32_t> scanChannels, scanGains, scanFlags;
  std::int16_t scanEntries = 0;
  std::array<std::int32_t, 3> acqArgs{};
  std::vector<std::array<std::int32_t, 9>> triggers;
  float frequency = 0.0f;
  std::size_t bufferWords = 0;
  std::int32_t bufferScans = -1;
  std::int32_t bufferMode = -1;
  std::string openName;

  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override {
    prepareArgs = {mode, option};
    return Call("acqAdcPrepare");
  }
  AcqStatus acqDeviceCount(std::int32_t& count) override {
    if (auto s = Call("acqDeviceCount")) return s;
    count = static_cast<std::int32_t>(devices.size());
    return kAcqOk;
  }
  AcqStatus acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) override {
    if (auto s = Call("acqDeviceNames")) return s;
    names.clear();
    for (const auto& d : devices) names.push_back(d.DeviceName);
    count = static_cast<std::int32_t>(names.size());
    return kAcqOk;
  }
  AcqStatus acqDeviceByName(const std::string& name,
                            std::shared_ptr<const AcqDevice>& device) override {
    if (auto s = Call("acqDeviceByName")) return s;
    if (++byNameCalls_ == failByNameAtCall) return failByNameStatus;
    for (const auto& d : devices) {
      if (d.DeviceName == name) {
        device = std::make_shared<const AcqDevice>(d);
        return kAcqOk;
      }
    }
    return 202;
  }
  // acqDeviceByName fails with failByNameStatus at this call (1-based).
  int failByNameAtCall = 0;
  AcqStatus failByNameStatus = 0;

  AcqStatus acqCloseDevice() override { return Call("acqCloseDevice"); }
  AcqStatus acqOpenDevice(const std::string& name) override {
    if (auto s = Call("acqOpenDevice")) return s;
    openName = name;
    return kAcqOk;
  }
  std::int32_t acqOnlineStatus(std::string& /*empty*/) override {
    calls.emplace_back("acqOnlineStatus");
    return onlineStatus;
  }
  AcqStatus acqLastErrorCode(std::int32_t& code) override {
    calls.emplace_back("acqLastErrorCode");
    code = lastErrorCode;
    return lastErrorCodeStatus;
  }
  AcqStatus acqErrorText(std::int32_t code, std::string& text) override {
    calls.emplace_back("acqErrorText");
    const auto it = errorTexts.find(code);
    if (it == errorTexts.end()) return 999;
    text = it->second;
    return kAcqOk;
  }
  AcqStatus acqAdcSetScan(std::span<const std::int32_t> channels,
                          std::span<const std::int32_t> gainCodes,
                          std::span<const std::int32_t> flags, std::int16_t count) override {
    scanChannels.assign(channels.begin(), channels.end());
    scanGains.assign(gainCodes.begin(), gainCodes.end());
    scanFlags.assign(flags.begin(), flags.end());
    scanEntries = count;
    return Call("acqAdcSetScan");
  }
  AcqStatus acqAdcSetAcq(std::int32_t pre, std::int32_t post, std::int32_t scans) override {
    acqArgs = {pre, post, scans};
    return Call("acqAdcSetAcq");
  }
  AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>& values) override {
    triggers.push_back(values);
    return Call("acqSetTriggerEvent");
  }
  AcqStatus acqAdcSetFreq(float f) override {
    frequency = f;
    return Call("acqAdcSetFreq");
  }
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer, std::int32_t scans,
                                    std::int32_t mode) override {
    buffer_ = buffer;
    bufferWords = buffer.size();
    bufferScans = scans;
    bufferMode = mode;
    return Call("acqAdcTransferSetBuffer");
  }
  AcqStatus acqAdcTransferStart() override { return Call("acqAdcTransferStart"); }
  AcqStatus acqAdcArm() override { return Call("acqAdcArm"); }
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override {
    if (auto s = Call("acqAdcTransferGetStat")) return s;
    if (pollIndex_ < polls.size()) {
      std::tie(active, transferred) = polls[pollIndex_++];
    } else {
      active = 0;
      transferred = bufferScans;
    }
    if (transferred >= bufferScans) {
      std::copy_n(samples.begin(), std::min(samples.size(), buffer_.size()), buffer_.begin());
    }
    return kAcqOk;
  }
  AcqStatus acqAdcTransferEnd() override { return Call("acqAdcTransferEnd"); }
  AcqStatus acqAdcRelease() override { return Call("acqAdcRelease"); }

  int Count(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
  }
  void ResetRecord() {
    calls.clear();
    triggers.clear();
    pollIndex_ = 0;
  }

 private:
  AcqStatus Call(const char* name) {
    calls.emplace_back(name);
    const auto it = failures.find(name);
    return it == failures.end() ? kAcqOk : it->second;
  }
  std::span<std::uint16_t> buffer_;
  std::size_t pollIndex_ = 0;
  int byNameCalls_ = 0;
};

// A trace sink that keeps every line.
class RecordingTrace : public TraceSink {
 public:
  void Trace(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

}  // namespace vernium::testing
