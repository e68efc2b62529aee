#include "acquisition/gauge_acquisition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "acq_test_support.h"

namespace vernium {
namespace {

using namespace testing;

const Strings kCalls = {"acqAdcPrepare",           "acqAdcSetScan",       "acqAdcSetAcq",
                        "acqSetTriggerEvent",      "acqSetTriggerEvent",  "acqAdcSetFreq",
                        "acqAdcTransferSetBuffer", "acqAdcTransferStart", "acqAdcArm",
                        "acqAdcTransferGetStat",   "acqAdcTransferEnd",   "acqAdcRelease"};

// Seconds since midnight, advancing `step` a read and wrapping at midnight.
struct SteppingClock : Clock {
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    return std::exchange(now, std::fmod(now + step, 86400.0));
  }
  mutable double now = 0.0;
  double step = 0.0;
};

// The trace lines the routines give are not checked: no part of the program
// emits them.

// Either routine on channel 16: 20 scans of getGageReadings, or the 100 of
// getOneScanAveraged on a four-entry list, picking the last entry.
struct Acquisition {
  ScriptedAcqLib acq;
  TraceSink trace;
  SteppingClock clock;
  std::vector<std::uint16_t> buffer = std::vector<std::uint16_t>(81);
  float averaged = -1234.0f;

  AcquisitionResult Run(bool gage, bool pickFirst = false) {
    if (gage) return getGageReadings(acq, nullptr, trace, buffer, 20, 16, clock);
    const std::array<std::int32_t, 4> list{16, 16, 16, 16};
    return getOneScanAveraged(acq, trace, list, list, list, 4, pickFirst, averaged, clock);
  }
};

// The order of the calls and the trace on success follow from the failure
// test below (a failing release comes after every other call). The fixed
// settings (preparation mode, triggers, frequency) are passed as declared.
// getGageReadings' scan list, scan count and buffer: the simulated unit's
// tests read every card through it, on units with either gain codes.
TEST(GaugeAcquisition, SendsTheCallersScanListScanCountAndBuffer) {
  Acquisition b;
  const std::array<std::int32_t, 3> channels{40, 41, 42}, gains{4, 5, 6}, flags{2, 2, 1};
  EXPECT_EQ(
      getOneScanAveraged(b.acq, b.trace, channels, gains, flags, 3, true, b.averaged, b.clock), 0);
  EXPECT_EQ(b.acq.args["acqAdcSetScan"], (Numbers{40, 41, 42, 4, 5, 6, 2, 2, 1, 3}));
  EXPECT_EQ(b.acq.args["acqAdcSetAcq"], (Numbers{0, 0, 100}));
  EXPECT_EQ(b.acq.args["acqAdcTransferSetBuffer"], (Numbers{301, 100, 0}));
}

TEST(GaugeAcquisition, AFailingCallEndsItAtOnceWithTheLibrarysLastErrorCode) {
  // Each call failing in turn (acqSetTriggerEvent at its first call, twice
  // over). A failed preparation has its own code and asks for no error code.
  for (const bool gage : {true, false}) {
    for (const std::string& operation : kCalls) {
      SCOPED_TRACE(operation);
      Acquisition a;
      a.acq.failures[operation] = {55};
      a.acq.lastErrorCode = 77;
      const bool prepare = operation == "acqAdcPrepare";
      EXPECT_EQ(a.Run(gage), prepare ? kAcqPrepareFailed : 77);
      Strings calls(kCalls.begin(), std::find(kCalls.begin(), kCalls.end(), operation) + 1);
      if (!prepare) calls.push_back("acqLastErrorCode");
      EXPECT_EQ(a.acq.calls, calls);
      EXPECT_EQ(a.averaged, -1234.0f) << "the result is left alone";
    }
  }
}

TEST(GaugeAcquisition, WithoutALastErrorCodeTheFailingStatusIsReturned) {
  for (const AcqStatus lastCodeStatus : {0, 12}) {
    Acquisition a;
    a.acq.failures["acqAdcArm"] = {66};
    a.acq.lastErrorCode = 0;  // would read as success
    a.acq.lastErrorCodeStatus = lastCodeStatus;
    EXPECT_EQ(a.Run(true), 66) << lastCodeStatus;
  }
}

TEST(GaugeAcquisition, PollingEndsAsTheTransferReports) {
  using Polls = std::vector<ScriptedAcqLib::Poll>;
  const Polls stuckAt5(1000, {1, 5}), stuckAt0(1000, {1, 0});
  Polls advancing;
  for (std::int32_t i = 0; i < 20; ++i) advancing.push_back({1, i});
  // Polls, clock start and step (s), result, status polls. A stall is no new
  // scan for longer than 2 s plus the 20 ms the block takes.
  const std::tuple<Polls, double, double, AcquisitionResult, int> cases[] = {
      {{{1, 20}}, 0, 0, 0, 1},
      {{{1, 0}, {1, 4}, {1, 12}, {0, 20}}, 0, 0, 0, 4},
      {{{1, 3}, {1, 25}}, 0, 0, 0, 2},  // more than asked for
      {{{1, 0}, {0, 0}}, 0, 0, 0, 2},   // inactive with none
      {{{1, 5}, {0, 5}}, 0, 0, kAcqTransferEndedShort, 2},
      {stuckAt5, 100, 0.5, kAcqTransferStalled, 6},
      {stuckAt0, 100, 0.25, kAcqTransferStalled, 10},
      {stuckAt5, 86399, 0.5, kAcqTransferStalled, 6},  // across midnight
      {advancing, 100, 1.0, 0, 21}};                   // slow but never stalled
  for (const auto& [polls, start, step, result, statusPolls] : cases) {
    Acquisition a;
    a.acq.polls = polls;
    a.clock.now = start;
    a.clock.step = step;
    EXPECT_EQ(a.Run(true), result) << statusPolls;
    EXPECT_EQ(a.acq.Count("acqAdcTransferGetStat"), statusPolls);
    // Whatever the outcome, the transfer is ended and released.
    EXPECT_EQ(Strings(a.acq.calls.end() - 2, a.acq.calls.end()),
              (Strings{"acqAdcTransferEnd", "acqAdcRelease"}));
  }
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
      a.acq.samples.insert(a.acq.samples.end(), scanWords.begin(), scanWords.end());
    }
    ASSERT_EQ(a.Run(false, pickFirst), 0);
    EXPECT_EQ(a.averaged, mean) << words.back() << (pickFirst ? " first" : " last");
  }
}

}  // namespace
}  // namespace vernium
