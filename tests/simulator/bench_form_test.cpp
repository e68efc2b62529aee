// The bench window's form on the simulated unit: which parts each card
// shows with which designators, the channel list, the dials, the load, the
// meters, following the main grid, and the fault panel.
#include "simulator/bench_form.h"

#include <gtest/gtest.h>

#include "model/numeric_text.h"
#include "simulator/simulated_unit.h"

namespace vernium {
namespace {

class BenchFormTest : public ::testing::Test {
 protected:
  SimulatedAcqLib unit;
  SimulatedBench& bench = unit.Bench();
  int gridChannel = 0;
  BenchForm form{bench, [this] { return gridChannel; }};

  BenchFormTest() { form.Load(); }
  void Show(int channel) {
    gridChannel = channel;
    form.chkFollowGrid.checked = true;
    form.MeterTick();
    ASSERT_EQ(form.Channel(), channel);
  }
};

// The labels of first cards: the bench following the grid, here and in the
// scenarios; which channel each entry picks: BenchChannelClick below.
TEST_F(BenchFormTest, ChannelListNamesEveryCardChannelOfTheRackByItsLabel) {
  const auto& items = form.cboBenchChannel.items;
  ASSERT_EQ(items.size(), 8u + 16u + 8u + 16u);
  EXPECT_EQ(items[47], "3-1-7   ch 79   SGC50B");
  EXPECT_EQ(form.Channel(), 16);  // no card channel selected in the grid: the first
}

TEST_F(BenchFormTest, EachCardShowsItsOwnPartsWithTheirDesignators) {
  // The filter resistor's, the filter's and the coupling's designators, and
  // which of the shunt, CAL/NORM and CAL1 with CAL2 the card shows.
  const std::tuple<int, std::string, std::string> cases[] = {
      {16, "R46 JP5 JP2", "shunt"},         // SGC10, even channel
      {17, "R44 JP4 JP3", "shunt"},         // SGC10, odd channel
      {36, "R544 JP504 JP503", "shunt"},    // SGC50, channel mod 8 = 4
      {48, "R144 JP104 JP103", "calnorm"},  // SGC50A
      {71, "R844 JP804 JP803", "cal12"}};   // SGC50B
  for (const auto& [channel, designators, shows] : cases) {
    Show(channel);
    EXPECT_EQ(form.chkFilterResistor.designator + " " + form.optFilter.designator + " " +
                  form.optCoupling.designator,
              designators);
    EXPECT_EQ(form.chkShunt.visible, shows == "shunt") << channel;
    EXPECT_EQ(form.optCalNorm.visible, shows == "calnorm") << channel;
    EXPECT_EQ(form.optCal1.visible + form.optCal2.visible, shows == "cal12" ? 2 : 0) << channel;
  }
}

// CAL/NORM flipped from the form, there and back: the bench window scenario.
TEST_F(BenchFormTest, EveryPartFlipsTheBenchAndAHiddenOneDoesNothing) {
  struct Case {
    int channel;
    const char* part;
    std::function<bool(const SimChannel&)> moved;
  };
  // clang-format off
  const Case cases[] = {
      {17, "optFilter",         [](const SimChannel& c) { return c.filter == FilterJumper::Engaged; }},
      {17, "chkFilterResistor", [](const SimChannel& c) { return !c.filterGainResistor; }},
      {17, "optCoupling",       [](const SimChannel& c) { return c.coupling == Coupling::AC; }},
      {36, "chkShunt",          [](const SimChannel& c) { return c.benchShunt; }},
      {71, "optCal1",           [](const SimChannel& c) { return c.cal1 == CalSwitch::Cal; }},
      {71, "optCal2",           [](const SimChannel& c) { return c.cal2 == CalSwitch::Cal; }},
  };
  // clang-format on
  for (const Case& c : cases) {
    Show(c.channel);
    auto position = [&] {
      for (auto& [name, part] : form.Parts()) {
        if (name == c.part) return part->position;
      }
      return -1;
    };
    const int before = position();
    form.PartClick(c.part);
    EXPECT_TRUE(c.moved(*bench.Channel(c.channel))) << c.part;
    EXPECT_EQ(position(), 1 - before) << c.part;
  }
  Show(17);
  form.PartClick("optCal1");  // an SGC10 has no CAL switch
  EXPECT_EQ(bench.Channel(17)->cal1, CalSwitch::Run);
}

// A dial turned to its ends: the bench window's keys.
TEST_F(BenchFormTest, DialsTakeTypedPositionsWithinTheirTravelAndRefuseOtherText) {
  Show(33);
  // Typed, the turns, the field shown after, refused.
  const std::tuple<const char*, double, const char*, bool> cases[] = {
      {"12.5", 12.5, "12.500", false},
      {"30", 25.0, "25.000", false},  // beyond the end of travel: the end
      {"-2", 0.0, "0.000", false},
      {"4x", 0.0, "4x", true},  // not a number: the wiper and the text stay
      {" 0 ", 0.0, "0.000", false}};
  for (const auto& [typed, turns, field, refused] : cases) {
    form.txtInputGainTurns.text = typed;
    form.DialTurnsEntered(Trimpot::InputGain);
    EXPECT_DOUBLE_EQ(*bench.TrimpotPosition(33, Trimpot::InputGain) * kTrimpotTurns, turns);
    EXPECT_DOUBLE_EQ(form.dialInputGain.turns, turns) << typed;
    EXPECT_EQ(form.txtInputGainTurns.text, field) << typed;
    EXPECT_EQ(form.txtInputGainTurns.refusal.empty(), !refused) << typed;
  }
  form.TurnDial(Trimpot::InputGain, 12.5);
  EXPECT_EQ(form.dialInputGain.valueText, "\xC3\x97 210.00");  // 90 + 240 x 12.5/25
}

TEST_F(BenchFormTest, LoadStaysWithinZeroAndTheTopOfTheSlider) {
  Show(50);
  // Typed, the load, the field shown after, the slider, refused.
  const std::tuple<const char*, double, const char*, int, bool> cases[] = {
      {"726.5", 726.5, "726.5", 7265, false},
      {"2000", 1200.0, "1200", 12000, false},
      {"abc", 1200.0, "abc", 12000, true},  // not a number: the load and the text stay
      {"-5", 0.0, "0", 0, false}};
  for (const auto& [typed, load, field, slider, refused] : cases) {
    form.txtLoad.text = typed;
    form.LoadEntered();
    EXPECT_DOUBLE_EQ(bench.Channel(50)->load, load) << typed;
    EXPECT_EQ(form.txtLoad.text, field) << typed;
    EXPECT_EQ(form.sldLoad.value, slider) << typed;
    EXPECT_EQ(form.txtLoad.refusal.empty(), !refused) << typed;
  }
  form.sldLoad.value = 4321;
  form.LoadSliderMoved();
  EXPECT_DOUBLE_EQ(bench.Channel(50)->load, 432.1);
  EXPECT_EQ(form.txtLoad.text, "432.1");
  form.ZeroLoadClick();
  EXPECT_DOUBLE_EQ(bench.Channel(50)->load, 0.0);
}

// The excitation meter: the bench window and guidance scenarios.
TEST_F(BenchFormTest, MetersReadTheCardToFourDecimalsAsItChanges) {
  Show(64);
  bench.SetLoad(64, 333.3);  // changed elsewhere: the next tick shows it
  form.MeterTick();
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.4f", bench.Readback(64)->outputVolts);
  EXPECT_EQ(form.lblVoltmeterOutput.caption, expected);
  EXPECT_EQ(form.txtLoad.text, "333.3");
}

TEST_F(BenchFormTest, FollowsTheMainGridUntilAChannelIsPicked) {
  Show(18);
  gridChannel = 24;  // a base channel row without a card on the rack: stays
  form.MeterTick();
  EXPECT_EQ(form.Channel(), 18);
  form.cboBenchChannel.listIndex = 10;
  form.BenchChannelClick();
  EXPECT_EQ(form.Channel(), 34);
  EXPECT_FALSE(form.chkFollowGrid.checked);
  gridChannel = 19;
  form.MeterTick();
  EXPECT_EQ(form.Channel(), 34);
  form.chkFollowGrid.checked = true;
  form.FollowGridClick();
  EXPECT_EQ(form.Channel(), 19);
  EXPECT_EQ(form.cboBenchChannel.text, "0-1-1   ch 19   SGC10");
}

TEST_F(BenchFormTest, FaultPanelOrdersFaultsFromTheUnit) {
  ASSERT_EQ(unit.acqOpenDevice("SIM-PORTABLE"), kAcqOk);
  form.txtFaultCode.text = "2.5";
  form.FailNextClick();
  EXPECT_EQ(form.lblFaultStatus.caption, "Give an operation and a code other than 0.");
  form.txtFaultCode.text = "3";
  form.cboFaultOperation.Select(6);  // acqOnlineStatus
  form.FailNextClick();
  EXPECT_EQ(form.lblFaultStatus.caption, "The next acqOnlineStatus fails with code 3.");
  std::string empty;
  EXPECT_EQ(unit.acqOnlineStatus(empty), 3);
  EXPECT_EQ(unit.acqOnlineStatus(empty), kAcqOk);  // once only

  form.chkOffline.checked = true;
  form.OfflineClick();
  EXPECT_FALSE(bench.IsOnline());
}

}  // namespace
}  // namespace vernium
