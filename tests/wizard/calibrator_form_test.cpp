// The wizard's steps (texts, targets, scanned points, switch messages and
// buttons by card, method and channel), leaving it, the live reading's
// scheduling, and the record of a completed calibration.
#include <gtest/gtest.h>

#include <chrono>


#include "wizard/calibration_record.h"
#include "wizard/wizard_fixture.h"

namespace vernium::testing {
namespace {

struct StepCase {
  const char* name;
  int base, box, cards;
  const char* unit;
  const char* label;
  int method;
  bool filterOn, ac;
  MsgAnswer answer;  // to every switch message
  int step;
  const char* caption;
  const char* target;
  const char* directions;  // "" the method's directions stay
  int gainCode;            // -1 not set by the step
  bool timer, previous, next;
  const char* lastSwitchMessage;  // "" none during the step's Next
  const char* switchTitle;
};

class StepTest : public WizardTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepTest, ShowsTheStep) {
  const StepCase& c = GetParam();
  Declare(c.base, c.box, c.cards, c.unit);
  Click(c.label);
  config.Channels[config.CurrentChannel].FilterOn = ToBool16(c.filterOn);
  config.Channels[config.CurrentChannel].DCCoupled = ToBool16(!c.ac);
  OpenParameters(c.label, c.method);
  p.txtShuntCalValue.text = "500";
  ASSERT_TRUE(Continue()) << LastMessage();
  NextTo(c.step - 1);
  session.GageScanList.gainCodes.fill(-1);
  boxes.Clear();
  for (int i = 0; i < 3; ++i) boxes.QueueAnswer(c.answer);
  wizard.NextClick();
  EXPECT_EQ(w.fraCalibrator.caption, c.caption);
  EXPECT_EQ(w.lblTarget.caption, c.target);
  if (*c.directions) {
    EXPECT_EQ(w.lblDirections.caption, c.directions);
  }
  EXPECT_EQ(session.GageScanList.gainCodes[3], c.gainCode);
  EXPECT_EQ(w.tmrGage.enabled, c.timer);
  EXPECT_EQ(w.cmdPrevious.enabled, c.previous);
  EXPECT_EQ(w.cmdNext.enabled, c.next);
  std::string switches, title;
  for (const auto& shown : boxes.Shown()) {
    if (shown.title.rfind("SGC50", 0) == 0)
      std::tie(switches, title) = std::tie(shown.text, shown.title);
  }
  EXPECT_EQ(switches, c.lastSwitchMessage);
  EXPECT_EQ(title, c.switchTitle);
}

constexpr int NP = kMethodNameplate, TP = kMethodTwoPoint, SC = kMethodShuntCal;
constexpr auto OK = MsgAnswer::OK;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Steps, StepTest,
    ::testing::Values(
        StepCase{"Sgc10Excitation", 0, 1, 1, "SIM-PORTABLE", "0-0-1", NP, false, false, OK, 1,
                 "Excitation", "10",
                 "Set the excitation voltage by adjusting the highlighted trimpot on the strain "
                 "gage card. Measure the excitation voltage by attaching an accurate voltmeter to "
                 "the excitation output on the card's terminals.  The excitation voltage WILL NOT "
                 "appear on the computer screen. You have specified an excitation voltage of 10V."
                 "  Refer to the strain gage card section of the User's manual for more "
                 "information.",
                 -1, false, false, true, "", ""},
        StepCase{"Sgc50aExcitation", 2, 3, 1, "SIM-PORTABLE", "2-0-0", TP, false, false, OK, 1,
                 "Excitation", "10",
                 "Adjust the excitation voltage for a reading of 10 V on the digital indicator.  "
                 "Refer to the strain gage card section of the User's manual for more "
                 "information.",
                 1, true, false, true, "Turn the CAL/NORM switch to CAL position ", "SGC50A"},
        StepCase{"Sgc50bExcitationCancelled", 3, 4, 1, "SIM-PORTABLE", "3-0-0", NP, false, false,
                 MsgAnswer::Cancel, 1, "Excitation", "10",
                 "Nameplate calibration allows you to enter parameters for your strain gage and "
                 "the application in which it is being used. The last step of calibration "
                 "requires that the load cell be attached.",
                 1, false, false, true, "Turn the CAL1 and CAL2 switchs to the CAL position ",
                 "SGC50B"},
        StepCase{"Sgc50bShuntOffset", 3, 4, 1, "SIM-PORTABLE", "3-0-0", SC, false, false, OK, 2,
                 "Offset", "0.000",
                 "Before the input gain can be properly adjusted the offset must be set to "
                 "zero.\r\n Attach strain gage with quiesent load applied. Adjust the offset for "
                 "a reading of 0.000V on the digital indicator.",
                 0, true, true, true, "Turn the CAL1 and CAL2 switchs to the RUN position  ",
                 "SGC50B"},
        StepCase{"Type17InputGain", 1, 2, 1, "SIM-BOARD-17", "1-0-0", NP, false, false, OK, 3,
                 "Input Gain", "0.923",
                 "Adjust the Input Gain for a reading of 0.923V on the digital indicator.", 7,
                 true, true, true, "", ""},
        StepCase{"Type17ShuntInputGain", 1, 2, 1, "SIM-BOARD-17", "1-0-0", SC, false, false, OK,
                 3, "Input Gain", "2.959",
                 "Attach the strain gage with shunt resistor in place Adjust the Input Gain and "
                 "scaling gain for a reading of 2.959V on the digital indicator.",
                 4, true, true, true, "Turn the CAL/NORM switch to CAL position ", "SGC50A"},
        StepCase{"SecondCardTareWithFilter", 1, 2, 2, "SIM-PORTABLE", "1-1-3", NP, true, false,
                 OK, 5, "Tare Offset", "0.000",
                 "Now the offset will be adjusted to compensate for the quiesent load of the "
                 "strain-gage. Attach strain gage with quiesent load applied.  Place JP404 in "
                 "filter position.  Adjust the offset for a reading of 0.000V on the digital "
                 "indicator.",
                 0, true, false, true, "", ""},
        StepCase{"Sgc10EvenTareWithFilter", 0, 1, 1, "SIM-PORTABLE", "0-0-1", TP, true, false, OK,
                 5, "Tare Offset", "0.000",
                 "Now the offset will be adjusted to compensate for the quiesent load of the "
                 "strain-gage. Attach strain gage with quiesent load applied.  Place JP4 in filter "
                 "position.  Adjust the offset for a reading of 0.000V on the digital indicator.",
                 0, true, false, true, "", ""},
        StepCase{"SecondCardAcComplete", 1, 2, 2, "SIM-PORTABLE", "1-1-3", TP, false, true, OK, 6,
                 "Potentiometer", "",
                 "The adjustment of channel 1-1-3 is complete.  Remove JP403 for AC coupling on "
                 "this channel. Exit will return you to the main screen.",
                 0, false, false, false, "", ""},
        StepCase{"ShuntCalDcComplete", 2, 3, 1, "SIM-PORTABLE", "2-0-0", SC, false, false, OK, 4,
                 "Potentiometer", "",
                 "The adjustment of channel 2-0-0 is complete. Exit will return you to the main "
                 "screen.",
                 -1, false, false, false, "Turn the CAL/NORM switch to NORM position", "SGC50A"}),
    [](const auto& param) { return std::string(param.param.name); });
