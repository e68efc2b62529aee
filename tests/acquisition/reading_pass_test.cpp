#include "acquisition/reading_pass.h"

#include <gtest/gtest.h>

#include "acq_test_support.h"

namespace vernium {
namespace {

using namespace testing;

// lblMaximum, lblMinimum and lblRange for the bypass and the filter column,
// then lblScalingGain, lblOffset, lblInputGain, lblCurBridge, lblOutVolts(0..3).
std::string Captions(const ReadingControls& c) {
  std::string texts;
  for (const Label* label :
       {&c.lblMaximum[0], &c.lblMinimum[0], &c.lblRange[0], &c.lblMaximum[1], &c.lblMinimum[1],
        &c.lblRange[1], &c.lblScalingGain, &c.lblOffset, &c.lblInputGain, &c.lblCurBridge,
        &c.lblOutVolts[0], &c.lblOutVolts[1], &c.lblOutVolts[2], &c.lblOutVolts[3]}) {
    texts += label->caption + "|";
  }
  return texts;
}

TEST(ShowReadings, ShowsEveryDerivedValueInItsFormat) {
  const std::pair<std::array<float, 4>, std::string> cases[] = {
      // Gin = 0.5 x 200 = 100, Gs = 2, Off = 0.1 / 100, Bridge = 1.4 / 200.
      {{1.2f, -0.1f, 0.8f, 0.4f},
       "26.0|-24.0|50.0|13.5|-11.5|25.0|2.0|-1.0|100|7.0|1.20|-0.10|0.80|0.40|"},
      // V3 = 0: no scale gain, no bridge and no valid input range.
      {{1.0f, -0.1f, 0.8f, 0.0f}, "0.0|0.0|0.0|0.0|0.0|0.0|.0|-5.0|20|0.0|1.00|-0.10|0.80|0.00|"},
      // V3 = V1: no input gain (an empty text), offset and bridge 0.
      {{1.0f, 0.3f, 0.6f, 0.3f}, "0.0|0.0|0.0|0.0|0.0|0.0|2.0|0.0||0.0|1.00|0.30|0.60|0.30|"}};
  for (const auto& [volts, texts] : cases) {
    ReadingControls controls;
    ShowReadings(DeriveReadings(volts, 32768, 32768), ReadingLoopState{}, controls);
    EXPECT_EQ(Captions(controls), texts);
  }
}

TEST(RailState, ComparesTheSmallestHeadroomInSinglePrecision) {
  EXPECT_FLOAT_EQ(Headroom(std::array<float, 4>{0.0f, 1.0f, -2.0f, 4.95f}), 5.0f - 4.95f);
  EXPECT_FLOAT_EQ(Headroom(std::array<float, 3>{-4.99f, 1.0f, 0.0f}), -4.99f + 5.0f);
  EXPECT_EQ(Headroom(std::span<const float>{}), 20.0f);
  // 0.1f lies above 0.1 in double precision: still only close.
  const std::tuple<float, std::int16_t, int> cases[] = {
      {0.1000001f, kRailFine, kRailPictureOK},
      {0.1f, kRailClose, kRailPictureCaution},
      {0.0200001f, kRailClose, kRailPictureCaution},
      {0.02f, kRailRailed, kRailPictureStop}};
  for (const auto& [headroom, state, picture] : cases) {
    EXPECT_EQ(RailStateFor(headroom), state) << headroom;
    EXPECT_EQ(RailPictureFor(state), picture);
  }
  EXPECT_EQ(RailPictureFor(0), kRailPictureClear);
}

// Passes of 10 scans on channel 20 of the simulated unit, exact and immediate.
struct ScriptedPass : ::testing::Test {
  ScriptedPass() {
    RangeCountsToVolts(unsignedCountsToVolts, signedCountsToVolts);
    state.Running = true;
    EXPECT_TRUE(pass.Start(20, "10", nullptr));
  }
  void FailWith(AcqStatus code) {
    acq.Bench().FailOperation("acqAdcSetScan", code, FaultRepeat::UntilCleared);
  }
  PassOutcome Run() { return pass.RunPass(state, controls, actual); }

