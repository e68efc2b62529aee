// The simulated unit as a library: its units, opening and closing, the
// gain codes each unit reads, the order of an acquisition's calls, the
// buffer and the real-time pacing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/simulated_errors.h"
#include "acquisition/simulated_test_support.h"

namespace vernium {
namespace {

using namespace simtest;

// --- Units -------------------------------------------------------------------

struct UnitCase {
  const char* name;
  std::int32_t type;
  std::int32_t subType;
};

std::ostream& operator<<(std::ostream& os, const UnitCase& c) { return os << c.name; }

TEST(Units, AreListedPortableFirstWithTheUnsupportedOneIncluded) {
  SimulatedAcqLib lib;
  std::int32_t count = -1;
  ASSERT_EQ(lib.acqDeviceCount(count), kAcqOk);
  std::vector<std::string> names;
  std::int32_t namesCount = -1;
  ASSERT_EQ(lib.acqDeviceNames(names, namesCount), kAcqOk);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(namesCount, 5);
  EXPECT_EQ(names, (std::vector<std::string>{kPortable, kBoard23, kBoard36, kBoard17,
                                             kUnsupported}));
}

class UnitByName : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitByName, DescribesItselfAsSimulated) {
  const UnitCase& c = GetParam();
  SimulatedAcqLib lib;
  std::shared_ptr<const AcqDevice> device;
  ASSERT_EQ(lib.acqDeviceByName(c.name, device), kAcqOk);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->DeviceName, c.name);
  EXPECT_EQ(device->DeviceType, c.type);
  EXPECT_EQ(device->DeviceSubType, c.subType);
  EXPECT_EQ(device->DeviceDescription.rfind("Simulated", 0), 0u) << device->DeviceDescription;
}

INSTANTIATE_TEST_SUITE_P(Units, UnitByName,
                         ::testing::Values(UnitCase{kPortable, 0, 0}, UnitCase{kBoard23, 23, 3},
                                           UnitCase{kBoard36, 36, 0}, UnitCase{kBoard17, 17, 0},
                                           UnitCase{kUnsupported, 50, 0}));

TEST(Units, UnknownNameIsRefusedEverywhere) {
  SimulatedAcqLib lib;
  std::shared_ptr<const AcqDevice> device;
  EXPECT_EQ(lib.acqDeviceByName("NO-SUCH-UNIT", device), kSimUnknownDevice);
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(lib.acqOpenDevice("NO-SUCH-UNIT"), kSimUnknownDevice);
  EXPECT_EQ(lib.OpenDevice(), nullptr);
  std::int32_t code = 0;
  lib.acqLastErrorCode(code);
  EXPECT_EQ(code, kSimUnknownDevice);
}

TEST(Units, OpeningTracksTheUnitAndClosingWithNoneOpenFails) {
  SimulatedAcqLib lib;
  EXPECT_EQ(lib.acqCloseDevice(), kSimNoDeviceOpen);
  ASSERT_EQ(lib.acqOpenDevice(kBoard36), kAcqOk);
  EXPECT_EQ(lib.OpenDevice()->DeviceType, 36);
  ASSERT_EQ(lib.acqOpenDevice(kBoard17), kAcqOk);  // replaces the first
  EXPECT_EQ(lib.OpenDevice()->DeviceType, 17);
  EXPECT_EQ(lib.acqCloseDevice(), kAcqOk);
  EXPECT_EQ(lib.OpenDevice(), nullptr);
  EXPECT_EQ(lib.acqCloseDevice(), kSimNoDeviceOpen);
}

TEST(Units, BenchMovesANamedUnitToTheFrontAndCanReplaceTheList) {
  SimulatedAcqLib lib;
  EXPECT_TRUE(lib.Bench().MoveUnitToFront(kBoard17));
  EXPECT_FALSE(lib.Bench().MoveUnitToFront("NO-SUCH-UNIT"));
  std::vector<std::string> names;
  std::int32_t count = 0;
  lib.acqDeviceNames(names, count);
  EXPECT_EQ(names, (std::vector<std::string>{kBoard17, kPortable, kBoard23, kBoard36,
                                             kUnsupported}));
  lib.Bench().SetUnits({});
  ASSERT_EQ(lib.acqDeviceCount(count), kAcqOk);
  EXPECT_EQ(count, 0);
}

TEST(Units, OnlineStatusFollowsTheBench) {
  SimulatedAcqLib lib;
  std::string empty;
  EXPECT_EQ(lib.acqOnlineStatus(empty), kSimNoDeviceOpen);
  lib.acqOpenDevice(kPortable);
  EXPECT_EQ(lib.acqOnlineStatus(empty), 0);
  lib.Bench().SetOnline(false);
  EXPECT_EQ(lib.acqOnlineStatus(empty), kAcqNotOnline);
  lib.Bench().SetOnline(true);
  EXPECT_EQ(lib.acqOnlineStatus(empty), 0);
}

// --- Gain codes by unit ---------------------------------------------------------

