#pragma once
// Gauge acquisition: one complete, self-contained acquisition through the
// acquisition library, handing back raw counts.
//
//  - getGageReadings takes a block of scans of the four read-back points of
//    one card channel (card output; input stage with its input shorted;
//    scaling stage with the 5 mV reference; input stage with the 5 mV
//    reference), for the diagnostics readings.
//  - getOneScanAveraged takes 100 scans of a caller-given scan list and
//    hands back one averaged signed count, for the calibration wizard.
//  - AverageScans averages a block of scans entry by entry.
//
// Every library call after acqAdcPrepare that fails ends the routine at
// once, without the remaining calls; the routine then reads acqLastErrorCode
// and returns that code. Callers treat any non-zero result as a failed
// reading: the buffer and the averaged count are then not to be used.
//
// Codes of the routines' own (none of them is a library code):
//  - kAcqPrepareFailed: acqAdcPrepare itself failed. Nothing else was called
//    and acqLastErrorCode was not read. The diagnostics reading loop ends at
//    once on it and reports the code of the previous acquisition; the wizard
//    treats it like any failed reading.
//  - kAcqTransferEndedShort: the transfer went inactive after some but not
//    all of its scans.
//  - kAcqTransferStalled: the count of transferred scans stopped advancing
//    for longer than kStallAllowanceSeconds plus the time the whole block
//    takes at the acquisition frequency.
//  - kAcqReadStopped: the caller asked the acquisition to stop (its window
//    closing) while the transfer was under way.
// On the last three the transfer is wound up (acqAdcTransferEnd, then
// acqAdcRelease, their statuses ignored) before the code is returned, so the
// unit is left ready for the next acquisition.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

#include "acquisition/acq_lib.h"
#include "acquisition/device_types.h"
#include "platform/clock.h"

namespace vernium {

// 0 on success, otherwise the library's error code or one of the codes below.
using AcquisitionResult = std::int32_t;

inline constexpr AcquisitionResult kAcqPrepareFailed = 9001;
inline constexpr AcquisitionResult kAcqTransferEndedShort = 9002;
inline constexpr AcquisitionResult kAcqTransferStalled = 9003;
inline constexpr AcquisitionResult kAcqReadStopped = 9004;

// How long a transfer may go without a new scan, beyond the time the whole
// block needs at the acquisition frequency, before it counts as stalled.
inline constexpr double kStallAllowanceSeconds = 2.0;

// The acquisition's fixed settings.
inline constexpr float kAcqFrequency = 1000.0f;
inline constexpr std::int32_t kPrepareMode = 3;
inline constexpr std::int32_t kPrepareOption = 0;
inline constexpr std::int32_t kScanFlag = 2;  // the flag every scan entry carries
inline constexpr std::int16_t kScansPerAveragedReading = 100;
inline constexpr std::array<std::int32_t, 9> kTriggerClear{0, 0, 0, 0, 0, 0, 0, 0, 0};
inline constexpr std::array<std::int32_t, 9> kTriggerImmediate{10, 0, 0, 0, 0, 0, 0, 0, 1};

// The message text of one of the routines' own codes; nothing for any other
// code (the library's acqErrorText knows those).
std::optional<std::string> OwnAcquisitionErrorText(AcquisitionResult code);

// The text of any code a routine returned: the routines' own text for their
// own codes, otherwise the library's acqErrorText (empty if that fails).
std::string AcquisitionErrorText(AcqLibObject& acq, AcquisitionResult code);

// The wizard's scan list: four entries of acquisition channel, gain code and
// flag. The flags are set to kScanFlag at start-up, the channels when the
// wizard opens, the gain codes at each wizard step.
struct GageScanList {
  std::array<std::int32_t, 4> channels{};
  std::array<std::int32_t, 4> gainCodes{};
  std::array<std::int32_t, 4> flags{};
};


// The gain code that selects read-back point `point` (0..3) on a device;
// with no device open the plain codes apply.
std::int32_t ReadBackGainCode(const AcqDevice* device, int point);

// Acquires `scanCount` scans of the four read-back points of `channel` into
// `buffer` (at least 4 x scanCount words, scan after scan). `clock` times the
// stall check; the overload without it uses the system clock. A stop asked
// of `stop` ends the transfer at its next poll (kAcqReadStopped).
AcquisitionResult getGageReadings(AcqLibObject& acq, const AcqDevice* device, TraceSink& trace,
                                  std::span<std::uint16_t> buffer, std::int16_t scanCount,
                                  std::int16_t channel);
AcquisitionResult getGageReadings(AcqLibObject& acq, const AcqDevice* device, TraceSink& trace,
                                  std::span<std::uint16_t> buffer, std::int16_t scanCount,
                                  std::int16_t channel, const Clock& clock,
                                  std::stop_token stop = {});

// Acquires 100 scans of the given scan list (`entryCount` entries) and
// stores in `result` the mean signed count (unsigned count - 32768) of one
// entry, the first when `pickFirst` is set, else the last, rounded to the
// nearest integer with halves to even. `result` is left alone on failure.
// A stop asked of `stop` ends the transfer at its next poll.
AcquisitionResult getOneScanAveraged(AcqLibObject& acq, TraceSink& trace,
                                     std::span<const std::int32_t> channels,
                                     std::span<const std::int32_t> gainCodes,
                                     std::span<const std::int32_t> flags,
                                     std::int16_t entryCount, bool pickFirst, float& result,
                                     std::stop_token stop = {});
AcquisitionResult getOneScanAveraged(AcqLibObject& acq, TraceSink& trace,
                                     std::span<const std::int32_t> channels,
                                     std::span<const std::int32_t> gainCodes,
                                     std::span<const std::int32_t> flags,
                                     std::int16_t entryCount, bool pickFirst, float& result,
                                     const Clock& clock, std::stop_token stop = {});

// For each entry j < entryCount, the mean unsigned count of the words
// s x entryCount + j over the scans s = 0..scanCount-1, summed and divided in
// single precision, into averages[j].
void AverageScans(std::span<const std::uint16_t> buffer, std::int16_t scanCount,
                  std::int16_t entryCount, std::span<float> averages);

}  // namespace vernium