// clang-format on

TEST_F(WizardTest, LoadPlacesThePictureAndScansTheChannel) {
  Declare(1, 2);
  wizard.SetScale(2.0, 1.5);
  OpenParameters("1-0-5");
  ASSERT_TRUE(Continue());
  EXPECT_EQ(w.caption, "Adjusting Channel 1-0-5");
  EXPECT_TRUE(w.picPots[kPicSgc50].visible);
  EXPECT_FALSE(w.picPots[kPicSgc10Odd].visible);
  EXPECT_EQ(w.lblOverlayChanCaption, "CHANNEL 5");
  EXPECT_EQ(w.picPotOn[kPicSgc50].top, 715 * 1.5);
  const CardPictureTexts named{"SGC50", {"R644", "JP604", "JP603"}, {}, "6"};
  EXPECT_EQ(w.picPotsTexts, named);
  EXPECT_FALSE(w.picPotOn[kPicSgc50].visible);  // nothing to turn yet
  EXPECT_EQ(w.lblStep.caption, "");
  EXPECT_EQ(session.GageScanList.channels[3], 37);
  wizard.NextClick();
  wizard.NextClick();
  wizard.NextClick();  // input gain: its trimpot is the third
  EXPECT_EQ(w.picPotOn[kPicSgc50].left, 1160 * 2.0);
  EXPECT_EQ(w.picPotOn[kPicSgc10Even].top, 525 * 1.5);
  EXPECT_TRUE(w.picPotOn[kPicSgc50].visible);
  EXPECT_EQ(w.lblStep.caption, "Step 3 of 6");
}

struct ExitCase {
  int method, step;
  bool incomplete;
};

TEST_F(WizardTest, ExitBeforeCompletionMarksUncalibrated) {
  Declare(1, 2);
  for (const ExitCase& e : {ExitCase{NP, 5, true}, ExitCase{NP, 6, false}, ExitCase{SC, 3, true},
                            ExitCase{SC, 4, false}}) {
    SCOPED_TRACE(::testing::Message() << e.method << " " << e.step);
    OpenParameters("1-0-0", e.method);
    p.txtShuntCalValue.text = "500";
    ASSERT_TRUE(Continue());
    EXPECT_TRUE(w.cmdNext.enabled && !w.cmdPrevious.enabled);  // however the last run ended
    EXPECT_EQ(w.fraCalibrator.caption, "Potentiometer");
    NextTo(e.step);
    boxes.Clear();
    bool focused = false;
    wizard.OnExitToMain([&] { focused = true; });
    wizard.ExitMainClick();
    EXPECT_TRUE(wizard.closeRequested && focused);
    EXPECT_EQ(boxes.Shown().size(), e.incomplete ? 1u : 0u);
    EXPECT_EQ(config.Channels[32].Calibrated, e.incomplete ? "No" : "Yes");
    EXPECT_EQ(Cell(1 + 1, kColCalibrated), e.incomplete ? "No" : "12-05-2026");
    if (e.incomplete) {
      EXPECT_EQ(LastMessage(), kNotCompletedText);
      EXPECT_EQ(config.Calc[32].InputGain, 0.0f);
    } else {
      // What was reached, and the line the scaling file takes from it.
      EXPECT_EQ(w.lblStep.caption, e.method == SC ? "Step 4 of 4" : "Step 6 of 6");
      EXPECT_TRUE(w.lblSummary.visible);
      for (const char* part :
           {"Input gain ", ", calculated ", "M = 147, B = 65\n", "Scaling file: CH032,Pounds,m="}) {
        EXPECT_NE(w.lblSummary.caption.find(part), std::string::npos) << part;
      }
    }
  }
}