struct GainCodeCase {
  const char* unit;
  std::int32_t firstCode;  // the code that reads the card output
};

std::ostream& operator<<(std::ostream& os, const GainCodeCase& c) { return os << c.unit; }

class GainCodes : public ::testing::TestWithParam<GainCodeCase> {};

TEST_P(GainCodes, ReadTheFourPointsFromTheUnitsOwnFirstCode) {
  const GainCodeCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib, c.unit);
  const int ch = 35;
  SetKnobs(lib.Bench(), ch, Knobs{0.5, 0.45, 0.4, 0.3});
  lib.Bench().SetLoad(ch, 300.0);
  const std::int32_t f = c.firstCode;
  const Acquired a = Acquire(lib, {ch, ch, ch, ch}, {f, f + 1, f + 2, f + 3}, 1);
  ASSERT_EQ(a.status, kAcqOk);
  for (int point = 0; point < 4; ++point) {
    EXPECT_NEAR(a.words[static_cast<std::size_t>(point)],
                ExpectedWord(lib.Bench().PointVolts(ch, point)), 1.0)
        << "point " << point;
  }
  // The points really differ, so a mix-up of codes would show.
  EXPECT_NE(a.words[0], a.words[1]);
  EXPECT_NE(a.words[2], a.words[3]);
}

TEST_P(GainCodes, RefuseTheOtherRange) {
  const GainCodeCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib, c.unit);
  const std::int32_t wrong = c.firstCode == 0 ? 4 : 0;
  for (std::int32_t code : {wrong, wrong + 3, c.firstCode - 1, c.firstCode + 4}) {
    const Acquired a = Acquire(lib, {40}, {code}, 1);
    EXPECT_EQ(a.status, kSimGainCodeOutOfRange) << "code " << code;
  }
}

INSTANTIATE_TEST_SUITE_P(Units, GainCodes,
                         ::testing::Values(GainCodeCase{kPortable, 0}, GainCodeCase{kBoard23, 4},
                                           GainCodeCase{kBoard36, 4}, GainCodeCase{kBoard17, 4},
                                           GainCodeCase{kUnsupported, 0}));

// --- Order of calls and arguments --------------------------------------------------

struct CallCase {
  std::string name;
  std::function<AcqStatus(SimulatedAcqLib&)> run;  // the call under test is the last one
  AcqStatus expected;
};

std::ostream& operator<<(std::ostream& os, const CallCase& c) { return os << c.name; }

class Calls : public ::testing::TestWithParam<CallCase> {};

TEST_P(Calls, FailWithTheDocumentedCode) {
  SimulatedAcqLib lib;
  lib.Bench().SetPacing(Pacing::Instant);
  lib.acqOpenDevice(kPortable);
  const AcqStatus status = GetParam().run(lib);
  EXPECT_EQ(status, GetParam().expected);
  std::int32_t last = 0;
  lib.acqLastErrorCode(last);
  EXPECT_EQ(last, GetParam().expected);
}

std::vector<std::uint16_t> gBuffer(64);
const std::vector<std::int32_t> kOne{20}, kCode0{0}, kFlag{2};

AcqStatus Configure(SimulatedAcqLib& lib, std::int32_t scans = 4) {
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(kOne, kCode0, kFlag, 1);
  lib.acqAdcSetAcq(0, 0, scans);
  return lib.acqAdcTransferSetBuffer(gBuffer, scans, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequence, Calls,
    ::testing::Values(
        CallCase{"SetScanBeforePrepare",
                 [](auto& l) { return l.acqAdcSetScan(kOne, kCode0, kFlag, 1); },
                 kSimOutOfSequence},
        CallCase{"StartWithoutBuffer",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   l.acqAdcSetScan(kOne, kCode0, kFlag, 1);
                   l.acqAdcSetAcq(0, 0, 4);
                   return l.acqAdcTransferStart();
                 },
                 kSimOutOfSequence},
        CallCase{"ArmBeforeStart",
                 [](auto& l) {
                   Configure(l);
                   return l.acqAdcArm();
                 },
                 kSimOutOfSequence},
        CallCase{"GetStatBeforeArm",
                 [](auto& l) {
                   Configure(l);
                   l.acqAdcTransferStart();
                   std::int16_t active = 0;
                   std::int32_t transferred = 0;
                   return l.acqAdcTransferGetStat(active, transferred);
                 },
                 kSimOutOfSequence},
        CallCase{"ReleaseTwice",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   l.acqAdcRelease();
                   return l.acqAdcRelease();
                 },
                 kSimOutOfSequence},
        CallCase{"SetScanWithNoDeviceOpen",
                 [](auto& l) {
                   l.acqCloseDevice();
                   l.acqAdcPrepare(3, 0);
                   return l.acqAdcSetScan(kOne, kCode0, kFlag, 1);
                 },
                 kSimNoDeviceOpen},
        CallCase{"ChannelAboveTheLast",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   const std::vector<std::int32_t> ch{272};
                   return l.acqAdcSetScan(ch, kCode0, kFlag, 1);
                 },
                 kSimChannelOutOfRange},
        CallCase{"CountBeyondTheArrays",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   return l.acqAdcSetScan(kOne, kCode0, kFlag, 2);
                 },
                 kSimInvalidArgument},
        CallCase{"ZeroFrequency",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   return l.acqAdcSetFreq(0.0F);
                 },
                 kSimInvalidArgument},
        CallCase{"BufferFewerScansThanTheAcquisition",
                 [](auto& l) {
                   l.acqAdcPrepare(3, 0);
                   l.acqAdcSetScan(kOne, kCode0, kFlag, 1);
                   l.acqAdcSetAcq(0, 0, 10);
                   l.acqAdcTransferSetBuffer(gBuffer, 5, 0);
                   return l.acqAdcTransferStart();
                 },
                 kSimBufferTooSmall}),
    [](const auto& tp) { return tp.param.name; });

