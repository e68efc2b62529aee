#include "model/configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vernium {
namespace {

TEST(ChannelFromLabel, MapsLabelAndCardTypeToChannel) {
  struct Row {
    const char* label;
    std::string_view cardType;
    int channel;
  };
  const Row rows[] = {{"3-1-5", kSGC50A, 77},  {"3-1-1", kSGC10, 67},  {"2-1-0", kSGC10, 50},
                      {"2-1-0", kSGC50, 56},   {"0-0-0", kSGC50B, 16}, {"15-7-1", kSGC10, 271},
                      {"15-1-7", kSGC50, 271}, {"0", kNoCard, 31},     {"15", kNoCard, 271},
                      {"No Card", kNoCard, 0}, {"1-0-3", "other", 0}};
  for (const Row& r : rows) EXPECT_EQ(ChannelFromLabel(r.label, r.cardType), r.channel) << r.label;
}

TEST(InitTables, EmptiesEveryBaseChannelAndChannelButKeepsTheParameters) {
  Configuration config;
  config.Base[4].ChanCount = 8;
  config.Base[4].Filter[7] = "On, standard gain X2";
  config.Channels[83].CardType = "SGC50";
  config.Channels[83].Calibrated = "Yes";
  config.Channels[83].Excitation = 5.0f;
  InitTables(config);
  for (int b = 0; b < kBaseChannels; ++b) {
    const BaseChannel& base = config.Base[b];
    EXPECT_EQ(base.Name + "/" + std::to_string(base.ChanCount), std::to_string(b) + "/0");
    for (int s = 0; s < kSlots; ++s) {
      EXPECT_EQ(base.ChanLabel[s] + base.Filter[s] + base.Coupling[s] + base.CalStatus[s] +
                    base.CardType[s],
                "No CardBypassDCNoNo Card");
    }
  }
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    const ChannelConfig& c = config.Channels[n];
    EXPECT_EQ(c.CardType + "/" + c.Calibrated + "/" + c.ChannelLabel, "No Card/No/No Card") << n;
  }
  EXPECT_EQ(config.Channels[83].Excitation, 5.0f);
}

// Which fields a removed or refilled channel keeps is the card panel's and the
// grid's tests (tests/shell); its settings are emptied with it.
TEST(ResetChannel, EmptiesTheChannelsSettingsAndNoOtherChannels) {
  Configuration config;
  for (const int n : {40, 41}) {
    config.Calc[n] = {150.f, 1.5f, 0.2f};
    config.Actual[n] = {149.f, 1.49f, 0.1f, 2};
  }
  ResetChannel(config, 40, true);
  const CalcSettings& calc = config.Calc[40];
  const ActualSettings& actual = config.Actual[40];
  EXPECT_EQ(std::tie(calc.InputGain, calc.ScalingGain, calc.Offset),
            std::make_tuple(0.f, 0.f, 0.f));
  EXPECT_EQ(std::tie(actual.InputGain, actual.ScalingGain, actual.Offset, actual.FilterGain),
            std::make_tuple(0.f, 0.f, 0.f, 0));
  EXPECT_EQ(config.Calc[41].InputGain + config.Actual[41].InputGain, 299.f);
}

TEST(ClampCurrentChannel, BringsOutOfRangeChannelsBackTo16) {
  for (auto [before, after] : {std::pair{15, 16}, {16, 16}, {271, 271}, {272, 16}, {-4, 16}}) {
    Configuration config;
    config.CurrentChannel = static_cast<std::int16_t>(before);
    ClampCurrentChannel(config);
    EXPECT_EQ(config.CurrentChannel, after) << before;
  }
}

TEST(ParameterFormTexts, ShowTheRecordInGeneralFormatWithMillivolts) {
  ChannelConfig ch;
  ch.Units = "Newtons";
  ch.Excitation = 7.5f;
  ch.Sensitivity = 0.0025f;
  ch.Pnt1Volts = 0.0125f;
  ch.ShuntCalValue = 450.f;
  const ParameterFormTexts t = ParameterFormTextsFor(ch);
  EXPECT_EQ((std::vector<std::string>{t.txtExcite, t.txtSense, t.txtUnits, t.txtFullLoad,
                                      t.txtMaxLoad, t.txtOffset, t.txtPnt1mVolts, t.txtPnt1Value,
                                      t.txtPnt2mVolts, t.txtPnt2Value, t.txtShuntCalValue}),
            (std::vector<std::string>{"7.5", "2.5", "Newtons", "1000", "800", "65", "12.5", "0",
                                      "20", "1000", "450"}));
}

TEST(IndexedTableDeathTest, IndexOutsideTheTableStopsTheProgram) {
  Configuration config;
  EXPECT_DEATH(config.Channels[15].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Channels[274].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Base[0].ChanLabel[16] = "x", "invariant broken");
  config.Channels[273].M = 1.f;  // the last record exists
  EXPECT_EQ(config.Channels[273].M, 1.f);
}

}  // namespace
}  // namespace vernium
