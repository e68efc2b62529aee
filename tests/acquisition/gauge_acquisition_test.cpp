#include "acquisition/gauge_acquisition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "acq_call_recorder.h"
#include "acquisition/simulated_unit.h"

namespace vernium {
namespace {

using testing::AcqCallRecorder;
using testing::RecordingTrace;
using testing::ScriptedAcqLib;
using Strings = std::vector<std::string>;

const Strings kAcquisitionCalls = {
    "acqAdcPrepare",        "acqAdcSetScan",       "acqAdcSetAcq",
    "acqSetTriggerEvent",   "acqSetTriggerEvent",  "acqAdcSetFreq",
    "acqAdcTransferSetBuffer", "acqAdcTransferStart", "acqAdcArm",
    "acqAdcTransferGetStat", "acqAdcTransferEnd",   "acqAdcRelease"};

Strings TraceLines(const std::string& routine) {
  Strings lines;
  for (const char* call :
       {" acqAdcSetScan", " acqAdcSetAcq", " acqSetTriggerEvent", " acqSetTriggerEvent",
        " acqAdcSetFreq", " acqAdcTransferSetBuffer", " acqAdcTransferStart", " acqAdcArm",
        " Polling acqAdcTransferGetStat -- Start", " Polling acqAdcTransferGetStat -- End"}) {
    lines.push_back(routine + call);
  }
  return lines;
}

enum class Routine { GageReadings, OneScanAveraged };

std::ostream& operator<<(std::ostream& os, Routine r) {
  return os << (r == Routine::GageReadings ? "getGageReadings" : "getOneScanAveraged");
}

// Runs one acquisition of either routine on channel 16 with 20 scans for
// getGageReadings (getOneScanAveraged always takes 100).
struct Runner {
  AcqLibObject& acq;
  TraceSink& trace;
  const Clock& clock;
  const AcqDevice* device = nullptr;
  std::vector<std::uint16_t> buffer = std::vector<std::uint16_t>(81, 0);
  float averaged = -1234.0f;

