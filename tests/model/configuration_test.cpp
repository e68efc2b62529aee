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

auto Fields(const ChannelConfig& c) {
  return std::tie(c.M, c.B, c.ChannelLabel, c.FilterOption, c.Active, c.Calibrated, c.CardType,
                  c.Units, c.Excitation, c.Sensitivity, c.FullLoad, c.MaxLoad, c.Tare, c.FilterOn,
                  c.GainX2, c.DCCoupled, c.Pnt1Volts, c.Pnt1Value, c.Pnt2Volts, c.Pnt2Value,
                  c.ShuntCalValue);
}

TEST(ResetChannel, RestoresTheResetValuesAndZeroesBothSettings) {
  for (bool keep : {false, true}) {
    Configuration config;
    config.Channels[40] = {1.f,      2.f,      "1-1-0", "On",  kTrue16, "Yes", "SGC50",
                           "kg",     5.f,      0.003f,  500.f, 400.f,   10.f,  kTrue16,
                           kFalse16, kFalse16, 0.001f,  1.f,   0.01f,   2.f,   3.f};
    config.Channels[41].Units = "kg";
    config.Calc[40] = {150.f, 1.5f, 0.2f};
    config.Actual[40] = {149.f, 1.49f, 0.1f, 2};
    ResetChannel(config, 40, keep);
    ChannelConfig expected;
    expected.CardType = keep ? "SGC50" : "No Card";
    EXPECT_TRUE(Fields(config.Channels[40]) == Fields(expected)) << keep;
    const CalcSettings& calc = config.Calc[40];
    const ActualSettings& actual = config.Actual[40];
    EXPECT_EQ(std::tie(calc.InputGain, calc.ScalingGain, calc.Offset),
              std::make_tuple(0.f, 0.f, 0.f));
    EXPECT_EQ(std::tie(actual.InputGain, actual.ScalingGain, actual.Offset, actual.FilterGain),
              std::make_tuple(0.f, 0.f, 0.f, 0));
    EXPECT_EQ(config.Channels[41].Units, "kg");
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
