#include "simulator/simulated_unit.h"

#include <algorithm>
#include <cmath>

#include "simulator/simulated_errors.h"

namespace vernium {

namespace {

constexpr std::int32_t kHighestChannel = 271;
constexpr double kHighestFrequency = 100000.0;

}  // namespace

std::shared_ptr<const AcqDevice> SimulatedAcqLib::OpenDevice() const {
  std::lock_guard lock(bench_.mutex_);
  return open_;
}

AcqStatus SimulatedAcqLib::FailLocked(AcqStatus code) {
  lastError_ = code;
  return code;
}

AcqStatus SimulatedAcqLib::CheckAcquisitionCallLocked(std::string_view operation, Phase need) {
  if (const auto injected = bench_.faults_.Take(operation)) return FailLocked(*injected);
  if (!open_) return FailLocked(kSimNoDeviceOpen);
  if (!bench_.online_) return FailLocked(kSimNotOnline);
  if (acq_.phase != need) return FailLocked(kSimOutOfSequence);
  return kAcqOk;
}

// --- Devices -------------------------------------------------------------

AcqStatus SimulatedAcqLib::acqAdcPrepare(std::int32_t /*mode*/, std::int32_t /*option*/) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqAdcPrepare")) return FailLocked(*injected);
  acq_ = Acquisition{};
  acq_.phase = Phase::Prepared;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqDeviceCount(std::int32_t& count) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqDeviceCount")) return FailLocked(*injected);
  count = static_cast<std::int32_t>(bench_.units_.size());
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqDeviceNames")) return FailLocked(*injected);
  names.clear();
  for (const auto& unit : bench_.units_) names.push_back(unit->DeviceName);
  count = static_cast<std::int32_t>(names.size());
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqDeviceByName(const std::string& name,
                                           std::shared_ptr<const AcqDevice>& device) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqDeviceByName")) return FailLocked(*injected);
  for (const auto& unit : bench_.units_) {
    if (unit->DeviceName == name) {
      device = unit;
      return kAcqOk;
    }
  }
  return FailLocked(kSimUnknownDevice);
}

AcqStatus SimulatedAcqLib::acqCloseDevice() {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqCloseDevice")) return FailLocked(*injected);
  if (!open_) return FailLocked(kSimNoDeviceOpen);
  open_.reset();
  acq_ = Acquisition{};
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqOpenDevice(const std::string& name) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqOpenDevice")) return FailLocked(*injected);
  for (const auto& unit : bench_.units_) {
    if (unit->DeviceName == name) {
      open_ = unit;
      acq_ = Acquisition{};
      return kAcqOk;
    }
  }
  return FailLocked(kSimUnknownDevice);
}

std::int32_t SimulatedAcqLib::acqOnlineStatus(std::string& /*empty*/) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqOnlineStatus")) return FailLocked(*injected);
  if (!open_) return FailLocked(kSimNoDeviceOpen);
  if (!bench_.online_) return FailLocked(kSimNotOnline);
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqLastErrorCode(std::int32_t& code) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqLastErrorCode")) return FailLocked(*injected);
  code = lastError_;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqErrorText(std::int32_t code, std::string& text) {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqErrorText")) return FailLocked(*injected);
  text = SimErrorText(code);
  return kAcqOk;
}

// --- Setting up an acquisition -------------------------------------------

