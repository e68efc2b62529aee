#include "model/configuration.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vernium {
namespace {

struct LabelCase {
  const char* label;
  const char* cardType;
  int channel;
  friend std::ostream& operator<<(std::ostream& os, const LabelCase& c) {
    return os << c.label << " " << c.cardType;
  }
};

class ChannelFromLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ChannelFromLabelTest, MapsLabelAndCardTypeToChannel) {
  const auto& c = GetParam();
  EXPECT_EQ(ChannelFromLabel(c.label, c.cardType), c.channel) << c.label << " " << c.cardType;
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ChannelFromLabelTest,
    ::testing::Values(LabelCase{"3-1-5", "SGC50A", 77}, LabelCase{"3-1-1", "SGC10", 67},
                      LabelCase{"3", "No Card", 79}, LabelCase{"0", "No Card", 31},
                      LabelCase{"15", "No Card", 271}, LabelCase{"2-1-0", "SGC10", 50},
                      LabelCase{"2-1-0", "SGC50", 56}, LabelCase{"0-0-0", "SGC10", 16},
                      LabelCase{"0-0-0", "SGC50B", 16}, LabelCase{"15-1-7", "SGC50", 271},
                      LabelCase{"15-7-1", "SGC10", 271}, LabelCase{"No Card", "No Card", 0},
                      LabelCase{"1-0-3", "other", 0}));

TEST(InitTables, EmptiesEveryBaseChannelAndChannel) {
  Configuration config;
  config.Base[4].ChanCount = 8;
  config.Base[4].ChanLabel[3] = "4-0-3";
  config.Base[4].Filter[3] = "On, standard gain X2";
  config.Base[4].Coupling[3] = "AC";
  config.Base[4].CalStatus[3] = "12-05-2026";
  config.Base[4].CardType[3] = "SGC50";
  config.Channels[83].CardType = "SGC50";
  config.Channels[83].Calibrated = "Yes";
  config.Channels[83].ChannelLabel = "4-0-3";
  config.Channels[83].Excitation = 5.0f;

  InitTables(config);

  for (int b = 0; b < kBaseChannels; ++b) {
    EXPECT_EQ(config.Base[b].Name, std::to_string(b));
    EXPECT_EQ(config.Base[b].ChanCount, 0);
    for (int s = 0; s < kSlots; ++s) {
      EXPECT_EQ(config.Base[b].ChanLabel[s], "No Card");
      EXPECT_EQ(config.Base[b].Filter[s], "Bypass");
      EXPECT_EQ(config.Base[b].Coupling[s], "DC");
      EXPECT_EQ(config.Base[b].CalStatus[s], "No");
      EXPECT_EQ(config.Base[b].CardType[s], "No Card");
    }
  }
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    EXPECT_EQ(config.Channels[n].CardType, "No Card");
    EXPECT_EQ(config.Channels[n].Calibrated, "No");
    EXPECT_EQ(config.Channels[n].ChannelLabel, "No Card");
  }
  // Parameters are not part of the initialisation; the next refill resets them.
  EXPECT_EQ(config.Channels[83].Excitation, 5.0f);
}

class ResetChannelTest : public ::testing::TestWithParam<bool> {};

