// The simulated unit as a library: its units, the gain codes each reads, the
// order of an acquisition's calls, the pacing, the faults the bench orders
// and the noise on its samples.

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "acquisition/acq_test_support.h"
#include "simulator/simulated_errors.h"

namespace vernium {
namespace {

using namespace testing;

TEST(Units, OpeningTracksTheUnitAndOnlineStatusFollowsTheBench) {
  SimulatedAcqLib lib;
  std::string empty;
  EXPECT_EQ(lib.acqCloseDevice(), kSimNoDeviceOpen);
  EXPECT_EQ(lib.acqOnlineStatus(empty), kSimNoDeviceOpen);
  EXPECT_EQ(lib.acqOpenDevice("NO-SUCH-UNIT"), kSimUnknownDevice);
  ASSERT_EQ(lib.acqOpenDevice("SIM-BOARD-36"), kAcqOk);
  ASSERT_EQ(lib.acqOpenDevice(kBoard17), kAcqOk);  // replaces the first
  EXPECT_EQ(lib.OpenDevice()->DeviceType, 17);
  EXPECT_EQ(lib.acqOnlineStatus(empty), 0);
  lib.Bench().SetOnline(false);
  EXPECT_EQ(lib.acqOnlineStatus(empty), kAcqNotOnline);
  EXPECT_EQ(Acquire(lib, {20}, {4}, 4).status, kAcqNotOnline);
  lib.Bench().SetOnline(true);
  EXPECT_EQ(Acquire(lib, {20}, {4}, 4).status, kAcqOk);
  EXPECT_EQ(lib.acqCloseDevice(), kAcqOk);
  EXPECT_EQ(lib.OpenDevice(), nullptr);
}

const std::vector<std::int32_t> kOne{20}, kCode0{0}, kFlag{2};

// Prepares and sets the scan list, the scan count and the buffer.
void Configure(SimulatedAcqLib& lib, std::vector<std::uint16_t>& buffer, std::int32_t scans,
               std::int32_t bufferScans) {
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(kOne, kCode0, kFlag, 1);
  lib.acqAdcSetAcq(0, 0, scans);
  lib.acqAdcTransferSetBuffer(buffer, bufferScans, 0);
}

TEST(Sequence, CallsOutOfOrderOrOutOfRangeFailWithTheirCode) {
  ExactLib lib;
  std::vector<std::uint16_t> buffer(200);
  std::int16_t active = 0;
  std::int32_t transferred = 0, last = 0;
  EXPECT_EQ(lib.acqAdcSetScan(kOne, kCode0, kFlag, 1), kSimOutOfSequence);  // before Prepare
  EXPECT_EQ(lib.acqAdcRelease(), kSimOutOfSequence);
  lib.acqAdcPrepare(3, 0);
  EXPECT_EQ(lib.acqAdcSetScan(std::vector<std::int32_t>{272}, kCode0, kFlag, 1),
            kSimChannelOutOfRange);
  EXPECT_EQ(lib.acqAdcSetScan(kOne, kCode0, kFlag, 2), kSimInvalidArgument);
  for (const std::int32_t code : {-1, 4}) {
    EXPECT_EQ(lib.acqAdcSetScan(kOne, std::vector<std::int32_t>{code}, kFlag, 1),
              kSimGainCodeOutOfRange);
  }
  EXPECT_EQ(lib.acqAdcSetFreq(0.0F), kSimInvalidArgument);
  EXPECT_EQ(lib.acqAdcTransferStart(), kSimOutOfSequence);  // nothing set up
  lib.acqLastErrorCode(last);
  EXPECT_EQ(last, kSimOutOfSequence);
  Configure(lib, buffer, 10, 5);
  EXPECT_EQ(lib.acqAdcArm(), kSimOutOfSequence);  // not started
  EXPECT_EQ(lib.acqAdcTransferStart(), kSimBufferTooSmall);
  Configure(lib, buffer, 10, 10);
  ASSERT_EQ(lib.acqAdcTransferStart(), kAcqOk);
  EXPECT_EQ(lib.acqAdcTransferGetStat(active, transferred), kSimOutOfSequence);  // not armed
  // Prepare abandons the half-done acquisition.
  EXPECT_EQ(Acquire(lib, {20}, {0}, 3).transferred, 3);
  lib.acqOpenDevice(kBoard17);  // reads 4..7
  lib.acqAdcPrepare(3, 0);
  EXPECT_EQ(lib.acqAdcSetScan(kOne, std::vector<std::int32_t>{3}, kFlag, 1),
            kSimGainCodeOutOfRange);
  lib.acqCloseDevice();
  lib.acqAdcPrepare(3, 0);
  EXPECT_EQ(lib.acqAdcSetScan(kOne, kCode0, kFlag, 1), kSimNoDeviceOpen);
}

TEST(Buffer, WordsSpanMinusFiveToPlusFiveVolts) {
  EXPECT_EQ(VoltsToWord(-7.0), 0);
  EXPECT_EQ(VoltsToWord(9.0), 65535);
  for (const int w : {0, 1, 32767, 32768, 65534, 65535}) {
    EXPECT_EQ(VoltsToWord(w * 10.0 / 65535.0 - 5.0), w);
    EXPECT_NEAR(WordToVolts(static_cast<std::uint16_t>(w)), w * 10.0 / 65535.0 - 5.0, 1e-12);
  }
}

TEST(Pacing, RealTimeDeliversAHundredScansInAboutAHundredMilliseconds) {
  SimulatedAcqLib lib;
  lib.acqOpenDevice(kPortable);
  const auto start = std::chrono::steady_clock::now();
  const Acquired a = Acquire(lib, {20}, {0}, 100);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(a.transferred, 100);
  EXPECT_GE(elapsed, std::chrono::milliseconds(95));
  EXPECT_LE(elapsed, std::chrono::milliseconds(250));
}

TEST(Faults, AnOrderedFailureHitsTheNamedCallOnceAndChangesNothing) {
  for (const char* operation :
       {"acqAdcPrepare", "acqAdcSetScan", "acqAdcSetAcq", "acqSetTriggerEvent", "acqAdcSetFreq",
        "acqAdcTransferSetBuffer", "acqAdcTransferStart", "acqAdcArm", "acqAdcTransferGetStat",
        "acqAdcTransferEnd", "acqAdcRelease"}) {
    ExactLib lib;
    ASSERT_TRUE(lib.Bench().FailOperation(operation, 301));
    EXPECT_EQ(Acquire(lib, {20}, {0}, 10).status, 301) << operation;
    std::int32_t last = 0;
    lib.acqLastErrorCode(last);
    EXPECT_EQ(last, 301);
    EXPECT_EQ(Acquire(lib, {20}, {0}, 10).transferred, 10) << operation;
  }
  ExactLib lib;
  Strings names;
  std::int32_t n = 0;
  std::string empty;
  const std::pair<const char*, std::function<AcqStatus()>> deviceCalls[] = {
      {"acqDeviceNames", [&] { return lib.acqDeviceNames(names, n); }},
      {"acqOpenDevice", [&] { return lib.acqOpenDevice(kPortable); }},
      {"acqOnlineStatus", [&] { return lib.acqOnlineStatus(empty); }}};
  for (const auto& [operation, call] : deviceCalls) {
    ASSERT_TRUE(lib.Bench().FailOperation(operation, 777));
    EXPECT_EQ(call(), 777) << operation;
    EXPECT_EQ(call(), kAcqOk) << operation;
  }
  EXPECT_FALSE(lib.Bench().FailOperation("acqAdcArmed", 2));
  // A failed arm leaves the transfer started but not armed.
  std::vector<std::uint16_t> buffer(5);
  Configure(lib, buffer, 4, 4);
  lib.acqAdcTransferStart();
  lib.Bench().FailOperation("acqAdcArm", 3);
  EXPECT_EQ(lib.acqAdcArm(), 3);
  std::int16_t active = 0;
  EXPECT_EQ(lib.acqAdcTransferGetStat(active, n), kSimOutOfSequence);
  EXPECT_EQ(lib.acqAdcArm(), kAcqOk);
}

TEST(Faults, UntilClearedKeepFailing) {
  ExactLib lib;
  lib.Bench().FailOperation("acqAdcTransferGetStat", 5, FaultRepeat::UntilCleared);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, 5) << "run " << i;
  lib.Bench().ClearOperationFault("acqAdcTransferGetStat");
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, kAcqOk);
  lib.Bench().FailOperation("acqAdcSetAcq", 2, FaultRepeat::UntilCleared);
  lib.Bench().SetTransferFault(TransferFault::Stall, 1, FaultRepeat::UntilCleared);
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, 2);
  lib.Bench().ClearFaults();
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).transferred, 4);
}

