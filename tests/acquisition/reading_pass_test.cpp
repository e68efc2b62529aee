#include "acquisition/reading_pass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "acq_call_recorder.h"
#include "acquisition/simulated_unit.h"
#include "acquisition/sw_delay.h"
#include "model/numeric_text.h"

namespace vernium {
namespace {

using testing::ScriptedAcqLib;

// Every label a pass writes, "x" until a pass shows something.
ReadingControls UntouchedControls() {
  ReadingControls c;
  for (auto* group : {&c.lblMaximum, &c.lblMinimum, &c.lblRange}) {
    for (auto& label : *group) label.caption = "x";
  }
  for (auto* label : {&c.lblMaxBridge, &c.lblMinBridge, &c.lblScalingGain, &c.lblOffset,
                      &c.lblInputGain, &c.lblCurBridge}) {
    label->caption = "x";
  }
  for (auto& label : c.lblOutVolts) label.caption = "x";
  return c;
}

std::vector<std::string> Captions(const ReadingControls& c) {
  return {c.lblMaximum[0].caption, c.lblMinimum[0].caption, c.lblRange[0].caption,
          c.lblMaximum[1].caption, c.lblMinimum[1].caption, c.lblRange[1].caption,
          c.lblScalingGain.caption, c.lblOffset.caption,    c.lblInputGain.caption,
          c.lblCurBridge.caption,  c.lblOutVolts[0].caption, c.lblOutVolts[1].caption,
          c.lblOutVolts[2].caption, c.lblOutVolts[3].caption};
}

// --- What a block shows ---------------------------------------------------

struct DeriveCase {
  const char* name;
  std::array<float, 4> volts;
  // lblMaximum(0), lblMinimum(0), lblRange(0), the same for (1), then
  // lblScalingGain, lblOffset, lblInputGain, lblCurBridge, lblOutVolts(0..3).
  std::vector<std::string> texts;
  friend std::ostream& operator<<(std::ostream& os, const DeriveCase& c) { return os << c.name; }
};

class DerivedTexts : public ::testing::TestWithParam<DeriveCase> {};

std::string DeriveCaseName(const ::testing::TestParamInfo<DeriveCase>& p) { return p.param.name; }

TEST_P(DerivedTexts, ShowEveryValueInItsFormat) {
  const DeriveCase& c = GetParam();
  const PassReadings r = DeriveReadings(c.volts, 32768, 32768);
  ReadingLoopState state;
  ReadingControls controls = UntouchedControls();
  ShowReadings(r, state, controls);
  EXPECT_EQ(Captions(controls), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DerivedTexts,
    ::testing::Values(
        // Gin = 0.5 x 200 = 100, Gs = 2, Off = 0.1 / 100, Bridge = 1.4 / 200.
        DeriveCase{"typical",
                   {1.2f, -0.1f, 0.8f, 0.4f},
                   {"26.0", "-24.0", "50.0", "13.5", "-11.5", "25.0", "2.0", "-1.0", "100",
                    "7.0", "1.20", "-0.10", "0.80", "0.40"}},
        // V3 = 0: no scale gain, no bridge and no valid input range.
        DeriveCase{"v3_zero",
                   {1.0f, -0.1f, 0.8f, 0.0f},
                   {"0.0", "0.0", "0.0", "0.0", "0.0", "0.0", ".0", "-5.0", "20", "0.0",
                    "1.00", "-0.10", "0.80", "0.00"}},
        // V3 = V1: no input gain (an empty text), offset and bridge 0.
        DeriveCase{"v3_equals_v1",
                   {1.0f, 0.3f, 0.6f, 0.3f},
                   {"0.0", "0.0", "0.0", "0.0", "0.0", "0.0", "2.0", "0.0", "", "0.0", "1.00",
                    "0.30", "0.60", "0.30"}},
        // A scale gain below 1 shows without a leading zero.
        DeriveCase{"scale_gain_below_one",
                   {0.5f, 0.0f, 0.25f, 0.5f},
                   {"100.0", "-100.0", "200.0", "50.0", "-50.0", "100.0", ".5", "0.0", "100",
                    "10.0", "0.50", "0.00", "0.25", "0.50"}}),
    DeriveCaseName);

TEST(DerivedValues, BridgeExtremesReferTheCardOutputCountsToTheInput) {
  // Gs x Gin = 200 and Off = 0.001 V: 0 counts is -5 V, 65535 counts +5 V.
  const PassReadings r = DeriveReadings({1.2f, -0.1f, 0.8f, 0.4f}, 0, 65535);
  EXPECT_NEAR(r.BlockMinBridge, -5.0 / 200.0 + 0.001, 1e-7);
  EXPECT_NEAR(r.BlockMaxBridge, 5.0 / 200.0 + 0.001, 1e-7);
  // Without a gain to refer them through both are 0.
  const PassReadings none = DeriveReadings({1.0f, -0.1f, 0.8f, 0.0f}, 0, 65535);
  EXPECT_EQ(none.BlockMinBridge, 0.0f);
  EXPECT_EQ(none.BlockMaxBridge, 0.0f);
}

// --- Rail headroom --------------------------------------------------------

struct RailCase {
  float headroom;
  std::int16_t state;
  int picture;
  friend std::ostream& operator<<(std::ostream& os, const RailCase& c) {
    return os << "headroom " << c.headroom;
  }
};

class RailThresholds : public ::testing::TestWithParam<RailCase> {};

TEST_P(RailThresholds, AreComparedInSinglePrecision) {
  EXPECT_EQ(RailStateFor(GetParam().headroom), GetParam().state);
  EXPECT_EQ(RailPictureFor(RailStateFor(GetParam().headroom)), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Headroom, RailThresholds,
    ::testing::Values(RailCase{5.0f, kRailFine, kRailPictureOK},
                      RailCase{0.1000001f, kRailFine, kRailPictureOK},
                      // 0.1f lies above 0.1 in double precision: still only close.
                      RailCase{0.1f, kRailClose, kRailPictureCaution},
                      RailCase{0.05f, kRailClose, kRailPictureCaution},
                      RailCase{0.0200001f, kRailClose, kRailPictureCaution},
                      RailCase{0.02f, kRailRailed, kRailPictureStop},
                      RailCase{0.0f, kRailRailed, kRailPictureStop},
                      RailCase{-0.3f, kRailRailed, kRailPictureStop}));

TEST(RailHeadroom, IsTheSmallestDistanceToEitherRail) {
  EXPECT_FLOAT_EQ(Headroom(std::array<float, 4>{0.0f, 1.0f, -2.0f, 4.95f}), 5.0f - 4.95f);
  EXPECT_FLOAT_EQ(Headroom(std::array<float, 4>{-4.99f, 1.0f, 0.0f, 4.0f}), -4.99f + 5.0f);
  EXPECT_FLOAT_EQ(Headroom(std::array<float, 4>{0.0f, 0.0f, 0.0f, 0.0f}), 5.0f);
  EXPECT_FLOAT_EQ(Headroom(std::span<const float>{}), 20.0f);
  EXPECT_EQ(RailPictureFor(0), kRailPictureClear);
}

// --- Scan count -----------------------------------------------------------

struct ScanCountCase {
  const char* text;
  std::optional<std::int16_t> count;
  friend std::ostream& operator<<(std::ostream& os, const ScanCountCase& c) {
    return os << '"' << c.text << '"';
  }
};

class ScanCount : public ::testing::TestWithParam<ScanCountCase> {};

TEST_P(ScanCount, IsTheRoundedLeadingNumberFromOneTo32767) {
  EXPECT_EQ(ScanCountFromText(GetParam().text), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScanCount,
    ::testing::Values(ScanCountCase{"100", 100}, ScanCountCase{"50 scans", 50},
                      ScanCountCase{"12.5", 12}, ScanCountCase{"13.5", 14},
                      ScanCountCase{"1", 1}, ScanCountCase{"32767", 32767},
                      ScanCountCase{"0.6", 1}, ScanCountCase{"0.4", std::nullopt},
                      ScanCountCase{"0", std::nullopt}, ScanCountCase{"-3", std::nullopt},
                      ScanCountCase{"abc", std::nullopt}, ScanCountCase{"", std::nullopt},
                      ScanCountCase{"32768", std::nullopt},
                      ScanCountCase{"1e9", std::nullopt}));

// --- Passes on a scripted library ----------------------------------------

struct ScriptedPass : ::testing::Test {
  ScriptedPass() {
    RangeCountsToVolts(unsignedCountsToVolts, signedCountsToVolts);
    // Every scan reads 45000, 30000, 40000, 35000 counts.
    for (int s = 0; s < 10; ++s) acq.samples.insert(acq.samples.end(), {45000, 30000, 40000, 35000});
    state.Running = true;
  }
  void FailWith(AcqStatus code) {
    acq.failures["acqAdcSetScan"] = code;
    acq.lastErrorCode = code;
  }
  void Heal() { acq.failures.clear(); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : boxes.Shown()) texts.push_back(m.text);
    return texts;
  }

  ScriptedAcqLib acq;
  TraceSink trace;
  ScriptedClock clock;
  clsXferFunc unsignedCountsToVolts;
  clsXferFunc signedCountsToVolts;
  ScriptedMessageBoxes boxes;
  ReadingPass pass{{acq, trace, unsignedCountsToVolts, boxes, clock}};
  ReadingLoopState state;
  ReadingControls controls = UntouchedControls();
  ActualSettings actual;
};

TEST_F(ScriptedPass, RefusesAScanCountOfZeroBeforeStarting) {
  EXPECT_FALSE(pass.Start(16, "0", nullptr));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(acq.calls.empty());
  EXPECT_TRUE(pass.Start(16, "10", nullptr));
  EXPECT_EQ(pass.ScanCount(), 10);
}

TEST_F(ScriptedPass, AGoodBlockIsShownAndStoredWithTheOffsetInMillivolts) {
  ASSERT_TRUE(pass.Start(20, "10", nullptr));
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(acq.scanChannels, (std::vector<std::int32_t>{20, 20, 20, 20}));
  EXPECT_EQ(acq.acqArgs[2], 10);
  const auto volts = [](double count) { return static_cast<float>(count * 10.0 / 65535.0 - 5.0); };
  const float v1 = volts(30000), v2 = volts(40000), v3 = volts(35000);
  const float gin = (v3 - v1) * 200.0f;
  const float gs = v2 / v3;
  const float off = -v1 / gin;
  EXPECT_FLOAT_EQ(actual.InputGain, gin);
  EXPECT_FLOAT_EQ(actual.ScalingGain, gs);
  EXPECT_FLOAT_EQ(actual.Offset, -off * 1000.0f);
  EXPECT_EQ(controls.lblOutVolts[0].caption, "1.87");  // 45000 counts
  EXPECT_EQ(controls.lblInputGain.caption, "153");     // 5000 counts over 5 mV
  EXPECT_EQ(state.RailState, kRailFine);
  EXPECT_EQ(controls.imgRail.pictureIndex, kRailPictureOK);
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ScriptedPass, BridgeExtremesHoldUntilReset) {
  // First block: card output from 30000 to 50000 counts; second narrower.
  acq.samples[0] = 30000;
  acq.samples[4] = 50000;
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  const float wideMin = state.MinBridge, wideMax = state.MaxBridge;
  EXPECT_LT(wideMin, wideMax);
  const std::string minText = controls.lblMinBridge.caption;
  EXPECT_EQ(minText, FormatNumber(wideMin * 1000.0f, "0.0"));
  EXPECT_EQ(controls.lblMaxBridge.caption, FormatNumber(wideMax * 1000.0f, "0.0"));

  acq.samples[0] = 44000;
  acq.samples[4] = 46000;
  acq.ResetRecord();
  ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(state.MinBridge, wideMin);
  EXPECT_EQ(state.MaxBridge, wideMax);

  state.ResetBridgeExtremes();
  acq.ResetRecord();
  ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  EXPECT_GT(state.MinBridge, wideMin);
  EXPECT_LT(state.MaxBridge, wideMax);
  EXPECT_LT(state.MinBridge, state.MaxBridge);
}

class TransientCode : public ScriptedPass, public ::testing::WithParamInterface<AcqStatus> {};

TEST_P(TransientCode, FourInARowAreRetriedAndAGoodPassClearsTheCount) {
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  FailWith(GetParam());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Retried) << "failure " << i + 1;
  }
  EXPECT_EQ(Captions(controls), Captions(UntouchedControls())) << "a retry shows nothing";
  EXPECT_EQ(actual.InputGain, 0.0f) << "a retry stores nothing";
  Heal();
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  FailWith(GetParam());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Retried);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_TRUE(state.Running);
}

TEST_P(TransientCode, TheFifthInARowEndsTheLoop) {
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  state.RailState = kRailClose;
  FailWith(GetParam());
  for (int i = 0; i < 4; ++i) ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Retried);
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const ShownMessage& box = boxes.Shown()[0];
  EXPECT_EQ(box.text, "Error:" + std::to_string(GetParam()) + "  Lost communications with device.");
  EXPECT_EQ(box.icon, MsgIcon::Critical);
  EXPECT_EQ(box.buttons, MsgButtons::OK);
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(state.RailState, kRailFine);
}

