#include "acquisition/gauge_acquisition.h"

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "model/invariant.h"

namespace vernium {
namespace {

constexpr std::string_view kGageReadingsName = "getGageReadings()";
constexpr std::string_view kOneScanAveragedName = "getOneScanAveraged()";
constexpr double kSecondsPerDay = 86400.0;

// Seconds from `then` to `now` on a seconds-since-midnight clock, across
// midnight as well.
double SecondsBetween(double then, double now) {
  double elapsed = now - then;
  if (elapsed < 0.0) elapsed += kSecondsPerDay;
  return elapsed;
}

// One acquisition from acqAdcSetScan on, for one routine: everything the two
// routines share after their acqAdcPrepare.
class Acquisition {
 public:
  Acquisition(AcqLibObject& acq, TraceSink& trace, std::string_view routine, const Clock& clock,
              std::stop_token stop)
      : acq_(acq), trace_(trace), routine_(routine), clock_(clock), stop_(std::move(stop)) {}

  AcquisitionResult Run(std::span<const std::int32_t> channels,
                        std::span<const std::int32_t> gainCodes,
                        std::span<const std::int32_t> flags, std::int16_t entryCount,
                        std::span<std::uint16_t> buffer, std::int16_t scanCount) {
    if (auto s = acq_.acqAdcSetScan(channels, gainCodes, flags, entryCount)) return Failed(s);
    Trace(" acqAdcSetScan");
    if (auto s = acq_.acqAdcSetAcq(0, 0, scanCount)) return Failed(s);
    Trace(" acqAdcSetAcq");
    if (auto s = acq_.acqSetTriggerEvent(kTriggerClear)) return Failed(s);
    Trace(" acqSetTriggerEvent");
    if (auto s = acq_.acqSetTriggerEvent(kTriggerImmediate)) return Failed(s);
    Trace(" acqSetTriggerEvent");
    if (auto s = acq_.acqAdcSetFreq(kAcqFrequency)) return Failed(s);
    Trace(" acqAdcSetFreq");
    if (auto s = acq_.acqAdcTransferSetBuffer(buffer, scanCount, 0)) return Failed(s);
    Trace(" acqAdcTransferSetBuffer");
    if (auto s = acq_.acqAdcTransferStart()) return Failed(s);
    Trace(" acqAdcTransferStart");
    if (auto s = acq_.acqAdcArm()) return Failed(s);
    Trace(" acqAdcArm");

    Trace(" Polling acqAdcTransferGetStat -- Start");
    if (const AcquisitionResult polled = Poll(scanCount); polled != 0) return polled;
    Trace(" Polling acqAdcTransferGetStat -- End");

    if (auto s = acq_.acqAdcTransferEnd()) return Failed(s);
    if (auto s = acq_.acqAdcRelease()) return Failed(s);
    return 0;
  }

  // The code a routine returns after a call failed with `status`: the
  // library's last error code. Should the library not give one (or give 0,
  // which would read as success) the failing status stands in for it.
  AcquisitionResult Failed(AcqStatus status) {
    std::int32_t code = 0;
    if (acq_.acqLastErrorCode(code) != 0 || code == 0) code = status;
    OnFailure(code);
    return code;
  }