TEST(Faults, ABrokenTransferStopsWhereOrdered) {
  // Kind, after how many scans, and what every poll of 20 scans reports.
  const std::tuple<TransferFault, std::int32_t, std::int16_t, std::int32_t> cases[] = {
      {TransferFault::Stall, 7, 1, 7},
      {TransferFault::EndShort, 7, 0, 7},
      {TransferFault::EndShort, 0, 0, 0},
      {TransferFault::EndShort, 25, 0, 20}};
  for (const auto& [kind, after, wantActive, wantTransferred] : cases) {
    ExactLib lib;
    ASSERT_TRUE(lib.Bench().SetTransferFault(kind, after));
    std::vector<std::uint16_t> buffer(21, 0xABCD);
    Configure(lib, buffer, 20, 20);
    lib.acqAdcTransferStart();
    lib.acqAdcArm();
    EXPECT_EQ(buffer, std::vector<std::uint16_t>(21, 0xABCD)) << "written only while polling";
    for (int poll = 0; poll < 3; ++poll) {
      std::int16_t active = -1;
      std::int32_t transferred = -1;
      ASSERT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
      EXPECT_EQ(active, wantActive) << after;
      EXPECT_EQ(transferred, wantTransferred) << after;
    }
    for (std::size_t s = 0; s < 21; ++s) {
      EXPECT_EQ(buffer[s] != 0xABCD, s < static_cast<std::size_t>(wantTransferred)) << s;
    }
    EXPECT_EQ(lib.acqAdcTransferEnd(), kAcqOk);
    EXPECT_EQ(lib.acqAdcRelease(), kAcqOk);
    EXPECT_EQ(Acquire(lib, {20}, {0}, 20).transferred, 20) << "ordered once";
  }
  EXPECT_FALSE(SimulatedBench().SetTransferFault(TransferFault::Stall, -1));
}