TEST_P(ResetChannelTest, RestoresResetValuesAndZeroesSettings) {
  const bool keep = GetParam();
  Configuration config;
  ChannelConfig& ch = config.Channels[40];
  ch = ChannelConfig{1.f, 2.f, "1-1-0", "On, standard gain X2", kTrue16, "Yes", "SGC50",
                     "Kilogram", 5.f, 0.003f, 500.f, 400.f, 10.f, kTrue16, kFalse16,
                     kFalse16, 0.001f, 1.f, 0.01f, 2.f, 3.f};
  config.Calc[40] = {150.f, 1.5f, 0.2f};
  config.Actual[40] = {149.f, 1.49f, 0.1f, 2};

  ResetChannel(config, 40, keep);

  const ChannelConfig fresh;
  EXPECT_EQ(ch.CardType, keep ? "SGC50" : "No Card");
  EXPECT_EQ(ch.M, 0.f);
  EXPECT_EQ(ch.B, 0.f);
  EXPECT_EQ(ch.ChannelLabel, "");
  EXPECT_EQ(ch.FilterOption, "");
  EXPECT_EQ(ch.Active, kFalse16);
  EXPECT_EQ(ch.Calibrated, "No");
  EXPECT_EQ(ch.Units, "Pounds");
  EXPECT_EQ(ch.Excitation, 10.0f);
  EXPECT_EQ(ch.Sensitivity, 0.002f);
  EXPECT_EQ(ch.FullLoad, 1000.0f);
  EXPECT_EQ(ch.MaxLoad, 800.0f);
  EXPECT_EQ(ch.Tare, 65.0f);
  EXPECT_EQ(ch.FilterOn, kFalse16);
  EXPECT_EQ(ch.GainX2, kTrue16);
  EXPECT_EQ(ch.DCCoupled, kTrue16);
  EXPECT_EQ(ch.Pnt1Volts, 0.f);
  EXPECT_EQ(ch.Pnt1Value, 0.f);
  EXPECT_EQ(ch.Pnt2Volts, 0.02f);
  EXPECT_EQ(ch.Pnt2Value, 1000.f);
  EXPECT_EQ(ch.ShuntCalValue, 0.f);
  EXPECT_EQ(config.Calc[40].InputGain, 0.f);
  EXPECT_EQ(config.Calc[40].ScalingGain, 0.f);
  EXPECT_EQ(config.Calc[40].Offset, 0.f);
  EXPECT_EQ(config.Actual[40].InputGain, 0.f);
  EXPECT_EQ(config.Actual[40].ScalingGain, 0.f);
  EXPECT_EQ(config.Actual[40].Offset, 0.f);
  EXPECT_EQ(config.Actual[40].FilterGain, 0);
  // Neighbours are untouched.
  EXPECT_EQ(config.Channels[41].Units, fresh.Units);
}

INSTANTIATE_TEST_SUITE_P(KeepCardType, ResetChannelTest, ::testing::Bool());

TEST(ClampCurrentChannel, BringsOutOfRangeChannelsBackTo16) {
  for (auto [before, after] : {std::pair{0, 16}, {15, 16}, {16, 16}, {100, 100}, {271, 271},
                               {272, 16}, {-4, 16}}) {
    Configuration config;
    config.CurrentChannel = static_cast<std::int16_t>(before);
    ClampCurrentChannel(config);
    EXPECT_EQ(config.CurrentChannel, after) << before;
  }
}

TEST(ParameterFormTexts, ShowsRecordInGeneralFormatWithMillivolts) {
  ChannelConfig ch;
  ch.Units = "Newtons";
  ch.Excitation = 7.5f;
  ch.Sensitivity = 0.0025f;
  ch.Pnt1Volts = 0.0125f;
  ch.ShuntCalValue = 450.f;
  const auto t = ParameterFormTextsFor(ch);
  EXPECT_EQ(t.txtExcite, "7.5");
  EXPECT_EQ(t.txtSense, "2.5");
  EXPECT_EQ(t.txtUnits, "Newtons");
  EXPECT_EQ(t.txtFullLoad, "1000");
  EXPECT_EQ(t.txtMaxLoad, "800");
  EXPECT_EQ(t.txtOffset, "65");
  EXPECT_EQ(t.txtPnt1mVolts, "12.5");
  EXPECT_EQ(t.txtPnt1Value, "0");
  EXPECT_EQ(t.txtPnt2mVolts, "20");
  EXPECT_EQ(t.txtPnt2Value, "1000");
  EXPECT_EQ(t.txtShuntCalValue, "450");
}

TEST(IndexedTableDeathTest, IndexOutsideTheTableStopsTheProgram) {
  Configuration config;
  EXPECT_DEATH(config.Channels[15].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Channels[274].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Base[16].ChanCount = 1, "invariant broken");
  EXPECT_DEATH(config.Base[0].ChanLabel[16] = "x", "invariant broken");
  config.Channels[273].M = 1.f;  // the last record exists
  EXPECT_EQ(config.Channels[273].M, 1.f);
}

TEST(BaseOfLabel, ReadsTheNumberBeforeTheFirstDash) {
  EXPECT_EQ(BaseOfLabel("3-1-5"), 3);
  EXPECT_EQ(BaseOfLabel("12"), 12);
  EXPECT_EQ(BaseOfLabel("15-0-0"), 15);
  EXPECT_EQ(BaseOfLabel(""), 0);
}

}  // namespace
}  // namespace vernium
