#include "acquisition/gauge_acquisition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "acq_test_support.h"

namespace vernium {
namespace {

using namespace testing;

const Strings kCalls = {"acqAdcPrepare",           "acqAdcSetScan",       "acqAdcSetAcq",
                        "acqSetTriggerEvent",      "acqSetTriggerEvent",  "acqAdcSetFreq",
                        "acqAdcTransferSetBuffer", "acqAdcTransferStart", "acqAdcArm",
                        "acqAdcTransferGetStat",   "acqAdcTransferEnd",   "acqAdcRelease"};

// The first `count` trace lines of a routine's acquisition.
Strings TraceLines(const std::string& routine, std::size_t count = 10) {
  Strings lines;
  for (const char* call :
       {" acqAdcSetScan", " acqAdcSetAcq", " acqSetTriggerEvent", " acqSetTriggerEvent",
        " acqAdcSetFreq", " acqAdcTransferSetBuffer", " acqAdcTransferStart", " acqAdcArm",
        " Polling acqAdcTransferGetStat -- Start", " Polling acqAdcTransferGetStat -- End"}) {
    if (lines.size() < count) lines.push_back(routine + call);
  }
  return lines;
}

// Seconds since midnight, advancing `step` a read and wrapping at midnight.
struct SteppingClock : Clock {
  SteppingClock(double start = 0.0, double perRead = 0.0) : now(start), step(perRead) {}
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    const double t = now;
    now = std::fmod(now + step, 86400.0);
    return t;
  }
  mutable double now;
  double step;
};

// Either routine on channel 16: 20 scans of getGageReadings, or the 100 of
// getOneScanAveraged on a four-entry list, picking the last entry.
struct Acquisition {
  ScriptedAcqLib acq;
  RecordingTrace trace;
  SteppingClock clock;
  std::vector<std::uint16_t> buffer = std::vector<std::uint16_t>(81);
  float averaged = -1234.0f;