TEST(ErrorTexts, EveryCodeTheUnitUsesHasItsOwnText) {
  std::set<std::string> seen;
  for (const AcqStatus code : {2, 3, 5, 115, 201, 202, 203, 204, 205, 206, 207}) {
    EXPECT_TRUE(seen.insert(SimErrorText(code)).second) << code << ": " << SimErrorText(code);
  }
  EXPECT_EQ(SimErrorText(115), "Device is not online.");
  SimulatedAcqLib lib;
  std::string text;
  ASSERT_EQ(lib.acqErrorText(9999, text), kAcqOk);
  EXPECT_EQ(text, "Unknown error code 9999.");
}

TEST(Noise, HasTheRequestedSpreadAndIsRepeatableForASeed) {
  EXPECT_EQ(SimulatedBench().Noise(), 2.0);
  EXPECT_FALSE(SimulatedBench().SetNoise(-1.0));
  const auto run = [](double sigma, std::uint64_t seed) {
    ExactLib lib;
    lib.Bench().SetNoise(sigma);
    lib.Bench().SetSeed(seed);
    return Acquire(lib, {20}, {1}, 4000).words;
  };
  const auto words = run(5.0, 7);
  double sum = 0.0, squares = 0.0;
  for (std::size_t s = 0; s < 4000; ++s) sum += words[s];
  const double mean = sum / 4000;
  for (std::size_t s = 0; s < 4000; ++s) squares += std::pow(words[s] - mean, 2);
  const double exact = (SimulatedBench().PointVolts(20, 1) + 5.0) * 6553.5;
  // Four standard errors of the mean, plus the rounding to whole counts.
  EXPECT_NEAR(mean, exact, 0.1 + 4.0 * 5.0 / std::sqrt(4000.0));
  EXPECT_NEAR(std::sqrt(squares / 3999), 5.0, 0.5);
  EXPECT_EQ(run(2.0, 11), run(2.0, 11));
  EXPECT_NE(run(2.0, 11), run(2.0, 12));
}

}  // namespace
}  // namespace vernium
