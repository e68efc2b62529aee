// Faults ordered from the simulated unit, its error texts, the noise on its
// samples and its use from two threads.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/simulated_errors.h"
#include "acquisition/simulated_test_support.h"

namespace vernium {
namespace {

using namespace simtest;

// --- A failing acquisition call --------------------------------------------------

struct StepFault {
  const char* operation;
  AcqStatus code;
};

std::ostream& operator<<(std::ostream& os, const StepFault& c) {
  return os << c.operation << "_" << c.code;
}

class AcquisitionFault : public ::testing::TestWithParam<StepFault> {};

TEST_P(AcquisitionFault, FailsThatCallOnceThenTheNextAcquisitionSucceeds) {
  const StepFault& f = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  ASSERT_TRUE(lib.Bench().FailOperation(f.operation, f.code));
  const Acquired failed = Acquire(lib, {20}, {0}, 10);
  EXPECT_EQ(failed.status, f.code);
  std::int32_t last = 0;
  ASSERT_EQ(lib.acqLastErrorCode(last), kAcqOk);
  EXPECT_EQ(last, f.code);

  const Acquired next = Acquire(lib, {20}, {0}, 10);
  EXPECT_EQ(next.status, kAcqOk);
  EXPECT_EQ(next.transferred, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AcquisitionFault,
    ::testing::Values(StepFault{"acqAdcPrepare", 301}, StepFault{"acqAdcSetScan", 2},
                      StepFault{"acqAdcSetAcq", 3}, StepFault{"acqSetTriggerEvent", 5},
                      StepFault{"acqAdcSetFreq", 302}, StepFault{"acqAdcTransferSetBuffer", 2},
                      StepFault{"acqAdcTransferStart", 3}, StepFault{"acqAdcArm", 5},
                      StepFault{"acqAdcTransferGetStat", 2}, StepFault{"acqAdcTransferEnd", 303},
                      StepFault{"acqAdcRelease", 304}),
    [](const auto& tp) { return std::string(tp.param.operation); });

TEST(AcquisitionFault, AFailedCallHasNoEffect) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const std::vector<std::int32_t> ch{20}, codes{0}, flags{2};
  std::vector<std::uint16_t> buffer(11);
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(ch, codes, flags, 1);
  lib.acqAdcSetAcq(0, 0, 10);
  lib.acqAdcTransferSetBuffer(buffer, 10, 0);
  lib.acqAdcTransferStart();
  lib.Bench().FailOperation("acqAdcArm", 3);
  EXPECT_EQ(lib.acqAdcArm(), 3);
  std::int16_t active = 0;
  std::int32_t transferred = 0;
  EXPECT_EQ(lib.acqAdcTransferGetStat(active, transferred), kSimOutOfSequence);
  EXPECT_EQ(lib.acqAdcArm(), kAcqOk);
  EXPECT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
  EXPECT_EQ(transferred, 10);
}

TEST(AcquisitionFault, UntilClearedKeepsFailing) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  lib.Bench().FailOperation("acqAdcTransferGetStat", 5, FaultRepeat::UntilCleared);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, 5) << "run " << i;
  lib.Bench().ClearOperationFault("acqAdcTransferGetStat");
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, kAcqOk);

  lib.Bench().FailOperation("acqAdcSetAcq", 2, FaultRepeat::UntilCleared);
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, 2);
  lib.Bench().ClearFaults();
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, kAcqOk);
}

TEST(AcquisitionFault, OnlyLibraryOperationsCanBeMadeToFail) {
  SimulatedBench bench;
  EXPECT_FALSE(bench.FailOperation("acqAdcArmed", 2));
  EXPECT_FALSE(bench.FailOperation("", 2));
  EXPECT_TRUE(bench.FailOperation("acqOnlineStatus", 2));
}

// --- A failing device call ---------------------------------------------------------

struct DeviceFault {
  std::string operation;
  std::function<AcqStatus(SimulatedAcqLib&)> call;
};

std::ostream& operator<<(std::ostream& os, const DeviceFault& c) { return os << c.operation; }

class DeviceCallFault : public ::testing::TestWithParam<DeviceFault> {};