AcqStatus SimulatedAcqLib::acqAdcSetScan(std::span<const std::int32_t> channels,
                                         std::span<const std::int32_t> gainCodes,
                                         std::span<const std::int32_t> flags,
                                         std::int16_t count) {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcSetScan", Phase::Prepared)) return s;
  const auto n = static_cast<std::size_t>(std::max<std::int16_t>(count, 0));
  if (n == 0 || channels.size() < n || gainCodes.size() < n || flags.size() < n) {
    return FailLocked(kSimInvalidArgument);
  }
  const int shift = UsesShiftedGainCodes(open_->DeviceType) ? 4 : 0;
  std::vector<Entry> entries(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (channels[i] < 0 || channels[i] > kHighestChannel) return FailLocked(kSimChannelOutOfRange);
    const int point = gainCodes[i] - shift;
    if (point < 0 || point > 3) return FailLocked(kSimGainCodeOutOfRange);
    entries[i] = Entry{channels[i], point};
  }
  acq_.entries = std::move(entries);
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcSetAcq(std::int32_t preTrigger, std::int32_t postTrigger,
                                        std::int32_t scanCount) {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcSetAcq", Phase::Prepared)) return s;
  if (preTrigger < 0 || postTrigger < 0 || scanCount < 1) return FailLocked(kSimInvalidArgument);
  acq_.scanCount = scanCount;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqSetTriggerEvent(const std::array<std::int32_t, 9>& /*values*/) {
  // The simulated unit triggers on arming whatever the trigger event says.
  std::lock_guard lock(bench_.mutex_);
  return CheckAcquisitionCallLocked("acqSetTriggerEvent", Phase::Prepared);
}

AcqStatus SimulatedAcqLib::acqAdcSetFreq(float frequency) {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcSetFreq", Phase::Prepared)) return s;
  if (!std::isfinite(frequency) || frequency <= 0.0F || frequency > kHighestFrequency) {
    return FailLocked(kSimInvalidArgument);
  }
  acq_.frequency = static_cast<double>(frequency);
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer,
                                                   std::int32_t scanCount, std::int32_t mode) {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcTransferSetBuffer", Phase::Prepared)) {
    return s;
  }
  if (scanCount < 1 || mode != 0) return FailLocked(kSimInvalidArgument);
  const std::size_t perScan = std::max<std::size_t>(acq_.entries.size(), 1);
  if (buffer.size() < static_cast<std::size_t>(scanCount) * perScan) {
    return FailLocked(kSimBufferTooSmall);
  }
  acq_.buffer = buffer;
  acq_.bufferScans = scanCount;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcTransferStart() {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcTransferStart", Phase::Prepared)) {
    return s;
  }
  if (acq_.entries.empty() || acq_.scanCount == 0 || acq_.bufferScans == 0) {
    return FailLocked(kSimOutOfSequence);
  }
  const std::size_t words = static_cast<std::size_t>(acq_.scanCount) * acq_.entries.size();
  if (acq_.bufferScans < acq_.scanCount || acq_.buffer.size() < words) {
    return FailLocked(kSimBufferTooSmall);
  }
  acq_.phase = Phase::Started;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcArm() {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcArm", Phase::Started)) return s;
  acq_.fault = bench_.faults_.TakeTransferFault();
  acq_.armedAt = std::chrono::steady_clock::now();
  acq_.filled = 0;
  acq_.phase = Phase::Armed;
  return kAcqOk;
}

// --- The transfer --------------------------------------------------------

std::int32_t SimulatedAcqLib::ArrivedScansLocked() const {
  std::int32_t paced = acq_.scanCount;
  if (bench_.pacing_ == Pacing::Realtime) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - acq_.armedAt;
    const double scans = std::floor(elapsed.count() * acq_.frequency);
    paced = static_cast<std::int32_t>(std::min(scans, static_cast<double>(acq_.scanCount)));
  }
  if (acq_.fault.kind != TransferFault::None) paced = std::min(paced, acq_.fault.afterScans);
  return paced;
}

void SimulatedAcqLib::FillBufferLocked(std::int32_t upTo) {
  if (upTo <= acq_.filled) return;
  const std::size_t n = acq_.entries.size();
  std::vector<double> volts(n);
  for (std::size_t e = 0; e < n; ++e) {
    volts[e] = bench_.PointVoltsLocked(acq_.entries[e].channel, acq_.entries[e].point);
  }
  for (auto s = static_cast<std::size_t>(acq_.filled); s < static_cast<std::size_t>(upTo); ++s) {
    for (std::size_t e = 0; e < n; ++e) {
      acq_.buffer[s * n + e] = VoltsToWord(volts[e], bench_.NextNoiseCountsLocked());
    }
  }
  acq_.filled = upTo;
}

AcqStatus SimulatedAcqLib::acqAdcTransferGetStat(std::int16_t& active,
                                                 std::int32_t& transferred) {
  std::lock_guard lock(bench_.mutex_);
  if (const AcqStatus s = CheckAcquisitionCallLocked("acqAdcTransferGetStat", Phase::Armed)) {
    return s;
  }
  const std::int32_t arrived = ArrivedScansLocked();
  FillBufferLocked(arrived);
  const bool endedShort = acq_.fault.kind == TransferFault::EndShort &&
                          acq_.fault.afterScans < acq_.scanCount &&
                          arrived >= acq_.fault.afterScans;
  active = (arrived < acq_.scanCount && !endedShort) ? 1 : 0;
  transferred = arrived;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcTransferEnd() {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqAdcTransferEnd")) return FailLocked(*injected);
  if (!open_) return FailLocked(kSimNoDeviceOpen);
  if (acq_.phase != Phase::Started && acq_.phase != Phase::Armed) {
    return FailLocked(kSimOutOfSequence);
  }
  acq_.phase = Phase::Ended;
  return kAcqOk;
}

AcqStatus SimulatedAcqLib::acqAdcRelease() {
  std::lock_guard lock(bench_.mutex_);
  if (const auto injected = bench_.faults_.Take("acqAdcRelease")) return FailLocked(*injected);
  if (acq_.phase == Phase::Idle) return FailLocked(kSimOutOfSequence);
  acq_ = Acquisition{};
  return kAcqOk;
}

}  // namespace vernium
