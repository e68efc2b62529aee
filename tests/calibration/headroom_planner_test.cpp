// The headroom planner against the calculation it explains (CalcGains) and
// against the simulated card set as the wizard would leave it. (Its warning
// and refusal texts: planner.scn; the refusals themselves are Continue's.)
#include "calibration/headroom_planner.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/numeric_text.h"
#include "simulator/simulated_card.h"

namespace vernium {
namespace {

struct Entries {
  const char* what;
  const char* tare;
  const char* maxLoad;
  bool filterOn, gainX2;
  int method = kMethodNameplate;
  const char* shunt = "0";
};

PreCalState Typed(const Entries& e) {
  PreCalState s;
  s.txtExcite.text = "10";
  s.txtSense.text = "2";
  s.txtFullLoad.text = "1000";
  s.txtOffset.text = e.tare;
  s.txtMaxLoad.text = e.maxLoad;
  s.txtShuntCalValue.text = e.shunt;
  s.txtPnt1mVolts.text = "20";  // Two Point: 20 mV at 1000, the same load cell
  s.txtPnt1Value.text = "1000";
  return s;
}

ChannelConfig Filter(bool on, bool x2) {
  ChannelConfig c;
  c.FilterOn = on ? kTrue16 : kFalse16;
  c.GainX2 = x2 ? kTrue16 : kFalse16;
  return c;
}

class Fits : public ::testing::TestWithParam<Entries> {};

// The planner's gains are CalcGains' gains, bit for bit, and the simulated
// card set to them puts out at each stage what the planner says.
TEST_P(Fits, PlansWhatTheCalculationStoresAndTheCardPutsOut) {
  const Entries& e = GetParam();
  const PreCalState typed = Typed(e);
  const ChannelConfig channel = Filter(e.filterOn, e.gainX2);
  const HeadroomPlan plan = PlanHeadroom(typed, e.method, channel);
  ASSERT_EQ(plan.gains.outcome, GainOutcome::Fits) << e.what;
  EXPECT_TRUE(plan.refusals.empty()) << e.what;

  Configuration config;
  config.Channels[16] = channel;
  EntriesInto(typed, config.Channels[16]);
  ScriptedMessageBoxes boxes;
  if (e.method != kMethodNameplate) {  // as Continue does
    auto typedValue = [](const TextBox& b) { return static_cast<float>(LeadingNumber(b.text)); };
    TwoPointToNameplate(config, 16, typedValue(typed.txtPnt1mVolts), typedValue(typed.txtPnt1Value),
                        typedValue(typed.txtPnt2mVolts), typedValue(typed.txtPnt2Value), boxes);
  }
  ASSERT_TRUE(CalcGains(config, 16, boxes)) << e.what;
  EXPECT_EQ(plan.gains.inputGain, config.Calc[16].InputGain) << e.what;
  EXPECT_EQ(plan.gains.scalingGain, config.Calc[16].ScalingGain) << e.what;
  EXPECT_EQ(plan.gains.offset, config.Calc[16].Offset) << e.what;
  EXPECT_EQ(plan.gains.filterGain, config.Actual[16].FilterGain) << e.what;

  SimChannel card = MakeChannel(SimCardModel::SGC50, 32);
  card.imbalanceVolts = 0.0;
  auto set = [&](Trimpot t, double v) { card.Position(t) = TrimpotPositionFor(card.card, t, v); };
  set(Trimpot::Excitation, 10.0);
  set(Trimpot::InputGain, plan.gains.inputGain);
  set(Trimpot::ScaleGain, plan.gains.scalingGain);
  set(Trimpot::Offset, plan.gains.offset);
  card.filter = e.filterOn ? FilterJumper::Engaged : FilterJumper::Bypass;
  card.filterGainResistor = e.gainX2;
  ASSERT_EQ(plan.stages.size(), 3u);
  for (double load : {LeadingNumber(e.tare), LeadingNumber(e.maxLoad)}) {
    card.load = load;
    const SimStageVolts sim = StageOutputs(card);
    const bool atTare = load == LeadingNumber(e.tare);
    auto planned = [&](std::size_t i) {
      return std::clamp(atTare ? plan.stages[i].atTare : plan.stages[i].atMax, -5.0, 5.0);
    };
    EXPECT_NEAR(sim.input, planned(0), 1e-4) << e.what << " at " << load;
    EXPECT_NEAR(sim.filtered, planned(1), 1e-4) << e.what << " at " << load;
    EXPECT_NEAR(sim.output, planned(2), 1e-4) << e.what << " at " << load;
  }
  EXPECT_NEAR(plan.stages[2].atMax, 5.0, 1e-3) << "the span fills 5 V";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Planner, Fits, ::testing::Values(
    Entries{"filter bypassed",        "0",  "1000", false, false},
    Entries{"filter at gain X2",      "65", "800",  true,  true},
    Entries{"filter at gain X1",      "65", "800",  true,  false},
    Entries{"Two Point",              "100","900",  false, false, kMethodTwoPoint},
    Entries{"Shunt Cal within 5 V",   "0",  "1000", false, false, kMethodShuntCal, "500"}));
// clang-format on

}  // namespace
}  // namespace vernium