INSTANTIATE_TEST_SUITE_P(Codes, TransientCode, ::testing::Values(2, 3, 5));

class LastingCode : public ScriptedPass, public ::testing::WithParamInterface<AcqStatus> {};

TEST_P(LastingCode, EndsTheLoopAtOnceLeavingTheValuesShown) {
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  const auto shown = Captions(controls);
  FailWith(GetParam());
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Error:" + std::to_string(GetParam()) +
                                              "  Lost communications with device."});
  EXPECT_EQ(Captions(controls), shown);
  EXPECT_FALSE(state.Running);
}

INSTANTIATE_TEST_SUITE_P(Codes, LastingCode,
                         ::testing::Values(1, 4, 6, 115, 201, kAcqTransferStalled));

TEST_F(ScriptedPass, AStallEndsTheLoopWithItsOwnCode) {
  acq.polls.assign(1000, {1, 3});
  clock.SetStepPerRead(0.5);
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Error:9003  Lost communications with device."});
}

TEST_F(ScriptedPass, APreparationFailureReportsTheLastAcquisitionsCode) {
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  acq.failures["acqAdcPrepare"] = 7;
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  EXPECT_EQ(Texts().back(), "Error:0  Lost communications with device.");

  // After a retried transient failure the report names that code.
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  state.Running = true;
  acq.failures.clear();
  FailWith(3);
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Retried);
  acq.failures["acqAdcPrepare"] = 7;
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  EXPECT_EQ(Texts().back(), "Error:3  Lost communications with device.");
}

