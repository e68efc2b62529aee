// The simulated unit as a library: its units, the gain codes each reads, the
// order of an acquisition's calls, the pacing, a stall the bench orders and
// the noise on its samples. Its error texts show in the device selection's
// tests; faults ordered until cleared in the reading pass's tests and the
// diagnostics scenario of failures; the words its samples become in the
// card tests.

#include <gtest/gtest.h>

#include "acquisition/acq_test_support.h"
#include "simulator/simulated_errors.h"

namespace vernium {
namespace {

using namespace testing;

// Refusals of unknown units and of calls without one are passed over, as
// the unit's other argument refusals; the type of the unit opened shows in
// the device window's test.
TEST(Units, AnOfflineUnitRefusesAcquisitionsAndClosingForgetsTheUnit) {
  ExactLib lib(kBoard17);
  lib.Bench().SetOnline(false);
  EXPECT_EQ(Read(lib, 20, 4).status, kAcqNotOnline);
  lib.Bench().SetOnline(true);
  EXPECT_EQ(Read(lib, 20, 4).status, kAcqOk);  // gain codes 4..7
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

// Of the refusals, a poll before the transfer is armed and the gain codes a
// unit does not read: the routines' own tests fix every argument and the
// order they send them in.
TEST(Sequence, APollBeforeArmingAndGainCodesTheUnitDoesNotReadFail) {
  ExactLib lib;
  std::vector<std::uint16_t> buffer(10);
  Configure(lib, buffer, 10, 10);
  ASSERT_EQ(lib.acqAdcTransferStart(), kAcqOk);
  std::int16_t active = 0;
  std::int32_t transferred = 0;
  EXPECT_EQ(lib.acqAdcTransferGetStat(active, transferred), kSimOutOfSequence);
  for (const auto& [unit, code] : {std::pair{kPortable, 4}, std::pair{kBoard17, 3}}) {
    lib.acqOpenDevice(unit);
    lib.acqAdcPrepare(3, 0);
    EXPECT_EQ(lib.acqAdcSetScan(kOne, std::vector<std::int32_t>{code}, kFlag, 1),
              kSimGainCodeOutOfRange)
        << unit;
  }
}

TEST(Pacing, RealTimeDeliversAHundredScansInAboutAHundredMilliseconds) {
  SimulatedAcqLib lib;
  lib.acqOpenDevice(kPortable);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Read(lib, 20, 100).status, kAcqOk);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(95));
  EXPECT_LE(elapsed, std::chrono::milliseconds(250));
}

// A transfer that ends short is not ordered from the bench window or the
// scenarios; the stall stands for both.
TEST(Faults, AStalledTransferStopsWhereOrdered) {
  ExactLib lib;
  ASSERT_TRUE(lib.Bench().SetTransferFault(TransferFault::Stall, 7));
  std::vector<std::uint16_t> buffer(21, 0xABCD);
  Configure(lib, buffer, 20, 20);
  lib.acqAdcTransferStart();
  lib.acqAdcArm();
  EXPECT_EQ(buffer, std::vector<std::uint16_t>(21, 0xABCD)) << "written only while polling";
  for (int poll = 0; poll < 3; ++poll) {
    std::int16_t active = -1;
    std::int32_t transferred = -1;
    ASSERT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
    EXPECT_EQ(active, 1);
    EXPECT_EQ(transferred, 7);
  }
  for (std::size_t s = 0; s < 21; ++s) EXPECT_EQ(buffer[s] != 0xABCD, s < 7) << s;
  EXPECT_EQ(lib.acqAdcTransferEnd(), kAcqOk);
  EXPECT_EQ(lib.acqAdcRelease(), kAcqOk);
  EXPECT_EQ(Read(lib, 20, 20).status, kAcqOk) << "ordered once";
  EXPECT_FALSE(SimulatedBench().SetTransferFault(TransferFault::Stall, -1));
}

// Another seed than the bench's own is set by no part of the program; the
// noise centred on the true reading shows in the calibrations' bench checks.
TEST(Noise, HasTheRequestedSpreadAndIsTheSameOnEveryNewBench) {
  const auto run = [](double sigma) {
    ExactLib lib;
    lib.Bench().SetNoise(sigma);
    return Read(lib, 20, 4000).words;
  };
  const auto words = run(5.0);  // the input stage's shorted input: a steady point
  double sum = 0.0, squares = 0.0;
  for (std::size_t s = 0; s < 4000; ++s) sum += words[4 * s + 1];
  const double mean = sum / 4000;
  for (std::size_t s = 0; s < 4000; ++s) squares += std::pow(words[4 * s + 1] - mean, 2);
  EXPECT_NEAR(std::sqrt(squares / 3999), 5.0, 0.5);
  EXPECT_EQ(run(2.0), run(2.0));
}

}  // namespace
}  // namespace vernium