  AcquisitionResult Run(bool gage) {
    if (gage) return getGageReadings(acq, nullptr, trace, buffer, 20, 16, clock);
    const std::array<std::int32_t, 4> list{16, 16, 16, 16};
    return getOneScanAveraged(acq, trace, list, list, list, 4, false, averaged, clock);
  }
};

TEST(GageReadings, CallsTheLibraryInOrderForTheFourReadBackPoints) {
  Acquisition a;
  const AcqDevice shifted{23, "unit", 3, ""};
  std::vector<std::uint16_t> buffer(4 * 25 + 1);
  EXPECT_EQ(getGageReadings(a.acq, &shifted, a.trace, buffer, 25, 37, a.clock), 0);
  EXPECT_EQ(a.acq.calls, kCalls);
  EXPECT_EQ(a.acq.args["acqAdcPrepare"], (Numbers{3, 0}));
  EXPECT_EQ(a.acq.args["acqAdcSetScan"], (Numbers{37, 37, 37, 37, 4, 5, 6, 7, 2, 2, 2, 2, 4}));
  EXPECT_EQ(a.acq.args["acqAdcSetAcq"], (Numbers{0, 0, 25}));
  EXPECT_EQ(a.acq.args["acqSetTriggerEvent"],
            (Numbers{0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(a.acq.args["acqAdcSetFreq"], (Numbers{1000}));
  EXPECT_EQ(a.acq.args["acqAdcTransferSetBuffer"], (Numbers{101, 25, 0}));
  EXPECT_EQ(a.trace.lines, TraceLines("getGageReadings()"));
}

TEST(OneScanAveraged, AcquiresAHundredScansOfTheGivenList) {
  Acquisition a;
  const std::array<std::int32_t, 3> channels{40, 41, 42}, gains{4, 5, 6}, flags{2, 2, 1};
  EXPECT_EQ(
      getOneScanAveraged(a.acq, a.trace, channels, gains, flags, 3, true, a.averaged, a.clock), 0);
  EXPECT_EQ(a.acq.calls, kCalls);
  EXPECT_EQ(a.acq.args["acqAdcSetScan"], (Numbers{40, 41, 42, 4, 5, 6, 2, 2, 1, 3}));
  EXPECT_EQ(a.acq.args["acqAdcSetAcq"], (Numbers{0, 0, 100}));
  EXPECT_EQ(a.acq.args["acqAdcTransferSetBuffer"], (Numbers{301, 100, 0}));
  EXPECT_EQ(a.trace.lines, TraceLines("getOneScanAveraged()"));
}

TEST(ReadBackGainCode, IsShiftedByFourForTheUnitTypesThatNumberThemSo) {
  const std::set<int> shiftedTypes{9, 10, 17, 18, 22, 23, 36, 37};
  for (int type = -1; type <= 40; ++type) {
    const AcqDevice device{type, "", 0, ""};
    const int shift = shiftedTypes.count(type) != 0 ? 4 : 0;
    EXPECT_EQ(ReadBackGainCode(&device, 0), shift) << type;
    EXPECT_EQ(ReadBackGainCode(&device, 3), shift + 3) << type;
  }
  EXPECT_EQ(ReadBackGainCode(nullptr, 2), 2);
}

TEST(GaugeAcquisition, AFailingCallEndsItAtOnceWithTheLibrarysLastErrorCode) {
  // The failing call and the trace lines before it.
  const std::pair<const char*, std::size_t> cases[] = {{"acqAdcSetScan", 0},
                                                       {"acqAdcSetAcq", 1},
                                                       {"acqSetTriggerEvent", 2},
                                                       {"acqAdcSetFreq", 4},
                                                       {"acqAdcTransferSetBuffer", 5},
                                                       {"acqAdcTransferStart", 6},
                                                       {"acqAdcArm", 7},
                                                       {"acqAdcTransferGetStat", 9},
                                                       {"acqAdcTransferEnd", 10},
                                                       {"acqAdcRelease", 10}};
  for (const bool gage : {true, false}) {
    for (const auto& [operation, lines] : cases) {
      Acquisition a;
      a.acq.failures[operation] = {55};
      a.acq.lastErrorCode = 77;
      EXPECT_EQ(a.Run(gage), 77) << operation;
      Strings calls(kCalls.begin(), std::find(kCalls.begin(), kCalls.end(), operation) + 1);
      calls.push_back("acqLastErrorCode");
      EXPECT_EQ(a.acq.calls, calls) << operation;
      Strings trail = TraceLines(gage ? "getGageReadings()" : "getOneScanAveraged()", lines);
      if (!gage) trail.push_back("getOneScanAveraged() AcqLibError: 77");
      EXPECT_EQ(a.trace.lines, trail) << operation;
      EXPECT_EQ(a.averaged, -1234.0f) << "the result is left alone";
    }
  }
}

TEST(GaugeAcquisition, APreparationFailureHasItsOwnCodeAndNothingElseIsCalled) {
  for (const bool gage : {true, false}) {
    Acquisition a;
    a.acq.failures["acqAdcPrepare"] = {3};
    a.acq.lastErrorCode = 3;
    EXPECT_EQ(a.Run(gage), kAcqPrepareFailed);
    EXPECT_EQ(a.acq.calls, Strings{"acqAdcPrepare"});
    EXPECT_TRUE(a.trace.lines.empty());
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
    a.clock = SteppingClock(start, step);
    EXPECT_EQ(a.Run(true), result) << statusPolls;
    EXPECT_EQ(a.acq.Count("acqAdcTransferGetStat"), statusPolls);
    // Whatever the outcome, the transfer is ended and released.
    EXPECT_EQ(Strings(a.acq.calls.end() - 2, a.acq.calls.end()),
              (Strings{"acqAdcTransferEnd", "acqAdcRelease"}));
    EXPECT_EQ(a.trace.lines.size(), result == 0 ? 10u : 9u) << statusPolls;
  }
}

TEST(AcquisitionErrorText, OwnCodesHaveTextsAndOthersAskTheLibrary) {
  ScriptedAcqLib acq;
  acq.errorTexts[201] = "No device is open.";
  for (const auto code : {kAcqPrepareFailed, kAcqTransferEndedShort, kAcqTransferStalled}) {
    ASSERT_TRUE(OwnAcquisitionErrorText(code).has_value());
    EXPECT_FALSE(OwnAcquisitionErrorText(code)->empty());
    EXPECT_EQ(AcquisitionErrorText(acq, code), *OwnAcquisitionErrorText(code));
  }
  EXPECT_FALSE(OwnAcquisitionErrorText(201).has_value());
  EXPECT_EQ(AcquisitionErrorText(acq, 201), "No device is open.");
  EXPECT_EQ(AcquisitionErrorText(acq, 404), "");
}

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
    const std::array<std::int32_t, 4> list{16, 16, 16, 16};
    ASSERT_EQ(
        getOneScanAveraged(a.acq, a.trace, list, list, list, 4, pickFirst, a.averaged, a.clock), 0);
    EXPECT_EQ(a.averaged, mean) << words.back() << (pickFirst ? " first" : " last");
  }
}

TEST(AverageScans, AveragesEachEntryOverTheScans) {
  const std::vector<std::uint16_t> buffer{1, 10, 65535, 2, 20, 0, 6, 60, 0, 9999};
  std::array<float, 3> averages{-1.0f, -1.0f, -1.0f};
  AverageScans(buffer, 3, 3, averages);
  EXPECT_EQ(averages, (std::array<float, 3>{3.0f, 30.0f, 21845.0f}));
  std::array<float, 2> halves{};
  AverageScans(std::vector<std::uint16_t>{0, 7, 65535, 8}, 2, 2, halves);
  EXPECT_EQ(halves, (std::array<float, 2>{32767.5f, 7.5f}));
}

}  // namespace
}  // namespace vernium