TEST_P(DeviceCallFault, ReturnsTheOrderedCodeOnce) {
  SimulatedAcqLib lib;
  lib.acqOpenDevice(kPortable);
  ASSERT_TRUE(lib.Bench().FailOperation(GetParam().operation, 777));
  EXPECT_EQ(GetParam().call(lib), 777);
  EXPECT_EQ(GetParam().call(lib), kAcqOk);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DeviceCallFault,
    ::testing::Values(
        DeviceFault{"acqDeviceNames",
                    [](auto& l) {
                      std::vector<std::string> names;
                      std::int32_t n = 0;
                      return l.acqDeviceNames(names, n);
                    }},
        DeviceFault{"acqOpenDevice", [](auto& l) { return l.acqOpenDevice(kBoard17); }},
        DeviceFault{"acqOnlineStatus",
                    [](auto& l) {
                      std::string empty;
                      return l.acqOnlineStatus(empty);
                    }}),
    [](const auto& tp) { return tp.param.operation; });

// --- Offline ---------------------------------------------------------------------------

TEST(Offline, AcquisitionsFailWithNotOnlineUntilTheUnitIsBack) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  lib.Bench().SetOnline(false);
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, kAcqNotOnline);
  std::string text;
  lib.acqErrorText(kAcqNotOnline, text);
  EXPECT_EQ(text, "Device is not online.");
  lib.Bench().SetOnline(true);
  EXPECT_EQ(Acquire(lib, {20}, {0}, 4).status, kAcqOk);
}

// --- Transfers that stall or end short ----------------------------------------------------

struct TransferCase {
  TransferFault kind;
  std::int32_t after;
  std::int16_t active;  // what every poll reports
  std::int32_t transferred;
};

std::ostream& operator<<(std::ostream& os, const TransferCase& c) {
  return os << (c.kind == TransferFault::Stall ? "stall" : "short") << "_after_" << c.after;
}

class BrokenTransfer : public ::testing::TestWithParam<TransferCase> {};

TEST_P(BrokenTransfer, StopsWhereOrdered) {
  const TransferCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  ASSERT_TRUE(lib.Bench().SetTransferFault(c.kind, c.after));
  const std::vector<std::int32_t> ch{20}, codes{0}, flags{2};
  std::vector<std::uint16_t> buffer(21, 0xABCD);
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(ch, codes, flags, 1);
  lib.acqAdcSetAcq(0, 0, 20);
  lib.acqAdcTransferSetBuffer(buffer, 20, 0);
  lib.acqAdcTransferStart();
  lib.acqAdcArm();
  for (int poll = 0; poll < 5; ++poll) {
    std::int16_t active = -1;
    std::int32_t transferred = -1;
    ASSERT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
    EXPECT_EQ(active, c.active);
    EXPECT_EQ(transferred, c.transferred);
  }
  const auto filled = static_cast<std::size_t>(c.transferred);
  for (std::size_t s = 0; s < 21; ++s) EXPECT_EQ(buffer[s] != 0xABCD, s < filled) << s;
  lib.acqAdcTransferEnd();
  lib.acqAdcRelease();
  // Ordered once: the next transfer completes.
  EXPECT_EQ(Acquire(lib, {20}, {0}, 20).transferred, 20);
}

INSTANTIATE_TEST_SUITE_P(Faults, BrokenTransfer,
                         ::testing::Values(TransferCase{TransferFault::Stall, 7, 1, 7},
                                           TransferCase{TransferFault::Stall, 0, 1, 0},
                                           TransferCase{TransferFault::EndShort, 7, 0, 7},
                                           TransferCase{TransferFault::EndShort, 0, 0, 0},
                                           TransferCase{TransferFault::Stall, 20, 0, 20},
                                           TransferCase{TransferFault::EndShort, 25, 0, 20}));

// --- Error texts ------------------------------------------------------------------------

