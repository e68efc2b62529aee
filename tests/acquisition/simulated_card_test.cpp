// What the simulated unit reads from the cards on its bench: the four
// read-back points against the card laws, the rails, the CAL switches, the
// coupling, the shunt, empty channels and the trimpots' travel. Every
// reading goes through a full acquisition (instant, no noise).

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "acquisition/simulated_test_support.h"

namespace vernium {
namespace {

using namespace simtest;

enum class Filter { Bypass, X1, X2 };

const char* FilterName(Filter f) {
  switch (f) {
    case Filter::Bypass:
      return "bypass";
    case Filter::X1:
      return "x1";
    case Filter::X2:
      return "x2";
  }
  return "?";
}

void SetFilter(SimulatedBench& bench, int channel, Filter f) {
  bench.SetFilterJumper(channel, f == Filter::Bypass ? FilterJumper::Bypass : FilterJumper::Engaged);
  bench.SetFilterGainResistor(channel, f != Filter::X1);
}

// Reads the four points 0..3 of one channel on the portable unit.
std::array<double, 4> ReadPoints(SimulatedAcqLib& lib, int channel) {
  const Acquired a = Acquire(lib, {channel, channel, channel, channel}, {0, 1, 2, 3}, 1);
  EXPECT_EQ(a.status, kAcqOk);
  std::array<double, 4> words{};
  for (std::size_t e = 0; e < 4; ++e) words[e] = WordAt(a, 4, 0, e);
  return words;
}

// --- The four read-back points follow the card laws -----------------------

struct PointCase {
  std::string name;
  int channel;
  Knobs knobs;
  Filter filter;
  double load;
};

std::ostream& operator<<(std::ostream& os, const PointCase& c) {
  return os << c.name << " ch" << c.channel << " " << c.knobs << " " << FilterName(c.filter)
            << " load" << c.load;
}

class ReadBackPoints : public ::testing::TestWithParam<PointCase> {};

TEST_P(ReadBackPoints, FollowTheCardLaws) {
  const PointCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  SimulatedBench& bench = lib.Bench();
  SetKnobs(bench, c.channel, c.knobs);
  SetFilter(bench, c.channel, c.filter);
  bench.SetLoad(c.channel, c.load);
  // SGC50B: test points connected, shunt out.
  bench.SetCal2(c.channel, CalSwitch::Cal);

  const double gin = LawInputGain(c.knobs.input);
  const double gs = LawScaleGain(c.knobs.scale);
  const double gf = c.filter == Filter::X2 ? 2.0 : 1.0;
  const double voff = LawOffset(c.knobs.offset);
  const double vb = LawExcitation(c.knobs.excitation) * 0.002 * c.load / 1000.0 +
                    LawImbalance(c.channel);
  const std::array<double, 4> expected = {
      gs * gf * (gin * vb - voff),
      -gf * voff,
      gf * gs * (gin * 0.005 - voff),
      gf * gin * 0.005 - voff,
  };
  const std::array<double, 4> words = ReadPoints(lib, c.channel);
  for (std::size_t code = 0; code < 4; ++code) {
    EXPECT_NEAR(words[code], ExpectedWord(expected[code]), 1.0) << "gain code " << code;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cards, ReadBackPoints,
    ::testing::Values(
        PointCase{"SGC10_fresh", 16, Knobs{}, Filter::Bypass, 0.0},
        PointCase{"SGC10_filterX2", 19, Knobs{0.5, 0.45, 0.3, 0.2}, Filter::X2, 400.0},
        PointCase{"SGC50_filterX1", 33, Knobs{0.9, 0.55, 0.1, 0.5}, Filter::X1, 1000.0},
        PointCase{"SGC50_gainEnds", 47, Knobs{0.0, 0.5, 1.0, 0.0}, Filter::Bypass, -300.0},
        PointCase{"SGC50A_filterX2", 50, Knobs{0.95, 0.52, 0.4, 0.35}, Filter::X2, 250.0},
        PointCase{"SGC50B_bypass", 64, Knobs{0.6, 0.48, 0.7, 0.25}, Filter::Bypass, 800.0},
        PointCase{"SGC50B_filterX2", 79, Knobs{0.2, 0.5, 0.2, 0.8}, Filter::X2, 100.0}),
    [](const auto& tp) { return tp.param.name; });

// --- Rails -----------------------------------------------------------------

struct RailCase {
  std::string name;
  Knobs knobs;
  Filter filter;
  double load;
  int code;
  double volts;  // what the point must read
};

std::ostream& operator<<(std::ostream& os, const RailCase& c) {
  return os << c.name << " code" << c.code << " -> " << c.volts << " V";
}

class Rails : public ::testing::TestWithParam<RailCase> {};

TEST_P(Rails, StageOutputsClipAtFiveVolts) {
  const RailCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  const int channel = 32;  // SGC50
  SetKnobs(lib.Bench(), channel, c.knobs);
  SetFilter(lib.Bench(), channel, c.filter);
  lib.Bench().SetLoad(channel, c.load);
  const std::array<double, 4> words = ReadPoints(lib, channel);
  EXPECT_NEAR(words[static_cast<std::size_t>(c.code)], ExpectedWord(c.volts), 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, Rails,
    ::testing::Values(
        // Gin 330, Gs 3.3, 21 mV at full load: far above the rail.
        RailCase{"OutputHigh", Knobs{1.0, 0.5, 1.0, 1.0}, Filter::Bypass, 1000.0, 0, 5.0},
        RailCase{"OutputLow", Knobs{1.0, 0.5, 1.0, 1.0}, Filter::Bypass, -1000.0, 0, -5.0},
        // The input stage rails at 5 V; the scaling stage at 0.9 then gives 4.5 V.
        RailCase{"InputStageRailsFirst", Knobs{1.0, 0.5, 1.0, 0.0}, Filter::Bypass, 1000.0, 0,
                 4.5},
        // 4.4 V out of the input stage doubles past the rail in the filter stage.
        RailCase{"FilterStageRails", Knobs{1.0, 0.5, 0.5, 0.0}, Filter::X2, 1000.0, 0, 4.5},
        // Voff +4 V through the filter at x2.
        RailCase{"ShortedInputLow", Knobs{0.3, 1.0, 0.5, 0.5}, Filter::X2, 0.0, 1, -5.0},
        RailCase{"ShortedInputHigh", Knobs{0.3, 0.0, 0.5, 0.5}, Filter::X2, 0.0, 1, 5.0},
        RailCase{"ScalingStageHigh", Knobs{0.3, 0.0, 1.0, 1.0}, Filter::Bypass, 0.0, 2, 5.0},
        RailCase{"InputReferenceHigh", Knobs{0.3, 0.0, 1.0, 0.5}, Filter::X2, 0.0, 3, 5.0},
        RailCase{"InputReferenceInsideRails", Knobs{0.3, 1.0, 0.0, 0.5}, Filter::Bypass, 0.0, 3,
                 -3.55}),
    [](const auto& tp) { return tp.param.name; });

// --- CAL switches and test points -------------------------------------------

struct SwitchCase {
  std::string name;
  int channel;
  CalSwitch calNorm, cal1, cal2;
  bool code1ReadsExcitation;
  bool testPointsReadOutput;  // codes 1..3 read the card output
  bool shuntIn;
};

std::ostream& operator<<(std::ostream& os, const SwitchCase& c) { return os << c.name; }

class CalSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CalSwitches, RouteTheTestPointsAndTheShunt) {
  const SwitchCase& c = GetParam();
  SimulatedAcqLib lib;
  MakeExact(lib);
  SimulatedBench& bench = lib.Bench();
  const Knobs k{0.8, 0.55, 0.3, 0.4};
  SetKnobs(bench, c.channel, k);
  bench.SetLoad(c.channel, 200.0);
  bench.SetCalNorm(c.channel, c.calNorm);
  bench.SetCal1(c.channel, c.cal1);
  bench.SetCal2(c.channel, c.cal2);

  const double gin = LawInputGain(k.input);
  const double gs = LawScaleGain(k.scale);
  const double voff = LawOffset(k.offset);
  const double exc = LawExcitation(k.excitation);
  const double load = 200.0 + (c.shuntIn ? 500.0 : 0.0);
  const double out = gs * (gin * (exc * 0.002 * load / 1000.0 + LawImbalance(c.channel)) - voff);

  const std::array<double, 4> w = ReadPoints(lib, c.channel);
  EXPECT_NEAR(w[0], ExpectedWord(out), 1.0);
  if (c.testPointsReadOutput) {
    for (std::size_t code = 1; code < 4; ++code) {
      EXPECT_NEAR(w[code], ExpectedWord(out), 1.0) << "gain code " << code;
    }
  } else {
    const double code1 = c.code1ReadsExcitation ? exc * 203.0 / 429.0 : -voff;
    EXPECT_NEAR(w[1], ExpectedWord(code1), 1.0);
    EXPECT_NEAR(w[2], ExpectedWord(gs * (gin * 0.005 - voff)), 1.0);
    EXPECT_NEAR(w[3], ExpectedWord(gin * 0.005 - voff), 1.0);
  }
  EXPECT_EQ(bench.Readback(c.channel)->shuntIn, c.shuntIn);
}

constexpr CalSwitch R = CalSwitch::Run;
constexpr CalSwitch C = CalSwitch::Cal;

INSTANTIATE_TEST_SUITE_P(
    Cards, CalSwitches,
    ::testing::Values(SwitchCase{"SGC50A_Norm", 48, R, R, R, false, false, false},
                      SwitchCase{"SGC50A_Cal", 48, C, R, R, true, false, true},
                      SwitchCase{"SGC50B_Cal1Run_Cal2Cal", 70, R, R, C, false, false, false},
                      SwitchCase{"SGC50B_BothCal", 70, R, C, C, true, false, true},
                      SwitchCase{"SGC50B_Cal1Cal_Cal2Run", 70, R, C, R, false, true, true},
                      SwitchCase{"SGC50B_BothRun", 70, R, R, R, false, true, false}),
    [](const auto& tp) { return tp.param.name; });

TEST(CalSwitches, ExistOnlyOnTheCardsThatCarryThem) {
  SimulatedBench bench;
  EXPECT_TRUE(bench.SetCalNorm(48, CalSwitch::Cal));
  EXPECT_FALSE(bench.SetCalNorm(64, CalSwitch::Cal));
  EXPECT_FALSE(bench.SetCalNorm(16, CalSwitch::Cal));
  EXPECT_TRUE(bench.SetCal1(64, CalSwitch::Cal));
  EXPECT_TRUE(bench.SetCal2(79, CalSwitch::Cal));
  EXPECT_FALSE(bench.SetCal1(48, CalSwitch::Cal));
  EXPECT_FALSE(bench.SetCal2(32, CalSwitch::Cal));
  EXPECT_TRUE(bench.SetShunt(16, true));
  EXPECT_TRUE(bench.SetShunt(40, true));
  EXPECT_FALSE(bench.SetShunt(48, true));
  EXPECT_FALSE(bench.SetShunt(64, true));
}

// --- Shunt ------------------------------------------------------------------

class Shunt : public ::testing::TestWithParam<int> {};

TEST_P(Shunt, AddsFiveHundredUnitsOfLoad) {
  const int channel = GetParam();
  SimulatedBench bench;
  bench.SetTrimpot(channel, Trimpot::Excitation, 1.0);  // 10.5 V
  bench.SetLoad(channel, 120.0);
  const double before = bench.Readback(channel)->bridgeVolts;
  switch (bench.Readback(channel)->card) {
    case SimCardModel::SGC50A:
      ASSERT_TRUE(bench.SetCalNorm(channel, CalSwitch::Cal));
      break;
    case SimCardModel::SGC50B:
      ASSERT_TRUE(bench.SetCal1(channel, CalSwitch::Cal));
      break;
    default:
      ASSERT_TRUE(bench.SetShunt(channel, true));
  }
  const ChannelReadback after = *bench.Readback(channel);
  EXPECT_NEAR(after.bridgeVolts - before, 10.5 * 0.002 * 500.0 / 1000.0, 1e-12);
  EXPECT_DOUBLE_EQ(after.load, 120.0);
  EXPECT_TRUE(after.shuntIn);
}

INSTANTIATE_TEST_SUITE_P(Cards, Shunt, ::testing::Values(17, 45, 51, 66));

// --- Coupling ---------------------------------------------------------------

TEST(Coupling, AcPassesNoStaticLoadButLeavesTheReferencePoints) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const int channel = 34;
  const Knobs k{0.7, 0.45, 0.5, 0.1};
  SetKnobs(lib.Bench(), channel, k);
  lib.Bench().SetLoad(channel, 300.0);
  lib.Bench().SetShunt(channel, true);
  const std::array<double, 4> dc = ReadPoints(lib, channel);
  lib.Bench().SetCoupling(channel, Coupling::AC);
  const std::array<double, 4> ac = ReadPoints(lib, channel);

  const double voff = LawOffset(k.offset);
  EXPECT_NEAR(ac[0], ExpectedWord(-LawScaleGain(k.scale) * voff), 1.0);
  EXPECT_GT(dc[0] - ac[0], 1000.0);  // the load showed while DC coupled
  for (std::size_t code = 1; code < 4; ++code) EXPECT_EQ(ac[code], dc[code]) << code;
}

// --- Channels without a card ---------------------------------------------------

class EmptyChannel : public ::testing::TestWithParam<int> {};

TEST_P(EmptyChannel, FloatsNearThePositiveRail) {
  SimulatedAcqLib lib;
  MakeExact(lib);
  const int channel = GetParam();
  const Acquired a = Acquire(lib, {channel, channel}, {0, 3}, 2);
  ASSERT_EQ(a.status, kAcqOk);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(a.words[i], ExpectedWord(4.98), 1.0);
  EXPECT_FALSE(lib.Bench().Readback(channel).has_value());
  EXPECT_FALSE(lib.Bench().SetLoad(channel, 10.0));
}

// Behind the four SGC10 cards, the second SGC50A slot, base channels 4 and
// 15, and a base channel read directly.
INSTANTIATE_TEST_SUITE_P(Bench, EmptyChannel, ::testing::Values(24, 31, 56, 80, 271, 5));

TEST(Population, CardsSitWhereTheBenchListsThem) {
  SimulatedBench bench;
  auto cardOf = [&](int ch) {
    const auto r = bench.Readback(ch);
    return r ? r->card : SimCardModel::None;
  };
  for (int ch = 16; ch <= 271; ++ch) {
    SimCardModel want = SimCardModel::None;
    if (ch <= 23) want = SimCardModel::SGC10;
    else if (ch >= 32 && ch <= 47) want = SimCardModel::SGC50;
    else if (ch >= 48 && ch <= 55) want = SimCardModel::SGC50A;
    else if (ch >= 64 && ch <= 79) want = SimCardModel::SGC50B;
    EXPECT_EQ(cardOf(ch), want) << "channel " << ch;
  }
}

// --- Trimpot travel -------------------------------------------------------------

struct TurnCase {
  double start;
  double turns;
  double end;
};

std::ostream& operator<<(std::ostream& os, const TurnCase& c) {
  return os << "from " << c.start << " by " << c.turns << " turns";
}

class TrimpotTurns : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TrimpotTurns, MoveOneTwentyFifthOfTravelPerTurnAndStopAtTheEnds) {
  const TurnCase& c = GetParam();
  SimulatedBench bench;
  for (Trimpot t : kAllTrimpots) {
    ASSERT_TRUE(bench.SetTrimpot(20, t, c.start));
    ASSERT_TRUE(bench.TurnTrimpot(20, t, c.turns));
    EXPECT_NEAR(*bench.TrimpotPosition(20, t), c.end, 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(Travel, TrimpotTurns,
                         ::testing::Values(TurnCase{0.6, 5.0, 0.8}, TurnCase{0.6, -10.0, 0.2},
                                           TurnCase{0.6, 0.5, 0.62}, TurnCase{0.0, 25.0, 1.0},
                                           TurnCase{0.6, 25.0, 1.0}, TurnCase{0.6, -100.0, 0.0},
                                           TurnCase{1.0, -12.5, 0.5}));

TEST(TrimpotTurns, RefuseAPositionOffTheTravel) {
  SimulatedBench bench;
  EXPECT_FALSE(bench.SetTrimpot(20, Trimpot::Offset, 1.01));
  EXPECT_FALSE(bench.SetTrimpot(20, Trimpot::Offset, -0.01));
  EXPECT_DOUBLE_EQ(*bench.TrimpotPosition(20, Trimpot::Offset), 0.6);
}

TEST(FreshCard, StartsOffEveryLikelyTarget) {
  SimulatedBench bench;
  const ChannelReadback r = *bench.Readback(40);
  EXPECT_NEAR(r.excitation, 4.2, 1e-9);
  EXPECT_NEAR(r.offsetVolts, 0.8, 1e-9);
  EXPECT_NEAR(r.inputGain, 234.0, 1e-9);
  EXPECT_NEAR(r.scaleGain, 2.34, 1e-9);
  EXPECT_DOUBLE_EQ(r.filterGain, 1.0);
  EXPECT_DOUBLE_EQ(r.load, 0.0);
  EXPECT_FALSE(r.shuntIn);
}

}  // namespace
}  // namespace vernium
