// The diagnostics form over the main window's form and the simulated bench
// (instant, noiseless). Passes run on a deferred runner, so a test decides
// when each acquisition and each wait between passes comes back.
#include "diagnostics/expert_form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "calibration/precal_state.h"
#include "model/numeric_text.h"
#include "shell/main_form_fixture.h"

namespace vernium::testing {
namespace {

class ExpertTest : public MainFormTest {
 protected:
  DeferredRunner runner;
  ExpertForm expert{session, preCal, form.grdChannel, boxes, runner};
  ExpertState& s = expert.state();
  ReadingControls& r = expert.state().readings;
  SimulatedBench& bench = acq.Bench();

  // Card(s) of box `box` declared on base channel `b`; the row of `label`
  // selected.
  void Open(int b, int box, const std::string& label, int cards = 1) {
    bench.SetPacing(Pacing::Instant);
    bench.SetNoise(0.0);
    EXPECT_EQ(acq.acqOpenDevice("SIM-PORTABLE"), 0);
    Load(*acq.OpenDevice());
    RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
    AddCard(b, box, cards);
    Click(label);
    boxes.Clear();
    expert.Load();
  }
  int Chan() const { return config.CurrentChannel; }
  // The wait after the pass shown comes back (the next pass is acquired at
  // once, from the bench as it is now), then that pass comes back.
  void NextPass() {
    EXPECT_TRUE(runner.Deliver());
    EXPECT_TRUE(runner.Deliver());
  }
  static double Number(const Label& label) { return LeadingNumber(label.caption); }
  // How many of the five controls a pass in flight holds are enabled.
  int Enabled() const {
    return s.txtChannel.enabled + s.txtAverage.enabled + s.cmdRun.enabled + s.cmdUpdate.enabled +
           s.cmdReset.enabled;
  }
};

struct CardCase {
  int base, box, cards;
  std::string label;
  double offset, input, scale;  // trimpot positions
};

class ExpertCardTest : public ExpertTest, public ::testing::WithParamInterface<CardCase> {};

TEST_P(ExpertCardTest, UpdateOnceShowsWhatTheCardTrulyDoes) {
  const CardCase& c = GetParam();
  Open(c.base, c.box, c.label, c.cards);
  const int chan = Chan();
  bench.SetCal2(chan, CalSwitch::Cal);  // SGC50B: test points on the read-back lines
  bench.SetTrimpot(chan, Trimpot::Offset, c.offset);
  bench.SetTrimpot(chan, Trimpot::InputGain, c.input);
  bench.SetTrimpot(chan, Trimpot::ScaleGain, c.scale);
  bench.SetLoad(chan, 250.0);
  expert.UpdateClick();
  EXPECT_EQ(Enabled(), 0);
  EXPECT_TRUE(runner.Deliver());  // the pass
  EXPECT_EQ(Enabled(), 0);        // until the wait after it is over
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(Enabled(), 5);
  EXPECT_EQ(runner.Runs(), 2);  // one acquisition, one wait: none pending
  EXPECT_TRUE(expert.DelayReady());  // made by the first wait

  // The input and scaling gains, the offset, the bridge and the first read-back
  // point shown, and the offset stored: the diagnostics scenario.
  const ChannelReadback t = *bench.Readback(chan);
  const double gain = t.scaleGain * t.inputGain;
  const double off = t.offsetVolts / t.inputGain;  // referred to the bridge input
  for (std::size_t k = 0; k < 2; ++k) {
    const double p = gain * static_cast<double>(k + 1);
    EXPECT_NEAR(Number(r.lblMaximum[k]), (5.0 / p + off) * 1000.0, 0.06) << k;
    EXPECT_NEAR(Number(r.lblMinimum[k]), (-5.0 / p + off) * 1000.0, 0.06) << k;
    EXPECT_NEAR(Number(r.lblRange[k]), 10.0 / p * 1000.0, 0.06) << k;
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(Number(r.lblOutVolts[static_cast<std::size_t>(i)]), bench.PointVolts(chan, i),
                0.0051)
        << i;
  }
  EXPECT_NEAR(config.Actual[chan].InputGain, t.inputGain, 0.05);
  EXPECT_NEAR(config.Actual[chan].ScalingGain, t.scaleGain, 0.001);
  expert.RailTimerTick();
  EXPECT_EQ(s.lblStatus.caption, "Idle");
  EXPECT_EQ(r.imgRail.pictureIndex, kRailPictureClear);
}

// The form reads every card alike; each card's read-back points are the
// simulated unit's tests.
INSTANTIATE_TEST_SUITE_P(
    SecondCards, ExpertCardTest,
    ::testing::Values(CardCase{0, 1, 2, "0-1-1", 0.55, 0.4, 0.3},
                      CardCase{3, 4, 2, "3-1-6", 0.48, 0.2, 0.02}));  // scale gain under 1

// The extremes as the load moves, and Reset when idle: the scenario.
TEST_F(ExpertTest, ARunningResetTakesEffectAtTheNextPassAndTheStripHasEachPass) {
  Open(1, 2, "1-0-2");
  const int chan = Chan();
  bench.SetLoad(chan, 600.0);
  expert.RunClick();
  EXPECT_TRUE(runner.Deliver());
  bench.SetLoad(chan, -200.0);
  NextPass();
  const auto& strip = expert.Strip().Points();
  ASSERT_EQ(strip.size(), 2u);
  EXPECT_NEAR(strip[0].bridge * 1000.0, Number(r.lblMaxBridge), 0.06);
  EXPECT_NEAR(strip[1].bridge * 1000.0, Number(r.lblCurBridge), 0.06);
  const std::string maxShown = r.lblMaxBridge.caption;
  expert.ResetClick();
  EXPECT_EQ(r.lblMaxBridge.caption, maxShown);
  NextPass();
  EXPECT_EQ(r.lblMaxBridge.caption, r.lblCurBridge.caption);
  EXPECT_EQ(r.lblMinBridge.caption, r.lblCurBridge.caption);
}

TEST_F(ExpertTest, RailWarningsBlinkUntilHeadroomReturns) {
  Open(1, 2, "1-0-2");
  const int chan = Chan();
  bench.SetTrimpot(chan, Trimpot::InputGain, 1.0);
  // The load that puts the card output at `volts`, from the bench's truth.
  auto loadFor = [&](double volts) {
    double lo = 0.0, hi = 5000.0;
    for (int i = 0; i < 60; ++i) {
      const double mid = (lo + hi) / 2.0;
      bench.SetLoad(chan, mid);
      (bench.Readback(chan)->outputVolts < volts ? lo : hi) = mid;
    }
    return lo;
  };
  expert.RunClick();
  EXPECT_TRUE(runner.Deliver());
  const std::tuple<double, std::string, int> cases[] = {
      {4.95, "Watch the intermediate voltages and the output voltage.", kRailPictureCaution},
      {5.5, "Voltage Railed!", kRailPictureStop},
      {0.0, "Running", kRailPictureOK}};
  for (const auto& [volts, status, picture] : cases) {
    bench.SetLoad(chan, loadFor(volts));
    NextPass();
    int shown = 0;  // of ten ticks of tmrRail
    for (int i = 0; i < 10; ++i) {
      expert.RailTimerTick();
      shown += r.imgRail.pictureIndex == picture ? 1 : 0;
    }
    EXPECT_EQ(s.lblStatus.caption, status);
    // A warning and the clear picture take turns within every 200 ms cycle.
    EXPECT_EQ(shown, picture == kRailPictureOK ? 10 : 5) << status;
  }
}

// Retries and failures themselves: the reading pass's tests and the scenarios.
TEST_F(ExpertTest, ARetriedPassIsNeitherShownNorDrawn) {
  Open(1, 2, "1-0-2");
  bench.FailOperation("acqAdcSetScan", 2);
  expert.RunClick();
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(expert.PassesShown(), 0);
  EXPECT_TRUE(expert.Strip().Points().empty());
}

// The note for the SGC50 family under Shunt Cal, and none under Nameplate:
// the scenarios.
TEST_F(ExpertTest, NoFilterNoteForAnSgc10UnderShuntCal) {
  Open(0, 1, "0-0-0");
  SwitchMethodOption(preCal, kMethodShuntCal);
  expert.Load();
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ExpertTest, StopAndCloseTakeEffectAtTheEndOfThePassInFlight) {
  Open(1, 2, "1-0-2");
  expert.RunClick();
  expert.StopClick();  // while the block is being acquired
  EXPECT_EQ(Enabled(), 5);
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(expert.PassesShown(), 1);  // still shown and stored
  EXPECT_NE(config.Actual[Chan()].InputGain, 0.0f);
  EXPECT_EQ(expert.loop().RailState, kRailFine);
  EXPECT_TRUE(runner.Deliver());  // the wait; Running is false: no next pass
  EXPECT_EQ(runner.Pending(), 0);
  EXPECT_FALSE(expert.LoopActive());

  // Run again while the stopped loop's pass is still out: that pass is
  // dropped, and the new loop's first pass starts when it is back.
  expert.RunClick();
  expert.StopClick();
  expert.RunClick();
  const int runs = runner.Runs();
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(expert.PassesShown(), 1);
  EXPECT_EQ(runner.Runs(), runs + 1);
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(expert.PassesShown(), 2);

  expert.ExitClick();
  EXPECT_TRUE(expert.closeRequested);
  EXPECT_FALSE(expert.loop().Running);
  EXPECT_EQ(Enabled(), 0);  // Unload leaves the controls
  for (int i = 0; i < 4 && runner.Deliver(); ++i) {
  }
  EXPECT_EQ(runner.Pending(), 0);
  EXPECT_FALSE(expert.LoopActive());
}

// Exit, and the window going with the program, during a pass of 3 s: neither
// waits for it.
TEST_F(ExpertTest, ExitAndTheWindowGoingNeverWaitForALongPass) {
  Open(1, 2, "1-0-2");
  bench.SetPacing(Pacing::Realtime);
  QueuedPoster poster;
  ThreadedRunner threads(poster);
  auto live = std::make_unique<ExpertForm>(session, preCal, form.grdChannel, boxes, threads);
  live->Load();
  live->state().txtAverage.text = "3000";
  live->RunClick();
  using Clock = std::chrono::steady_clock;
  const auto exit = Clock::now();
  live->ExitClick();
  EXPECT_LT(Clock::now() - exit, std::chrono::milliseconds(100));
  live.reset();  // the pass in flight is stopped at its next poll
  EXPECT_LT(Clock::now() - exit, std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace vernium::testing