  ExactLib acq;
  TraceSink trace;
  ScriptedClock clock;
  clsXferFunc unsignedCountsToVolts, signedCountsToVolts;
  ScriptedMessageBoxes boxes;
  ReadingPass pass{{acq, trace, unsignedCountsToVolts, boxes, clock}};
  ReadingLoopState state;
  ReadingControls controls;
  ActualSettings actual;
};

std::string Lost(int code) {
  return "Error:" + std::to_string(code) + "  Lost communications with device.|Vernium|critical|OK";
}

// The box for a count refused: the diagnostics scenario of failures.
TEST(ScanCount, IsTheRoundedLeadingNumberFromOneTo32767) {
  const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
      {"50 scans", 50},     {"12.5", 12},          {"13.5", 14},
      {"0.6", 1},           {"32767", 32767},      {"0.4", std::nullopt},
      {"-3", std::nullopt}, {"abc", std::nullopt}, {"32768", std::nullopt}};
  for (const auto& [text, count] : cases) EXPECT_EQ(ScanCountFromText(text), count) << text;
}

// Codes 2, 3 and 5: four in a row are passed over and a good pass clears the
// count; the fifth ends the loop. Any other code ends it at once.
class FailedReading : public ScriptedPass, public ::testing::WithParamInterface<AcqStatus> {};

TEST_P(FailedReading, IsRetriedFourTimesOnlyWhenTransient) {
  const AcqStatus code = GetParam();
  const int retries = code == 2 || code == 3 || code == 5 ? 4 : 0;
  FailWith(code);
  for (int i = 0; i < retries; ++i) ASSERT_EQ(Run(), PassOutcome::Retried);
  EXPECT_EQ(Captions(controls), Captions(ReadingControls{})) << "a retry shows nothing";
  EXPECT_EQ(actual.InputGain, 0.0f) << "a retry stores nothing";
  acq.Bench().ClearOperationFault("acqAdcSetScan");
  ASSERT_EQ(Run(), PassOutcome::Shown);
  const std::string shown = Captions(controls);
  FailWith(code);
  for (int i = 0; i < retries; ++i) ASSERT_EQ(Run(), PassOutcome::Retried);
  state.RailState = kRailClose;
  EXPECT_EQ(Run(), PassOutcome::Failed);
  EXPECT_EQ(Boxes(boxes), Strings{Lost(code)});
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(state.RailState, kRailFine);
  EXPECT_EQ(Captions(controls), shown) << "the values shown stay";
}

INSTANTIATE_TEST_SUITE_P(Codes, FailedReading, ::testing::Values(1, 2, 3, 4, 5, 6));

TEST_F(ScriptedPass, APreparationFailureReportsTheLastAcquisitionsCode) {
  acq.Bench().FailOperation("acqAdcPrepare", 7);
  EXPECT_EQ(Run(), PassOutcome::Failed);
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  state.Running = true;
  acq.Bench().FailOperation("acqAdcSetScan", 3);
  EXPECT_EQ(Run(), PassOutcome::Retried);
  acq.Bench().FailOperation("acqAdcPrepare", 7);
  EXPECT_EQ(Run(), PassOutcome::Failed);
  EXPECT_EQ(Boxes(boxes), (Strings{Lost(0), Lost(3)}));
}

TEST_F(ScriptedPass, AnArithmeticFaultInTheConversionEndsTheLoop) {
  ASSERT_EQ(Run(), PassOutcome::Shown);
  const std::string shown = Captions(controls);
  unsignedCountsToVolts.SetXferM(1e308);  // every count overflows
  EXPECT_EQ(Run(), PassOutcome::Failed);
  EXPECT_EQ(Boxes(boxes), Strings{Lost(0)});
  EXPECT_EQ(Captions(controls), shown);
}

TEST_F(ScriptedPass, AStopDuringTheAcquisitionKeepsTheRailStateIdle) {
  SetKnobs(acq.Bench(), 20, {1.0, 0.5, 1.0, 0.6});  // full excitation and gain: railed
  acq.Bench().SetLoad(20, 1000.0);
  AcquiredBlock block;
  pass.Acquire(block);
  ASSERT_EQ(pass.Apply(block, state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(state.RailState, kRailRailed);
  EXPECT_EQ(controls.imgRail.pictureIndex, kRailPictureStop);
  pass.Acquire(block);
  state.Stop();  // pressed meanwhile
  ASSERT_EQ(pass.Apply(block, state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(state.RailState, kRailFine);
}

}  // namespace
}  // namespace vernium