TEST_F(ScriptedPass, AnArithmeticFaultInTheConversionEndsTheLoop) {
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  ASSERT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Shown);
  const auto shown = Captions(controls);
  const ActualSettings stored = actual;
  unsignedCountsToVolts.SetXferM(1e308);  // every count overflows
  EXPECT_EQ(pass.RunPass(state, controls, actual), PassOutcome::Failed);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Error:0  Lost communications with device."});
  EXPECT_EQ(Captions(controls), shown);
  EXPECT_EQ(actual.InputGain, stored.InputGain);
}

TEST_F(ScriptedPass, AStopDuringTheAcquisitionKeepsTheRailStateIdle) {
  // Card output at 65500 counts: railed.
  for (std::size_t i = 0; i < acq.samples.size(); i += 4) acq.samples[i] = 65500;
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  AcquiredBlock block;
  pass.Acquire(block);
  ASSERT_EQ(pass.Apply(block, state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(state.RailState, kRailRailed);

  pass.Acquire(block);
  state.Stop();  // the technician pressed Stop meanwhile
  ASSERT_EQ(pass.Apply(block, state, controls, actual), PassOutcome::Shown);
  EXPECT_EQ(state.RailState, kRailFine);
}

// --- The loop --------------------------------------------------------------

// A delay that reads its clock once per millisecond: about 0.3 s a read
// leaves two reads between changes of the whole second.
ScriptedClock SteppingClock(double secondsPerRead) {
  ScriptedClock clock;
  clock.SetStepPerRead(secondsPerRead);
  return clock;
}

struct OneLoopDelay {
  ScriptedClock clock = SteppingClock(0.3);
  clsSwDelay delay{clock};
};

TEST_F(ScriptedPass, UpdateOnceRunsOnePassThenStopsAfterTheWait) {
  OneLoopDelay d;
  ASSERT_EQ(d.delay.LoopsPerMs(), 1);
  const long readsBefore = d.clock.Reads();
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  state.UpdateOnce = true;
  int events = 0;
  RunReadingLoop(pass, state, controls, actual, [&] { ++events; }, d.delay);
  EXPECT_EQ(acq.Count("acqAdcPrepare"), 1);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(d.clock.Reads() - readsBefore, 100) << "the 100 ms wait follows the pass";
  EXPECT_FALSE(state.Running);
  EXPECT_FALSE(state.UpdateOnce);
  EXPECT_EQ(state.RailState, kRailFine);
}

TEST_F(ScriptedPass, ContinuousRunsUntilStoppedBetweenPasses) {
  OneLoopDelay d;
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  int events = 0;
  RunReadingLoop(
      pass, state, controls, actual,
      [&] {
        if (++events == 3) state.Stop();
      },
      d.delay);
  EXPECT_EQ(acq.Count("acqAdcPrepare"), 3);
  EXPECT_FALSE(state.Running);
}

TEST_F(ScriptedPass, ContinuousKeepsGoingThroughFourTransientFailures) {
  OneLoopDelay d;
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  int events = 0;
  RunReadingLoop(
      pass, state, controls, actual,
      [&] {
        ++events;
        if (events == 1) FailWith(5);   // passes 2 to 5 fail
        if (events == 5) Heal();        // pass 6 is good
        if (events == 6) state.Stop();
      },
      d.delay);
  EXPECT_EQ(events, 6);
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ScriptedPass, ContinuousEndsAtTheFailureReportWithoutProcessingEvents) {
  OneLoopDelay d;
  ASSERT_TRUE(pass.Start(16, "10", nullptr));
  int events = 0;
  RunReadingLoop(
      pass, state, controls, actual,
      [&] {
        if (++events == 2) FailWith(9);
      },
      d.delay);
  EXPECT_EQ(events, 2);
  EXPECT_EQ(acq.Count("acqAdcPrepare"), 3);
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_FALSE(state.Running);
}

// --- On the simulated unit -------------------------------------------------

// How far the derived values can move when each of the four readings is off
// by up to half a count, its quantization: the bound a correct computation
// keeps to on an exact unit.
struct QuantizationBound {
  double off = 0.0;
  double bridge = 0.0;
};

QuantizationBound BoundFor(const ChannelReadback& truth, const std::array<double, 4>& v) {
  const double half = 0.5 * 10.0 / 65535.0;
  const double gin = truth.inputGain;
  const double gs = truth.scaleGain;
  const double ginError = 2.0 * half / std::abs(v[3] - v[1]);  // relative
  const double gsError = half / std::abs(v[2]) + half / std::abs(v[3]);
  const double off = truth.offsetVolts / gin;
  const double slack = 1e-5;  // single-precision arithmetic on top
  QuantizationBound b;
  b.off = (half / gin + std::abs(off) * ginError) * (1.0 + ginError + slack);
  b.bridge = ((half + gs * half + std::abs(v[1]) * gs * gsError) / (gs * gin) +
              std::abs(truth.bridgeVolts) * (gsError + ginError)) *
             (1.0 + gsError + ginError + slack);
  return b;
}

// Trimpots turned to random positions: the pass must recover the gains the
// cards really have (to 0.1 %), their offset and the bridge output. The
// bridge comes from the card output less the shorted-input reading times
// the scale gain, so besides half a count of the card output referred to
// the input it carries half a count of the input stage referred through the
// input gain, and the offset reading times the scale gain's own error: the
// bound above. Every third draw has the offset correction trimmed to zero,
// where that last share vanishes. Readings too close to a rail, or a 5 mV
// read-back too small to resolve 0.1 % in counts, lie outside what a reading
// can tell and are drawn again.
TEST(ReadingPassOnSimulatedUnit, RecoversTheTrimpotGainsOffsetAndBridge) {
  SimulatedAcqLib sim;
  sim.Bench().SetPacing(Pacing::Instant);
  sim.Bench().SetNoise(0.0);
  ASSERT_EQ(sim.acqOpenDevice("SIM-PORTABLE"), 0);
  clsXferFunc unsignedCountsToVolts, signedCountsToVolts;
  RangeCountsToVolts(unsignedCountsToVolts, signedCountsToVolts);
  TraceSink trace;
  ScriptedClock clock;
  ScriptedMessageBoxes boxes;
  ReadingPass pass({sim, trace, unsignedCountsToVolts, boxes, clock});
  // The SGC50B reads its test points with CAL2 at CAL.
  ASSERT_TRUE(sim.Bench().SetCal2(71, CalSwitch::Cal));

  std::mt19937 rng(20261205);
  std::uniform_real_distribution<double> position(0.0, 1.0);
  std::uniform_real_distribution<double> load(0.0, 1000.0);
  const int channels[] = {17, 34, 50, 71};  // SGC10, SGC50, SGC50A, SGC50B
  int checked = 0;
  int trimmed = 0;
  for (int draw = 0; draw < 400; ++draw) {
    const int channel = channels[draw % 4];
    for (const Trimpot t : kAllTrimpots) sim.Bench().SetTrimpot(channel, t, position(rng));
    // Every third draw has its offset correction trimmed to zero.
    const bool offsetTrimmed = draw % 3 == 0;
    if (offsetTrimmed) {
      sim.Bench().SetTrimpot(channel, Trimpot::Offset, TrimpotPositionFor(Trimpot::Offset, 0.0));
    }
    sim.Bench().SetLoad(channel, load(rng));
    const auto truth = sim.Bench().Readback(channel);
    ASSERT_TRUE(truth.has_value());
    std::array<double, 4> v{};
    bool inRange = std::abs(truth->inputGain * truth->bridgeVolts - truth->offsetVolts) < 4.9;
    for (int point = 0; point < 4; ++point) {
      v[static_cast<std::size_t>(point)] = sim.Bench().PointVolts(channel, point);
      inRange = inRange && std::abs(v[static_cast<std::size_t>(point)]) < 4.9;
    }
    if (!inRange || std::abs(v[3]) < 0.25) continue;
    ++checked;

    ASSERT_TRUE(pass.Start(static_cast<std::int16_t>(channel), "20", nullptr));
    AcquiredBlock block;
    pass.Acquire(block);
    ASSERT_EQ(block.result, 0);
    const PassReadings r = ComputeReadings(block.buffer, block.scanCount, unsignedCountsToVolts);
    SCOPED_TRACE("channel " + std::to_string(channel) + ", draw " + std::to_string(draw));
    EXPECT_NEAR(r.Gin, truth->inputGain, truth->inputGain * 1e-3);
    EXPECT_NEAR(r.Gs, truth->scaleGain, truth->scaleGain * 1e-3);
    const QuantizationBound bound = BoundFor(*truth, v);
    EXPECT_NEAR(r.Off, truth->offsetVolts / truth->inputGain, bound.off);
    EXPECT_NEAR(r.Bridge, truth->bridgeVolts, bound.bridge);
    trimmed += offsetTrimmed ? 1 : 0;

    ReadingLoopState state;
    state.Running = true;
    ReadingControls controls;
    ActualSettings actual;
    ASSERT_EQ(pass.Apply(block, state, controls, actual), PassOutcome::Shown);
    EXPECT_EQ(actual.InputGain, r.Gin);
    EXPECT_EQ(actual.ScalingGain, r.Gs);
    EXPECT_EQ(actual.Offset, -r.Off * 1000.0f);
  }
  EXPECT_GE(checked, 80) << "too few draws inside the measurable range";
  EXPECT_GE(trimmed, 20);
}

}  // namespace
}  // namespace vernium
