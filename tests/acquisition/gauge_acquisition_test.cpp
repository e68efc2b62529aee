#include "acquisition/gauge_acquisition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <utility>

#include "acq_test_support.h"
#include "simulator/simulated_errors.h"

namespace vernium {
namespace {

using namespace testing;

// Seconds since midnight, advancing `step` a read and wrapping at midnight.
// Each read takes a real millisecond, so a transfer paced in real time moves
// on between reads; polling that would never end is ended at the 1000th read.
struct SteppingClock : Clock {
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    if (++reads > 1000) throw std::runtime_error("the polling does not end");
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return std::exchange(now, std::fmod(now + step, 86400.0));
  }
  mutable double now = 0.0;
  double step = 0.0;
  mutable int reads = 0;
};

// The simulated unit, exact and immediate, but with a last error code
// `codeShift` above the status a call failed with, and a completed transfer
// holding `words` (when given) instead of what the unit read.
struct Unit : ExactLib {
  std::int32_t codeShift = 700;
  std::vector<std::uint16_t> words;
  std::span<std::uint16_t> buffer;

  AcqStatus acqLastErrorCode(std::int32_t& code) override {
    const AcqStatus status = ExactLib::acqLastErrorCode(code);
    code += codeShift;
    return status;
  }
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> b, std::int32_t scans,
                                    std::int32_t mode) override {
    buffer = b;
    return ExactLib::acqAdcTransferSetBuffer(b, scans, mode);
  }
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override {
    const AcqStatus status = ExactLib::acqAdcTransferGetStat(active, transferred);
    std::copy(words.begin(), words.end(), buffer.begin());
    return status;
  }
};

// The trace lines the routines give are not checked: no part of the program
// emits them. The fixed settings (preparation mode, triggers, frequency) are
// passed as declared.

// Either routine on channel 16: 20 scans of getGageReadings, or the 100 of
// getOneScanAveraged on its four read-back points.
struct Acquisition {
  Unit acq;
  TraceSink trace;
  SteppingClock clock;
  std::vector<std::uint16_t> buffer = std::vector<std::uint16_t>(81);
  float averaged = -1234.0f;

  AcquisitionResult Run(bool gage, bool pickFirst = false) {
    if (gage) return getGageReadings(acq, nullptr, trace, buffer, 20, 16, clock);
    const std::array<std::int32_t, 4> channels{16, 16, 16, 16}, codes{0, 1, 2, 3},
        flags{2, 2, 2, 2};
    return getOneScanAveraged(acq, trace, channels, codes, flags, 4, pickFirst, averaged, clock);
  }
};

// The scan lists sent: the simulated unit's tests read every card through
// getGageReadings, on units with either gain codes; the calibration
// scenarios read through getOneScanAveraged on the wizard's lists.
TEST(GaugeAcquisition, AFailingCallEndsItAtOnceWithTheLibrarysLastErrorCode) {
  // Each call failing in turn (acqSetTriggerEvent at its first call). A
  // failed preparation has its own code; a last error code of 0 would read
  // as success, and the failing status stands in for it.
  const char* const calls[] = {
      "acqAdcPrepare",       "acqAdcSetScan",           "acqAdcSetAcq",
      "acqSetTriggerEvent",  "acqAdcSetFreq",           "acqAdcTransferSetBuffer",
      "acqAdcTransferStart", "acqAdcArm",               "acqAdcTransferGetStat",
      "acqAdcTransferEnd",   "acqAdcRelease"};
  for (const bool gage : {true, false}) {
    for (const std::string operation : calls) {
      for (const std::int32_t shift : {700, -55}) {
        Acquisition a;
        a.acq.Bench().FailOperation(operation, 55);
        a.acq.codeShift = shift;
        const AcquisitionResult code = shift == 700 ? 755 : 55;
        EXPECT_EQ(a.Run(gage), operation == "acqAdcPrepare" ? kAcqPrepareFailed : code)
            << operation << " " << gage << shift;
        EXPECT_EQ(a.averaged, -1234.0f) << "the result is left alone";
      }
    }
  }
}

TEST(GaugeAcquisition, PollingEndsAsTheTransferReports) {
  // The transfer's fault after so many scans, the clock's start and step
  // (s), the result and the clock when the polling ended. The clock is read
  // only while scans are still due; a stall is no new scan for longer than
  // 2 s plus the 20 ms the block takes.
  using F = TransferFault;
  const std::tuple<F, int, double, double, AcquisitionResult, double> cases[] = {
      {F::None, 0, 100, 1, 0, 100},
      {F::EndShort, 0, 100, 1, 0, 100},  // inactive with none
      {F::EndShort, 5, 100, 1, kAcqTransferEndedShort, 100},
      {F::Stall, 5, 100, 0.5, kAcqTransferStalled, 103},
      {F::Stall, 0, 100, 0.25, kAcqTransferStalled, 102.5},
      {F::Stall, 5, 86399, 0.5, kAcqTransferStalled, 2}};  // across midnight
  for (const auto& [fault, after, start, step, result, end] : cases) {
    Acquisition a;
    a.acq.Bench().SetTransferFault(fault, after);
    a.clock.now = start;
    a.clock.step = step;
    EXPECT_EQ(a.Run(true), result) << start + after + step;
    EXPECT_EQ(a.clock.now, end) << start + after + step;
    // Whatever the outcome, the acquisition is released.
    EXPECT_EQ(a.acq.acqAdcRelease(), kSimOutOfSequence);
  }
  Acquisition slow;  // scans a few ms apart, polls a second apart: never stalled
  slow.acq.Bench().SetPacing(Pacing::Realtime);
  slow.clock.step = 1.0;
  EXPECT_EQ(slow.Run(true), 0);
}

TEST(AcquisitionErrorText, OwnCodesHaveTextsAndOthersAskTheLibrary) {
  SimulatedAcqLib unit;
  EXPECT_EQ(AcquisitionErrorText(unit, 201), "No device is open.");
  unit.Bench().FailOperation("acqErrorText", 1, FaultRepeat::UntilCleared);
  EXPECT_EQ(AcquisitionErrorText(unit, 201), "");
  for (const auto code : {kAcqPrepareFailed, kAcqTransferEndedShort, kAcqTransferStalled}) {
    EXPECT_FALSE(AcquisitionErrorText(unit, code).empty()) << code;
  }
}

// The averaging of a reading pass's scans is the reading pass's test.
TEST(OneScanAveraged, IsTheSignedMeanOfThePickedEntryRoundedHalfToEven) {
  // Words repeated over the 100 scans, whether the first entry is picked, the mean.
  const std::tuple<std::vector<std::uint16_t>, bool, float> cases[] = {
      {{0}, false, -32768.0f},       {{65535}, true, 32767.0f},     {{32768, 32769}, false, 0.0f},
      {{32769, 32770}, true, 2.0f},  {{32770, 32771}, false, 2.0f}, {{32765, 32766}, true, -2.0f},
      {{32766, 32767}, false, -2.0f}};
  for (const auto& [words, pickFirst, mean] : cases) {
    Acquisition a;
    for (std::size_t scan = 0; scan < 100; ++scan) {
      std::array<std::uint16_t, 4> scanWords{1000, 1001, 1002, 1003};  // far from the case's
      scanWords[pickFirst ? 0 : 3] = words[scan % words.size()];
      a.acq.words.insert(a.acq.words.end(), scanWords.begin(), scanWords.end());
    }
    ASSERT_EQ(a.Run(false, pickFirst), 0);
    EXPECT_EQ(a.averaged, mean) << words.back() << (pickFirst ? " first" : " last");
  }
}

}  // namespace
}  // namespace vernium