TEST(Sequence, PrepareAbandonsAHalfDoneAcquisition) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  Configure(lib);
  lib.acqAdcTransferStart();  // then the caller gives up without End or Release
  const Acquired a = Acquire(lib, {20}, {0}, 3);
  EXPECT_EQ(a.status, kAcqOk);
  EXPECT_EQ(a.transferred, 3);
}

// --- Buffer ---------------------------------------------------------------------------

TEST(Buffer, IsWrittenOnlyWhilePollingAndOnlyAsFarAsTheTransfer) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const std::vector<std::int32_t> ch{20, 21}, codes{0, 1}, flags{2, 2};
  std::vector<std::uint16_t> buffer(2 * 3 + 1, 0xABCD);
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(ch, codes, flags, 2);
  lib.acqAdcSetAcq(0, 0, 3);
  lib.acqAdcTransferSetBuffer(buffer, 3, 0);
  lib.acqAdcTransferStart();
  lib.acqAdcArm();
  for (std::uint16_t w : buffer) ASSERT_EQ(w, 0xABCD);
  std::int16_t active = 1;
  std::int32_t transferred = 0;
  ASSERT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
  EXPECT_EQ(active, 0);
  EXPECT_EQ(transferred, 3);
  for (std::size_t s = 0; s < 3; ++s) {
    EXPECT_NEAR(buffer[2 * s], ExpectedWord(lib.Bench().PointVolts(20, 0)), 1.0);
    EXPECT_NEAR(buffer[2 * s + 1], ExpectedWord(lib.Bench().PointVolts(21, 1)), 1.0);
  }
  EXPECT_EQ(buffer[6], 0xABCD);
}

TEST(Buffer, WordsSpanMinusFiveToPlusFiveVolts) {
  EXPECT_EQ(VoltsToWord(-5.0), 0);
  EXPECT_EQ(VoltsToWord(-7.0), 0);
  EXPECT_EQ(VoltsToWord(5.0), 65535);
  EXPECT_EQ(VoltsToWord(9.0), 65535);
  for (int w : {0, 1, 12345, 32767, 32768, 65534, 65535}) {
    EXPECT_EQ(VoltsToWord(static_cast<double>(w) * 10.0 / 65535.0 - 5.0), w) << w;
  }
}

// --- Pacing ---------------------------------------------------------------------------

TEST(Pacing, RealTimeDeliversAHundredScansInAboutAHundredMilliseconds) {
  SimulatedAcqLib lib;
  lib.acqOpenDevice(kPortable);
  const std::vector<std::int32_t> ch{20}, codes{0}, flags{2};
  std::vector<std::uint16_t> buffer(101);
  lib.acqAdcPrepare(3, 0);
  lib.acqAdcSetScan(ch, codes, flags, 1);
  lib.acqAdcSetAcq(0, 0, 100);
  lib.acqAdcSetFreq(1000.0F);
  lib.acqAdcTransferSetBuffer(buffer, 100, 0);
  lib.acqAdcTransferStart();
  const auto start = std::chrono::steady_clock::now();
  lib.acqAdcArm();
  std::int16_t active = 1;
  std::int32_t transferred = 0, previous = 0;
  bool sawPartial = false;
  while (transferred < 100 && std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) {
    ASSERT_EQ(lib.acqAdcTransferGetStat(active, transferred), kAcqOk);
    EXPECT_GE(transferred, previous);
    if (transferred > 0 && transferred < 100) sawPartial = true;
    previous = transferred;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_EQ(transferred, 100);
  EXPECT_EQ(active, 0);
  EXPECT_TRUE(sawPartial);
  EXPECT_GE(ms, 80);
  EXPECT_LE(ms, 250);
}

TEST(Pacing, InstantDeliversEverythingAtTheFirstPoll) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const Acquired a = Acquire(lib, {20}, {0}, 5000);
  EXPECT_EQ(a.status, kAcqOk);
  EXPECT_EQ(a.transferred, 5000);
}

}  // namespace
}  // namespace vernium