 private:
  // Polls until the transfer has all its scans, or reports itself inactive
  // with none. Ends early, as a failed reading, when the transfer goes
  // inactive with only part of them or stops advancing.
  AcquisitionResult Poll(std::int16_t scanCount) {
    const double allowance =
        kStallAllowanceSeconds + scanCount / static_cast<double>(kAcqFrequency);
    bool timing = false;
    std::int32_t lastTransferred = 0;
    double lastAdvance = 0.0;
    for (;;) {
      std::int16_t active = 0;
      std::int32_t transferred = 0;
      if (auto s = acq_.acqAdcTransferGetStat(active, transferred)) return Failed(s);
      if (transferred >= scanCount) return 0;
      if (active == 0 && transferred == 0) return 0;
      if (active == 0) return WoundUp(kAcqTransferEndedShort);
      if (stop_.stop_requested()) return WoundUp(kAcqReadStopped);
      // The clock is read only while the transfer is still under way.
      const double now = clock_.SecondsSinceMidnight();
      if (!timing || transferred != lastTransferred) {
        timing = true;
        lastTransferred = transferred;
        lastAdvance = now;
      } else if (SecondsBetween(lastAdvance, now) > allowance) {
        return WoundUp(kAcqTransferStalled);
      }
      // Scans arrive one a millisecond at the acquisition frequency; waiting
      // that long between polls leaves the processor to the windows.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  // Ends a transfer the library still holds open, then fails with `code`.
  AcquisitionResult WoundUp(AcquisitionResult code) {
    static_cast<void>(acq_.acqAdcTransferEnd());
    static_cast<void>(acq_.acqAdcRelease());
    OnFailure(code);
    return code;
  }

  void OnFailure(AcquisitionResult code) {
    if (routine_ == kOneScanAveragedName) Trace(" AcqLibError: " + std::to_string(code));
  }

  void Trace(std::string_view text) {
    line_.assign(routine_);
    line_ += text;
    trace_.Trace(line_);
  }

  AcqLibObject& acq_;
  TraceSink& trace_;
  std::string_view routine_;
  const Clock& clock_;
  std::stop_token stop_;
  std::string line_;
};

}  // namespace

std::optional<std::string> OwnAcquisitionErrorText(AcquisitionResult code) {
  switch (code) {
    case kAcqPrepareFailed:
      return "The acquisition library could not prepare the unit for an acquisition.";
    case kAcqTransferEndedShort:
      return "The transfer ended before all scans had arrived.";
    case kAcqTransferStalled:
      return "The transfer stopped delivering scans.";
    case kAcqReadStopped:
      return "The reading was stopped.";
    default:
      return std::nullopt;
  }
}

std::string AcquisitionErrorText(AcqLibObject& acq, AcquisitionResult code) {
  if (auto own = OwnAcquisitionErrorText(code)) return *own;
  std::string text;
  if (acq.acqErrorText(code, text) != 0) text.clear();
  return text;
}

std::int32_t ReadBackGainCode(const AcqDevice* device, int point) {
  VERNIUM_EXPECTS(point >= 0 && point <= 3);
  const bool shifted = device != nullptr && UsesShiftedGainCodes(device->DeviceType);
  return point + (shifted ? 4 : 0);
}

AcquisitionResult getGageReadings(AcqLibObject& acq, const AcqDevice* device, TraceSink& trace,
                                  std::span<std::uint16_t> buffer, std::int16_t scanCount,
                                  std::int16_t channel) {
  const SystemClock clock;
  return getGageReadings(acq, device, trace, buffer, scanCount, channel, clock);
}

AcquisitionResult getGageReadings(AcqLibObject& acq, const AcqDevice* device, TraceSink& trace,
                                  std::span<std::uint16_t> buffer, std::int16_t scanCount,
                                  std::int16_t channel, const Clock& clock,
                                  std::stop_token stop) {
  VERNIUM_EXPECTS(scanCount >= 0);
  VERNIUM_EXPECTS(buffer.size() >= 4u * static_cast<std::size_t>(scanCount));
  if (acq.acqAdcPrepare(kPrepareMode, kPrepareOption) != 0) return kAcqPrepareFailed;

  std::array<std::int32_t, 4> channels{};
  std::array<std::int32_t, 4> gainCodes{};
  std::array<std::int32_t, 4> flags{};
  for (int point = 0; point < 4; ++point) {
    const auto i = static_cast<std::size_t>(point);
    channels[i] = channel;
    gainCodes[i] = ReadBackGainCode(device, point);
    flags[i] = kScanFlag;
  }
  Acquisition acquisition(acq, trace, kGageReadingsName, clock, std::move(stop));
  return acquisition.Run(channels, gainCodes, flags, 4, buffer, scanCount);
}

AcquisitionResult getOneScanAveraged(AcqLibObject& acq, TraceSink& trace,
                                     std::span<const std::int32_t> channels,
                                     std::span<const std::int32_t> gainCodes,
                                     std::span<const std::int32_t> flags, std::int16_t entryCount,
                                     bool pickFirst, float& result, std::stop_token stop) {
  const SystemClock clock;
  return getOneScanAveraged(acq, trace, channels, gainCodes, flags, entryCount, pickFirst, result,
                            clock, std::move(stop));
}

AcquisitionResult getOneScanAveraged(AcqLibObject& acq, TraceSink& trace,
                                     std::span<const std::int32_t> channels,
                                     std::span<const std::int32_t> gainCodes,
                                     std::span<const std::int32_t> flags, std::int16_t entryCount,
                                     bool pickFirst, float& result, const Clock& clock,
                                     std::stop_token stop) {
  VERNIUM_EXPECTS(entryCount >= 1);
  const auto entries = static_cast<std::size_t>(entryCount);
  VERNIUM_EXPECTS(channels.size() >= entries && gainCodes.size() >= entries &&
                  flags.size() >= entries);
  if (acq.acqAdcPrepare(kPrepareMode, kPrepareOption) != 0) return kAcqPrepareFailed;

  constexpr auto kScans = static_cast<std::size_t>(kScansPerAveragedReading);
  std::vector<std::uint16_t> buffer(entries * kScans + 1);
  Acquisition acquisition(acq, trace, kOneScanAveragedName, clock, std::move(stop));
  const AcquisitionResult code =
      acquisition.Run(channels, gainCodes, flags, entryCount, buffer, kScansPerAveragedReading);
  if (code != 0) return code;

  const std::size_t entry = pickFirst ? 0 : entries - 1;
  float sum = 0.0f;
  for (std::size_t scan = 0; scan < kScans; ++scan) {
    sum += static_cast<float>(static_cast<std::int32_t>(buffer[scan * entries + entry]) - 32768);
  }
  // nearbyint rounds halves to even in the default rounding mode.
  result = std::nearbyint(sum / static_cast<float>(kScansPerAveragedReading));
  return 0;
}

void AverageScans(std::span<const std::uint16_t> buffer, std::int16_t scanCount,
                  std::int16_t entryCount, std::span<float> averages) {
  VERNIUM_EXPECTS(scanCount >= 1 && entryCount >= 1);
  const auto scans = static_cast<std::size_t>(scanCount);
  const auto entries = static_cast<std::size_t>(entryCount);
  VERNIUM_EXPECTS(buffer.size() >= scans * entries && averages.size() >= entries);
  for (std::size_t j = 0; j < entries; ++j) averages[j] = 0.0f;
  for (std::size_t s = 0; s < scans; ++s) {
    const std::uint16_t* scan = buffer.data() + s * entries;
    for (std::size_t j = 0; j < entries; ++j) averages[j] += static_cast<float>(scan[j]);
  }
  for (std::size_t j = 0; j < entries; ++j) averages[j] /= static_cast<float>(scanCount);
}

}  // namespace vernium