TEST(MeasureStep, DividesByTheFilterGainAndKeepsTheOffsetCheckStrict) {
  Configuration c;
  c.CurrentChannel = 40;
  ActualSettings& a = c.Actual[40];
  for (const std::int16_t g : {std::int16_t{0}, std::int16_t{1}, std::int16_t{2}}) {
    const double div = g == 0 ? 1 : g;
    a = {0.0f, 0.0f, 0.0f, g};
    MeasureStep(c, 2, 0.024f);
    EXPECT_FLOAT_EQ(a.Offset, static_cast<float>(-(0.024 / 1.2) / div));
    MeasureStep(c, 3, 1.0f);
    EXPECT_FLOAT_EQ(a.InputGain, static_cast<float>((1.0 / div + a.Offset) / 0.005));
    MeasureStep(c, 4, 2.0f);
    EXPECT_FLOAT_EQ(a.ScalingGain,
                    static_cast<float>((2.0 / div) / (a.InputGain * 0.005 - a.Offset)));
  }
  a = {200.0f, 0.0f, 1.0f, 1};  // input gain x 0.005 equals the offset
  MeasureStep(c, 4, 0.3f);
  EXPECT_FLOAT_EQ(a.ScalingGain, 0.3f);
  a.Offset = 0.01f;
  EXPECT_FALSE(OffsetNotZero(c));
  a.Offset = -0.0101f;
  EXPECT_TRUE(OffsetNotZero(c));
}

TEST_F(WizardTest, LiveReadingsNeverOverlapAndLateOnesAreDropped) {
  Declare(1, 2);
  OpenParameters("1-0-0");
  ASSERT_TRUE(Continue());
  NextTo(2);  // the offset step reads -Voff: the trimpot starts at +0.8 V
  wizard.GageTimerTick();
  EXPECT_TRUE(wizard.ReadInFlight());
  wizard.GageTimerTick();  // remembered, once
  wizard.GageTimerTick();
  EXPECT_EQ(runner.Runs(), 1);
  runner.Deliver();
  EXPECT_EQ(w.lblgage.caption, "-0.800");
  EXPECT_EQ(runner.Runs(), 2);  // the remembered tick starts the next read at once
  runner.Deliver();
  EXPECT_EQ(runner.Runs(), 2);
  EXPECT_NEAR(config.Actual[32].Offset, 0.8 / 1.2, 1e-4);

  wizard.GageTimerTick();
  boxes.QueueAnswer(MsgAnswer::OK);
  wizard.NextClick();  // the step changes while the read is out
  EXPECT_TRUE(runner.Deliver());
  EXPECT_EQ(w.lblgage.caption, "");  // the offset step's reading is not shown at the next
  EXPECT_EQ(config.Actual[32].InputGain, 0.0f);
}

TEST_F(WizardTest, ThreadedReadsRunOffTheCallerAndComeBackInOrder) {
  Declare(1, 2);
  acq.Bench().SetPacing(Pacing::Realtime);  // each read takes 100 ms
  OpenParameters("1-0-0");
  ASSERT_TRUE(Continue());
  QueuedPoster poster;
  ThreadedRunner threads(poster);
  CalibratorForm live(session, w, preCal, form.grdChannel, boxes, threads);
  live.Load();
  live.NextClick();
  live.NextClick();  // offset step: -0.800 V
  for (int tick = 0; tick < 5; ++tick) {
    live.GageTimerTick();
    live.GageTimerTick();  // a tick during the read
    poster.Drain(1000);
  }
  while (live.ReadInFlight()) poster.Drain(1000);
  EXPECT_GE(live.ReadingsShown(), 5);
  EXPECT_EQ(w.lblgage.caption, "-0.800");
  EXPECT_TRUE(boxes.Shown().empty());
  // Exit while a transfer has stalled (it would give up after 2 s): the
  // window never waits for it.
  acq.Bench().SetTransferFault(TransferFault::Stall, 10);
  live.GageTimerTick();
  using Clock = std::chrono::steady_clock;
  const auto exit = Clock::now();
  live.ExitMainClick();
  live.StopRead();  // the window going: the stalled read stopped at its next poll
  EXPECT_LT(Clock::now() - exit, std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace vernium::testing