TEST(ErrorTexts, EveryCodeTheUnitUsesHasItsOwnText) {
  SimulatedAcqLib lib;
  const std::vector<AcqStatus> codes = {
      kSimTransferTimeout, kSimDeviceBusy,         kSimDataOverrun,       kSimNotOnline,
      kSimNoDeviceOpen,    kSimUnknownDevice,      kSimInvalidArgument,   kSimGainCodeOutOfRange,
      kSimChannelOutOfRange, kSimOutOfSequence,    kSimBufferTooSmall};
  std::string generic;
  ASSERT_EQ(lib.acqErrorText(9999, generic), kAcqOk);
  EXPECT_NE(generic.find("9999"), std::string::npos);
  std::vector<std::string> seen;
  for (AcqStatus code : codes) {
    std::string text;
    ASSERT_EQ(lib.acqErrorText(code, text), kAcqOk);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_EQ(text.find(std::to_string(code)), std::string::npos) << code << ": " << text;
    for (const std::string& other : seen) EXPECT_NE(text, other) << code;
    seen.push_back(text);
  }
}

// --- Noise --------------------------------------------------------------------------------

class Noise : public ::testing::TestWithParam<double> {};

TEST_P(Noise, HasTheRequestedSpreadAroundTheTrueValue) {
  const double sigma = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  lib.Bench().SetNoise(sigma);
  lib.Bench().SetSeed(7);
  const int scans = 4000;
  const Acquired a = Acquire(lib, {20}, {1}, scans);
  ASSERT_EQ(a.status, kAcqOk);
  double sum = 0.0, squares = 0.0;
  for (int s = 0; s < scans; ++s) sum += a.words[static_cast<std::size_t>(s)];
  const double mean = sum / scans;
  for (int s = 0; s < scans; ++s) {
    const double d = a.words[static_cast<std::size_t>(s)] - mean;
    squares += d * d;
  }
  const double sd = std::sqrt(squares / (scans - 1));
  const double exact = (lib.Bench().PointVolts(20, 1) + 5.0) * 6553.5;
  // Four standard errors of the mean, plus the rounding to whole counts.
  EXPECT_NEAR(mean, exact, 0.1 + 4.0 * sigma / std::sqrt(static_cast<double>(scans)));
  EXPECT_NEAR(sd, sigma, 0.1 * sigma);
}

INSTANTIATE_TEST_SUITE_P(Samples, Noise, ::testing::Values(2.0, 5.0, 20.0));

TEST(Noise, IsRepeatableForASeedAndDiffersBetweenSeeds) {
  auto run = [](std::uint64_t seed) {
    SimulatedAcqLib lib;
    lib.Bench().SetPacing(Pacing::Instant);
    lib.acqOpenDevice(kPortable);
    lib.Bench().SetSeed(seed);
    return Acquire(lib, {20, 33}, {0, 2}, 200).words;
  };
  EXPECT_EQ(run(11), run(11));
  EXPECT_NE(run(11), run(12));
}

TEST(Noise, DefaultsToTwoCountsAndRefusesNegativeSpread) {
  SimulatedBench bench;
  EXPECT_DOUBLE_EQ(bench.Noise(), 2.0);
  EXPECT_FALSE(bench.SetNoise(-1.0));
  EXPECT_DOUBLE_EQ(bench.Noise(), 2.0);
}

// --- Two threads --------------------------------------------------------------------------

TEST(Threads, ReadingsSeeEitherBenchStateWhileTheBenchChanges) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const int ch = 36;
  lib.Bench().SetTrimpot(ch, Trimpot::ScaleGain, 0.0);
  const double light = ExpectedWord(lib.Bench().PointVolts(ch, 0));
  lib.Bench().SetLoad(ch, 50.0);
  const double heavy = ExpectedWord(lib.Bench().PointVolts(ch, 0));
  ASSERT_GT(heavy - light, 100.0);
  lib.Bench().SetLoad(ch, 0.0);

  std::atomic<bool> done{false};
  std::atomic<int> bad{0};
  std::thread reader([&] {
    for (int i = 0; i < 300; ++i) {
      const Acquired a = Acquire(lib, {ch, ch}, {0, 0}, 5);
      if (a.status != kAcqOk) ++bad;
      for (std::size_t w = 0; w < 10; ++w) {
        const double word = a.words[w];
        if (std::abs(word - light) > 1.0 && std::abs(word - heavy) > 1.0) ++bad;
      }
    }
    done = true;
  });
  for (int i = 0; !done; ++i) {
    lib.Bench().SetLoad(ch, i % 2 == 0 ? 50.0 : 0.0);
    std::this_thread::yield();
  }
  reader.join();
  EXPECT_EQ(bad.load(), 0);
}

}  // namespace
}  // namespace vernium
