// What the simulated unit reads from the cards on its bench: the four
// read-back points against the card laws, the rails, the CAL switches, the
// coupling, the shunt and empty channels. Readings go through a full
// acquisition (instant, no noise). The trimpots' ends: the bench form's and
// the bench window's tests.

#include <gtest/gtest.h>

#include "acquisition/acq_test_support.h"

namespace vernium {
namespace {

using namespace testing;

constexpr auto Clip = [](double volts) { return std::clamp(volts, -5.0, 5.0); };

TEST(ReadBackPoints, FollowTheCardLawsAndTheRails) {
  // Channel, trimpots, filter (0 bypassed, 1 engaged without the gain
  // resistor, 2 with it) and load.
  const std::tuple<int, Knobs, int, double> cases[] = {
      {19, {0.5, 0.45, 0.3, 0.2}, 2, 400.0},   // SGC10
      {33, {0.9, 0.55, 0.1, 0.5}, 1, 1000.0},  // SGC50
      {47, {0.0, 0.5, 1.0, 0.0}, 0, -300.0},   // SGC50, trimpots at their ends
      {64, {0.6, 0.48, 0.7, 0.25}, 0, 800.0},  // SGC50B
      // Filter at x2, scaling stage at 0.9: a filter stage railed at 5 V
      // reads 4.5 V, at the output and at the scaled reference.
      {32, {1.0, 0.5, 0.5, 0.0}, 2, 1000.0},
      {32, {0.3, 0.0, 1.0, 0.0}, 2, 0.0},
  };
  for (const auto& [ch, knobs, filter, load] : cases) {
    SCOPED_TRACE(::testing::Message() << ch << " at load " << load);
    ExactLib lib;
    SetKnobs(lib.Bench(), ch, knobs);
    lib.Bench().SetFilterJumper(ch, filter == 0 ? FilterJumper::Bypass : FilterJumper::Engaged);
    lib.Bench().SetFilterGainResistor(ch, filter != 1);
    lib.Bench().SetLoad(ch, load);
    lib.Bench().SetCal2(ch, CalSwitch::Cal);  // SGC50B: test points connected
    const double gin = LawInputGain(knobs.input), gs = LawScaleGain(knobs.scale);
    const double gf = filter == 2 ? 2.0 : 1.0, voff = LawOffset(knobs.offset);
    const double vb = LawBridge(knobs, load, ch);
    // Each stage clips at the rails.
    const auto stages = [&](double in) { return Clip(gs * Clip(gf * Clip(gin * in - voff))); };
    const double expected[] = {stages(vb), gf * Clip(-voff), stages(0.005),
                               gf * gin * 0.005 - voff};
    const auto words = Read(lib, ch).words;
    for (std::size_t code = 0; code < 4; ++code) {
      EXPECT_NEAR(words[code], ExpectedWord(expected[code]), 1.0) << "gain code " << code;
    }
  }
}

TEST(CalSwitches, RouteTheTestPointsAndTheShunt) {
  constexpr CalSwitch R = CalSwitch::Run, C = CalSwitch::Cal;
  // Channel, CAL/NORM, CAL1, CAL2; whether gain code 1 reads the excitation
  // monitor, whether codes 1..3 read the card output, whether the shunt is in.
  const std::tuple<int, CalSwitch, CalSwitch, CalSwitch, bool, bool, bool> cases[] = {
      {48, R, R, R, false, false, false}, {48, C, R, R, true, false, true},  // SGC50A
      {70, R, R, C, false, false, false}, {70, R, C, C, true, false, true},  // SGC50B
      {70, R, C, R, false, true, true},   {70, R, R, R, false, true, false}};
  const Knobs k{0.8, 0.55, 0.3, 0.4};
  const double gin = LawInputGain(k.input), gs = LawScaleGain(k.scale);
  const double voff = LawOffset(k.offset), exc = LawExcitation(k.excitation);
  for (const auto& [ch, calNorm, cal1, cal2, monitor, outputOnly, shunt] : cases) {
    SCOPED_TRACE(::testing::Message() << ch << " switches " << static_cast<int>(calNorm)
                                      << static_cast<int>(cal1) << static_cast<int>(cal2));
    ExactLib lib;
    SetKnobs(lib.Bench(), ch, k);
    lib.Bench().SetLoad(ch, 200.0);
    lib.Bench().SetCalNorm(ch, calNorm);
    lib.Bench().SetCal1(ch, cal1);
    lib.Bench().SetCal2(ch, cal2);
    const double out = gs * (gin * LawBridge(k, shunt ? 700.0 : 200.0, ch) - voff);
    const double points[] = {out, monitor ? exc * 203.0 / 429.0 : -voff, gs * (gin * 0.005 - voff),
                             gin * 0.005 - voff};
    const auto w = Read(lib, ch).words;
    for (std::size_t code = 0; code < 4; ++code) {
      EXPECT_NEAR(w[code], ExpectedWord(outputOnly ? out : points[code]), 1.0) << code;
    }
    EXPECT_EQ(lib.Bench().Readback(ch)->shuntIn, shunt);
  }
}

TEST(Coupling, AcPassesNoStaticLoadNorTheShuntButLeavesTheReferencePoints) {
  ExactLib lib;
  const Knobs k{0.7, 0.45, 0.5, 0.1};
  SetKnobs(lib.Bench(), 34, k);
  lib.Bench().SetLoad(34, 300.0);
  ASSERT_TRUE(lib.Bench().SetShunt(34, true));  // 500 more
  const double gs = LawScaleGain(k.scale), voff = LawOffset(k.offset);
  const auto dc = Read(lib, 34).words;
  EXPECT_NEAR(dc[0], ExpectedWord(gs * (LawInputGain(k.input) * LawBridge(k, 800.0, 34) - voff)),
              1.0);
  lib.Bench().SetCoupling(34, Coupling::AC);
  const auto ac = Read(lib, 34).words;
  EXPECT_NEAR(ac[0], ExpectedWord(-gs * voff), 1.0);
  for (std::size_t code = 1; code < 4; ++code) EXPECT_EQ(ac[code], dc[code]) << code;
}

// Where the cards sit and the switches each shows: the bench form's tests
// of its channel list and its parts.
TEST(Population, EmptyChannelsFloat) {
  ExactLib lib;
  EXPECT_FALSE(lib.Bench().Readback(271).has_value());
  for (const int ch : {24, 5}) {  // behind the SGC10 cards, and a base channel read directly
    EXPECT_FALSE(lib.Bench().SetLoad(ch, 10.0));
    const Reading r = Read(lib, ch, 2);
    ASSERT_EQ(r.status, kAcqOk);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_NEAR(r.words[i], ExpectedWord(4.98), 1.0) << ch;
  }
}

// The guidance tells the technician which way to turn from the cards' turn
// senses: one clockwise turn of each trimpot moves the point the wizard reads
// for it (the excitation on the voltmeter) the way the sense says.
TEST(TurnSense, AClockwiseTurnMovesTheWizardsReadingTheWayTheCardSays) {
  for (const SimCardModel card :
       {SimCardModel::SGC10, SimCardModel::SGC50, SimCardModel::SGC50A, SimCardModel::SGC50B}) {
    for (const auto& [pot, code] : {std::pair{Trimpot::Excitation, -1},
                                    {Trimpot::Offset, 1},
                                    {Trimpot::InputGain, 3},
                                    {Trimpot::ScaleGain, 2}}) {
      SimChannel ch = MakeChannel(card, 64);
      ch.cal2 = CalSwitch::Cal;  // SGC50B: test points connected
      auto reading = [&, code] { return code < 0 ? Excitation(ch) : ReadPointVolts(ch, code); };
      const double before = reading();
      ch.Position(pot) += 1.0 / kTrimpotTurns;
      EXPECT_EQ(ClockwiseSense(CardModelName(card), pot),
                reading() > before ? TurnSense::ClockwiseRaises : TurnSense::ClockwiseLowers)
          << CardModelName(card) << " trimpot " << static_cast<int>(pot);
    }
  }
}

}  // namespace
}  // namespace vernium