  AcquisitionResult Run(Routine routine) {
    if (routine == Routine::GageReadings) {
      return getGageReadings(acq, device, trace, buffer, 20, 16, clock);
    }
    const std::array<std::int32_t, 4> channels{16, 16, 16, 16};
    const std::array<std::int32_t, 4> gains{0, 1, 2, 3};
    const std::array<std::int32_t, 4> flags{2, 2, 2, 2};
    return getOneScanAveraged(acq, trace, channels, gains, flags, 4, false, averaged, clock);
  }
};

TEST(GageReadings, MakesTheAcquisitionCallsInOrderWithTheirArguments) {
  ScriptedAcqLib acq;
  RecordingTrace trace;
  ScriptedClock clock;
  std::vector<std::uint16_t> buffer(4 * 25 + 1);
  EXPECT_EQ(getGageReadings(acq, nullptr, trace, buffer, 25, 37, clock), 0);

  EXPECT_EQ(acq.calls, kAcquisitionCalls);
  EXPECT_EQ(acq.prepareArgs, (std::array<std::int32_t, 2>{3, 0}));
  EXPECT_EQ(acq.scanChannels, (std::vector<std::int32_t>{37, 37, 37, 37}));
  EXPECT_EQ(acq.scanFlags, (std::vector<std::int32_t>{2, 2, 2, 2}));
  EXPECT_EQ(acq.scanEntries, 4);
  EXPECT_EQ(acq.acqArgs, (std::array<std::int32_t, 3>{0, 0, 25}));
  ASSERT_EQ(acq.triggers.size(), 2u);
  EXPECT_EQ(acq.triggers[0], (std::array<std::int32_t, 9>{0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(acq.triggers[1], (std::array<std::int32_t, 9>{10, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(acq.frequency, 1000.0f);
  EXPECT_EQ(acq.bufferScans, 25);
  EXPECT_EQ(acq.bufferMode, 0);
  EXPECT_EQ(acq.bufferWords, buffer.size());
  EXPECT_EQ(trace.lines, TraceLines("getGageReadings()"));
}

TEST(OneScanAveraged, MakesTheAcquisitionCallsInOrderWithTheirArguments) {
  ScriptedAcqLib acq;
  RecordingTrace trace;
  ScriptedClock clock;
  const std::array<std::int32_t, 3> channels{40, 41, 42};
  const std::array<std::int32_t, 3> gains{4, 5, 6};
  const std::array<std::int32_t, 3> flags{2, 2, 2};
  float result = 0.0f;
  EXPECT_EQ(getOneScanAveraged(acq, trace, channels, gains, flags, 3, true, result, clock), 0);

  EXPECT_EQ(acq.calls, kAcquisitionCalls);
  EXPECT_EQ(acq.prepareArgs, (std::array<std::int32_t, 2>{3, 0}));
  EXPECT_EQ(acq.scanChannels, (std::vector<std::int32_t>{40, 41, 42}));
  EXPECT_EQ(acq.scanGains, (std::vector<std::int32_t>{4, 5, 6}));
  EXPECT_EQ(acq.scanEntries, 3);
  EXPECT_EQ(acq.acqArgs, (std::array<std::int32_t, 3>{0, 0, 100}));
  EXPECT_EQ(acq.bufferScans, 100);
  EXPECT_EQ(acq.bufferWords, 3u * 100u + 1u);
  EXPECT_EQ(trace.lines, TraceLines("getOneScanAveraged()"));
}

// --- Gain codes by device type ----------------------------------------------

class GainCodesByDeviceType : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(GainCodesByDeviceType, ReadBackPointsUseTheDevicesCodes) {
  const std::int32_t type = GetParam();
  const bool shifted = type == 9 || type == 10 || type == 17 || type == 18 || type == 22 ||
                       type == 23 || type == 36 || type == 37;
  EXPECT_EQ(UsesShiftedGainCodes(type), shifted);
  ScriptedAcqLib acq;
  TraceSink trace;
  ScriptedClock clock;
  AcqDevice device{type, "unit", 0, ""};
  std::vector<std::uint16_t> buffer(4);
  ASSERT_EQ(getGageReadings(acq, &device, trace, buffer, 1, 16, clock), 0);
  const std::vector<std::int32_t> expected =
      shifted ? std::vector<std::int32_t>{4, 5, 6, 7} : std::vector<std::int32_t>{0, 1, 2, 3};
  EXPECT_EQ(acq.scanGains, expected);
}

INSTANTIATE_TEST_SUITE_P(Types, GainCodesByDeviceType, ::testing::Range(0, 41));

TEST(PlainGainCodes, WithNoDeviceOpen) {
  ScriptedAcqLib acq;
  TraceSink trace;
  ScriptedClock clock;
  std::vector<std::uint16_t> buffer(4);
  ASSERT_EQ(getGageReadings(acq, nullptr, trace, buffer, 1, 16, clock), 0);
  EXPECT_EQ(acq.scanGains, (std::vector<std::int32_t>{0, 1, 2, 3}));
}

// On the simulated unit each unit's codes select the four read-back points
// in order: card output, input shorted, scaling and input stage on 5 mV.
class ReadBackOnSimulatedUnit : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadBackOnSimulatedUnit, EntriesFollowTheReadBackPoints) {
  SimulatedAcqLib sim;
  sim.Bench().SetPacing(Pacing::Instant);
  sim.Bench().SetNoise(0.0);
  sim.Bench().SetLoad(33, 400.0);
  ASSERT_EQ(sim.acqOpenDevice(GetParam()), 0);
  const auto device = sim.OpenDevice();
  TraceSink trace;
  ScriptedClock clock;
  std::vector<std::uint16_t> buffer(4 * 10 + 1);
  ASSERT_EQ(getGageReadings(sim, device.get(), trace, buffer, 10, 33, clock), 0);
  for (int point = 0; point < 4; ++point) {
    const std::uint16_t word = VoltsToWord(sim.Bench().PointVolts(33, point));
    for (int scan = 0; scan < 10; ++scan) {
      EXPECT_EQ(buffer[static_cast<std::size_t>(scan * 4 + point)], word)
          << "point " << point << " scan " << scan;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Units, ReadBackOnSimulatedUnit,
                         ::testing::Values("SIM-PORTABLE", "SIM-BOARD-23", "SIM-BOARD-36",
                                           "SIM-BOARD-17"));

// --- A failing call ends the acquisition ------------------------------------

using FailCase = std::tuple<Routine, const char*>;

class FailingCall : public ::testing::TestWithParam<FailCase> {};

std::string FailCaseName(const ::testing::TestParamInfo<FailCase>& info) {
  std::ostringstream os;
  os << std::get<0>(info.param) << "_" << std::get<1>(info.param);
  return os.str();
}

const char* const kFailingOperations[] = {
    "acqAdcSetScan",       "acqAdcSetAcq",      "acqSetTriggerEvent",
    "acqAdcSetFreq",       "acqAdcTransferSetBuffer", "acqAdcTransferStart",
    "acqAdcArm",           "acqAdcTransferGetStat",   "acqAdcTransferEnd",
    "acqAdcRelease"};

TEST_P(FailingCall, StopsAtOnceAndReturnsTheLibrarysLastErrorCode) {
  const auto [routine, operation] = GetParam();
  ScriptedAcqLib acq;
  acq.failures[operation] = 55;
  acq.lastErrorCode = 77;
  RecordingTrace trace;
  ScriptedClock clock;
  Runner runner{acq, trace, clock};
  EXPECT_EQ(runner.Run(routine), 77);

  // Every call up to the failing one, then only the error code is read.
  Strings expected;
  for (const auto& call : kAcquisitionCalls) {
    expected.push_back(call);
    if (call == operation) break;
  }
  expected.push_back("acqLastErrorCode");
  EXPECT_EQ(acq.calls, expected);

  // Trace lines stop before the failing call's own line.
  const std::string name = routine == Routine::GageReadings ? "getGageReadings()"
                                                            : "getOneScanAveraged()";
  Strings lines;
  for (const auto& line : TraceLines(name)) {
    if (line == name + " " + operation) break;
    if (std::string(operation) == "acqAdcTransferGetStat" && line.find("-- End") != std::string::npos) break;
    lines.push_back(line);
  }
  if (routine == Routine::OneScanAveraged) {
    lines.push_back("getOneScanAveraged() AcqLibError: 77");
    EXPECT_EQ(runner.averaged, -1234.0f) << "the result must be left alone";
  }
  EXPECT_EQ(trace.lines, lines);
}

TEST_P(FailingCall, OnTheSimulatedUnitTheNextAcquisitionSucceeds) {
  const auto [routine, operation] = GetParam();
  SimulatedAcqLib sim;
  sim.Bench().SetPacing(Pacing::Instant);
  sim.Bench().SetNoise(0.0);
  ASSERT_EQ(sim.acqOpenDevice("SIM-PORTABLE"), 0);
  AcqCallRecorder recorder(sim);
  TraceSink trace;
  ScriptedClock clock;
  Runner runner{recorder, trace, clock};
  ASSERT_TRUE(sim.Bench().FailOperation(operation, 42, FaultRepeat::Once));

  EXPECT_EQ(runner.Run(routine), 42);
  ASSERT_GE(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[recorder.calls.size() - 2], operation);
  EXPECT_EQ(recorder.calls.back(), "acqLastErrorCode");

  recorder.calls.clear();
  EXPECT_EQ(runner.Run(routine), 0);
  EXPECT_EQ(recorder.CallsOncePolled(), kAcquisitionCalls);
  if (routine == Routine::OneScanAveraged) {
    // The last entry, the input stage on the 5 mV reference, as a signed count.
    const double volts = sim.Bench().PointVolts(16, 3);
    EXPECT_EQ(runner.averaged, static_cast<float>(VoltsToWord(volts)) - 32768.0f);
  } else {
    EXPECT_EQ(runner.buffer[0], VoltsToWord(sim.Bench().PointVolts(16, 0)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FailingCall,
    ::testing::Combine(::testing::Values(Routine::GageReadings, Routine::OneScanAveraged),
                       ::testing::ValuesIn(kFailingOperations)),
    FailCaseName);

class PrepareFailure : public ::testing::TestWithParam<Routine> {};

TEST_P(PrepareFailure, IsReportedByItsOwnCodeWithoutFurtherCalls) {
  ScriptedAcqLib acq;
  acq.failures["acqAdcPrepare"] = 3;
  acq.lastErrorCode = 3;
  RecordingTrace trace;
  ScriptedClock clock;
  Runner runner{acq, trace, clock};
  EXPECT_EQ(runner.Run(GetParam()), kAcqPrepareFailed);
  EXPECT_EQ(acq.calls, Strings{"acqAdcPrepare"});
  EXPECT_TRUE(trace.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Routines, PrepareFailure,
                         ::testing::Values(Routine::GageReadings, Routine::OneScanAveraged));

TEST(LastErrorCode, WhenMissingTheFailingStatusIsReturned) {
  for (const AcqStatus lastCodeStatus : {AcqStatus{0}, AcqStatus{12}}) {
    ScriptedAcqLib acq;
    acq.failures["acqAdcArm"] = 66;
    acq.lastErrorCode = 0;  // 0 would read as success
    acq.lastErrorCodeStatus = lastCodeStatus;
    TraceSink trace;
    ScriptedClock clock;
    Runner runner{acq, trace, clock};
    EXPECT_EQ(runner.Run(Routine::GageReadings), 66) << "last-error status " << lastCodeStatus;
  }
}

// --- Polling --------------------------------------------------------------

struct PollCase {
  const char* name;
  std::vector<std::pair<std::int16_t, std::int32_t>> polls;
  double clockStep;  // seconds per clock read
  AcquisitionResult result;
  int statusPolls;
  friend std::ostream& operator<<(std::ostream& os, const PollCase& c) { return os << c.name; }
};

class PollRule : public ::testing::TestWithParam<PollCase> {};

TEST_P(PollRule, EndsAsTheTransferReports) {
  const PollCase& c = GetParam();
  ScriptedAcqLib acq;
  acq.polls = c.polls;
  RecordingTrace trace;
  ScriptedClock clock;
  clock.SetStepPerRead(c.clockStep);
  Runner runner{acq, trace, clock};
  EXPECT_EQ(runner.Run(Routine::GageReadings), c.result);
  EXPECT_EQ(acq.Count("acqAdcTransferGetStat"), c.statusPolls);
  // Whatever the outcome, the transfer is ended and released afterwards.
  ASSERT_GE(acq.calls.size(), 2u);
  EXPECT_EQ(acq.calls[acq.calls.size() - 2], "acqAdcTransferEnd");
  EXPECT_EQ(acq.calls.back(), "acqAdcRelease");
  const bool endTraced = trace.lines.back() == "getGageReadings() Polling acqAdcTransferGetStat -- End";
  EXPECT_EQ(endTraced, c.result == 0);
}

std::vector<std::pair<std::int16_t, std::int32_t>> Repeated(std::int16_t active,
                                                           std::int32_t transferred, int n) {
  return std::vector<std::pair<std::int16_t, std::int32_t>>(static_cast<std::size_t>(n),
                                                            {active, transferred});
}

std::vector<std::pair<std::int16_t, std::int32_t>> Advancing(int n) {
  std::vector<std::pair<std::int16_t, std::int32_t>> polls;
  for (int i = 0; i < n; ++i) polls.push_back({1, i});
  return polls;
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, PollRule,
    ::testing::Values(
        PollCase{"complete_at_first_poll", {{1, 20}}, 0.0, 0, 1},
        PollCase{"active_until_complete", {{1, 0}, {1, 4}, {1, 12}, {0, 20}}, 0.0, 0, 4},
        PollCase{"more_than_asked_for", {{1, 3}, {1, 25}}, 0.0, 0, 2},
        PollCase{"inactive_with_none", {{1, 0}, {0, 0}}, 0.0, 0, 2},
        PollCase{"inactive_short", {{1, 5}, {0, 5}}, 0.0, kAcqTransferEndedShort, 2},
        PollCase{"stalled", Repeated(1, 5, 1000), 0.5, kAcqTransferStalled, 6},
        PollCase{"stalled_before_the_first_scan", Repeated(1, 0, 1000), 0.25,
                 kAcqTransferStalled, 10},
        // A slow transfer that keeps advancing is never stalled.
        PollCase{"slow_but_advancing", Advancing(20), 1.0, 0, 21}));

// A clock that runs past midnight.
class MidnightClock : public Clock {
 public:
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    const double now = std::fmod(t_, 86400.0);
    t_ += 0.5;
    return now;
  }
  mutable double t_ = 86399.0;
};

TEST(StallCheck, WorksAcrossMidnight) {
  ScriptedAcqLib acq;
  acq.polls = Repeated(1, 5, 1000);
  TraceSink trace;
  MidnightClock clock;
  std::vector<std::uint16_t> buffer(81);
  EXPECT_EQ(getGageReadings(acq, nullptr, trace, buffer, 20, 16, clock), kAcqTransferStalled);
  EXPECT_EQ(acq.Count("acqAdcTransferGetStat"), 6);
}

class TransferFaultOnSimulatedUnit : public ::testing::TestWithParam<Routine> {};

TEST_P(TransferFaultOnSimulatedUnit, ShortAndStalledTransfersFailAndTheUnitRecovers) {
  SimulatedAcqLib sim;
  sim.Bench().SetPacing(Pacing::Instant);
  ASSERT_EQ(sim.acqOpenDevice("SIM-PORTABLE"), 0);
  RecordingTrace trace;
  ScriptedClock clock;
  clock.SetStepPerRead(0.1);
  Runner runner{sim, trace, clock};

  ASSERT_TRUE(sim.Bench().SetTransferFault(TransferFault::EndShort, 7));
  EXPECT_EQ(runner.Run(GetParam()), kAcqTransferEndedShort);
  EXPECT_EQ(runner.Run(GetParam()), 0);

  ASSERT_TRUE(sim.Bench().SetTransferFault(TransferFault::Stall, 7));
  EXPECT_EQ(runner.Run(GetParam()), kAcqTransferStalled);
  EXPECT_LT(clock.Reads(), 40);
  EXPECT_EQ(runner.Run(GetParam()), 0);

  // No scans at all: polling ends and the acquisition counts as done.
  ASSERT_TRUE(sim.Bench().SetTransferFault(TransferFault::EndShort, 0));
  EXPECT_EQ(runner.Run(GetParam()), 0);
}

INSTANTIATE_TEST_SUITE_P(Routines, TransferFaultOnSimulatedUnit,
                         ::testing::Values(Routine::GageReadings, Routine::OneScanAveraged));

TEST(AcquisitionErrorText, OwnCodesHaveTextsAndOthersAskTheLibrary) {
  ScriptedAcqLib acq;
  acq.errorTexts[201] = "No device is open.";
  for (const AcquisitionResult code :
       {kAcqPrepareFailed, kAcqTransferEndedShort, kAcqTransferStalled}) {
    ASSERT_TRUE(OwnAcquisitionErrorText(code).has_value());
    EXPECT_FALSE(AcquisitionErrorText(acq, code).empty());
  }
  EXPECT_FALSE(OwnAcquisitionErrorText(201).has_value());
  EXPECT_EQ(AcquisitionErrorText(acq, 201), "No device is open.");
  EXPECT_EQ(AcquisitionErrorText(acq, 404), "");
}

// --- Averaging ------------------------------------------------------------

struct AverageCase {
  const char* name;
  std::vector<std::uint16_t> words;  // repeated to fill the 100 scans
  float mean;
  friend std::ostream& operator<<(std::ostream& os, const AverageCase& c) { return os << c.name; }
};

class OneScanAveragedMean : public ::testing::TestWithParam<std::tuple<AverageCase, bool>> {};

std::string AverageCaseName(const ::testing::TestParamInfo<std::tuple<AverageCase, bool>>& p) {
  return std::string(std::get<0>(p.param).name) + (std::get<1>(p.param) ? "_first" : "_last");
}

TEST_P(OneScanAveragedMean, IsTheRoundedSignedMeanOfThePickedEntry) {
  const auto& [c, pickFirst] = GetParam();
  ScriptedAcqLib acq;
  const std::size_t picked = pickFirst ? 0 : 3;
  for (std::size_t scan = 0; scan < 100; ++scan) {
    for (std::size_t entry = 0; entry < 4; ++entry) {
      // The entries not picked carry words far from the case's.
      acq.samples.push_back(entry == picked ? c.words[scan % c.words.size()]
                                            : static_cast<std::uint16_t>(1000 + entry));
    }
  }
  TraceSink trace;
  ScriptedClock clock;
  const std::array<std::int32_t, 4> list{16, 16, 16, 16};
  float result = 0.5f;
  ASSERT_EQ(getOneScanAveraged(acq, trace, list, list, list, 4, pickFirst, result, clock), 0);
  EXPECT_EQ(result, c.mean);
}

INSTANTIATE_TEST_SUITE_P(
    Words, OneScanAveragedMean,
    ::testing::Combine(
        ::testing::Values(
            AverageCase{"lowest_word", {0}, -32768.0f},
            AverageCase{"highest_word", {65535}, 32767.0f},
            AverageCase{"mid_scale", {32768}, 0.0f},
            AverageCase{"half_rounds_down_to_even_zero", {32768, 32769}, 0.0f},
            AverageCase{"one_and_a_half_rounds_up_to_two", {32769, 32770}, 2.0f},
            AverageCase{"two_and_a_half_rounds_down_to_two", {32770, 32771}, 2.0f},
            AverageCase{"minus_two_and_a_half_to_minus_two", {32765, 32766}, -2.0f},
            AverageCase{"minus_one_and_a_half_to_minus_two", {32766, 32767}, -2.0f},
            AverageCase{"just_above_half_rounds_up", {32768, 32768, 32768, 32771}, 1.0f},
            AverageCase{"extremes_cancel", {0, 65535}, 0.0f}),
        ::testing::Bool()),
    AverageCaseName);

TEST(AverageScans, AveragesEachEntryOverTheScans) {
  const std::vector<std::uint16_t> buffer{1, 10, 100, 2, 20, 200, 6, 60, 600, 9999};
  std::array<float, 3> averages{-1.0f, -1.0f, -1.0f};
  AverageScans(buffer, 3, 3, averages);
  EXPECT_FLOAT_EQ(averages[0], 3.0f);
  EXPECT_FLOAT_EQ(averages[1], 30.0f);
  EXPECT_FLOAT_EQ(averages[2], 300.0f);

  std::array<float, 4> halves{};
  const std::vector<std::uint16_t> block{0, 65535, 1, 7, 65535, 0, 2, 7};
  AverageScans(block, 2, 4, halves);
  EXPECT_EQ(halves, (std::array<float, 4>{32767.5f, 32767.5f, 1.5f, 7.0f}));
}

}  // namespace
}  // namespace vernium
