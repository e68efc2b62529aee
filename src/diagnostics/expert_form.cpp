#include "diagnostics/expert_form.h"

#include <algorithm>
#include <cctype>

#include "calibration/precal_state.h"
#include "platform/message_boxes.h"

namespace vernium {
namespace {

constexpr int kGridChannelColumn = 1;
constexpr int kGridCardTypeColumn = 5;
constexpr int kRailTimerMs = 20;
constexpr std::int16_t kTicksPerCycle = 10;
// Ticks of each cycle on which a warning picture shows (the rest: clear).
constexpr std::int16_t kWarningTicks = 5;

constexpr std::string_view kFilterNote =
    "To view correct input, scaling and offset gain readings,\r\n"
    "the filter on the SGC50/SGC50A/SGC50B must be bypassed.  Bridge output readings\r\n"
    "are accurate regardless of the filter setting jumper.\r\n";

bool IsSgc50Family(std::string cardType) {
  std::transform(cardType.begin(), cardType.end(), cardType.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return cardType.starts_with("SGC50");
}

}  // namespace

ExpertState::ExpertState() {
  caption = "Diagnostics";
  lblChannelCaption.caption = "Channel:";
  lblAverageCaption.caption = "Averaging Coefficient:";
  txtAverage.text = "100";
  cmdUpdate.caption = "Update Once";
  cmdRun.caption = "Update Continuous";
  cmdStop.caption = "Stop";
  cmdReset.caption = "Reset Max/Min";
  cmdExit.caption = "Exit";
  fraInputRange.caption = "Valid Input Range";
  lblBypass.caption = "Bypass";
  lblFilter.caption = "Filter";
  lblMaximumCaption.caption = "Maximum:";
  lblMinimumCaption.caption = "Minimum:";
  lblRangeCaption.caption = "Range:";
  lblStatus.caption = "Status String";
  fraDebug.caption = "Intermediate Voltages";
  lblBridgeCaption.caption = "Bridge:";
  lblMinCaption.caption = "Min:";
  lblMaxCaption.caption = "Max:";
  lblInputGainCaption.caption = "Input Gain";
  lblOffsetCaption.caption = "Offset Correction";
  lblScaleGainCaption.caption = "Scale Gain";
  lblGainAdjust.caption = "\"Gain\" Adjustment";
  lblOffsetAdjust.caption = "\"Offset\" Adjustment";
  lblScaleAdjust.caption = "\"Scale\" Adjustment";
  lblInputRef.caption = "Input gain with 5mV ref:";
  lblScaleRef.caption = "Scale gain with 5mV ref:";
  lblShortCaption.caption = "Offset with short:";
  tmrRail.intervalMs = kRailTimerMs;
  tmrRail.enabled = true;
}

void ExpertState::EnableFive(bool enabled) {
  for (Control* c : {static_cast<Control*>(&txtChannel), static_cast<Control*>(&txtAverage),
                     static_cast<Control*>(&cmdRun), static_cast<Control*>(&cmdUpdate),
                     static_cast<Control*>(&cmdReset)}) {
    c->enabled = enabled;
  }
}

ExpertForm::ExpertForm(Session& session, const PreCalState& preCal, const Grid& grdChannel,
                       MessageBoxes& messages, BackgroundRunner& runner)
    : session_(session),
      preCal_(preCal),
      grdChannel_(grdChannel),
      messages_(messages),
      runner_(runner) {}

ExpertForm::~ExpertForm() {
  StopJob();
}

void ExpertForm::StopJob() {
  jobStop_.request_stop();
  runner_.WaitIdle();
}

void ExpertForm::Load() {
  const Configuration& c = session_.config;
  closeRequested = false;
  loaded_ = true;
  // What a job of an earlier opening brings back belongs to no loop now.
  ++generation_;
  loopActive_ = false;
  passPending_ = false;
  if (IsSgc50Family(grdChannel_.Cell(c.CurrentRow, kGridCardTypeColumn)) &&
      preCal_.SelectedMethod() == kMethodShuntCal) {
    messages_.Show(kFilterNote, "Please Note", MsgIcon::None, MsgButtons::OK);
  }
  s_ = ExpertState{};
  s_.txtChannel.text = c.Channels[c.CurrentChannel].ChannelLabel;
  ReadingControls& r = s_.readings;
  for (std::size_t i = 0; i < 2; ++i) {
    r.lblMaximum[i].caption = "0.0";
    r.lblMinimum[i].caption = "0.0";
    r.lblRange[i].caption = "0.0";
  }
  for (Label* label : {&r.lblOffset, &r.lblCurBridge, &r.lblMinBridge, &r.lblMaxBridge}) {
    label->caption = "0.0";
  }
  for (Label& volts : r.lblOutVolts) volts.caption = "0.00";
  r.lblInputGain.caption = "1";
  r.lblScalingGain.caption = "1";
  r.imgRail.pictureIndex = kRailPictureClear;
  loop_ = ReadingLoopState{};
  s_.tickCounter = 0;
}

void ExpertForm::Unload() {
  loop_.Stop();
  s_.tmrRail.enabled = false;
  loaded_ = false;
}

void ExpertForm::RunClick() {
  if (!BeginLoop(false)) return;
  s_.EnableFive(false);
  loop_.Running = true;
  RequestPass();
}

void ExpertForm::UpdateClick() {
  if (!BeginLoop(true)) return;
  s_.EnableFive(false);
  loop_.UpdateOnce = true;
  loop_.Running = true;
  RequestPass();
}

void ExpertForm::StopClick() {
  s_.EnableFive(true);
  loop_.Stop();
}

void ExpertForm::ResetClick() {
  loop_.ResetBridgeExtremes();
  if (!loop_.Running) {
    s_.readings.lblMinBridge.caption = "0.0";
    s_.readings.lblMaxBridge.caption = "0.0";
  }
}

void ExpertForm::ExitClick() {
  closeRequested = true;
  Unload();
}

void ExpertForm::StartUpdate() {
  if (!loaded_) Load();
  RunClick();
}

void ExpertForm::RailTimerTick() {
  s_.tickCounter = static_cast<std::int16_t>((s_.tickCounter + 1) % kTicksPerCycle);
  const bool warningShows = s_.tickCounter < kWarningTicks;
  Label& status = s_.lblStatus;
  int& picture = s_.readings.imgRail.pictureIndex;
  switch (loop_.RailState) {
    case kRailFine:
      status.caption = loop_.Running ? "Running" : "Idle";
      picture = loop_.Running ? kRailPictureOK : kRailPictureClear;
      break;
    case kRailClose:
      status.caption = "Watch the intermediate voltages and the output voltage.";
      picture = warningShows ? kRailPictureCaution : kRailPictureClear;
      break;
    case kRailRailed:
      status.caption = "Voltage Railed!";
      picture = warningShows ? kRailPictureStop : kRailPictureClear;
      break;
    default:
      status.caption.clear();
      picture = kRailPictureClear;
      break;
  }
}

// ---- the loop ----

bool ExpertForm::BeginLoop(bool once) {
  if (session_.AcqObject == nullptr || !session_.UnsignedCountsToVolts) return false;
  const Configuration& c = session_.config;
  const std::int16_t channel =
      ChannelFromLabel(grdChannel_.Cell(c.CurrentRow, kGridChannelColumn),
                       grdChannel_.Cell(c.CurrentRow, kGridCardTypeColumn));
  auto pass = std::make_shared<ReadingPass>(ReadingPass::Context{
      *session_.AcqObject, trace_, *session_.UnsignedCountsToVolts, messages_,
      session_.SystemTime()});
  // A scan count outside 1..32767 is refused here, before anything changes.
  if (!pass->Start(channel, s_.txtAverage.text, session_.Device)) return false;
  // A job of the loop before (stopped, its pass still in flight) is dropped
  // when it comes back; this loop's first pass starts then.
  ++generation_;
  pass_ = std::move(pass);
  loopActive_ = true;
  loopIsOnce_ = once;
  loop_.UpdateOnce = false;
  return true;
}

void ExpertForm::RequestPass() {
  if (jobInFlight_) {
    passPending_ = true;
    return;
  }
  LaunchPass();
}

void ExpertForm::LaunchPass() {
  passPending_ = false;
  jobInFlight_ = true;
  if (!block_) block_ = std::make_shared<AcquiredBlock>();
  const std::uint64_t generation = generation_;
  runner_.Run([pass = pass_, block = block_, stop = jobStop_.get_token()] {
                pass->Acquire(*block, stop);
              },
              [this, generation, block = block_] { PassAcquired(generation, *block); });
}

void ExpertForm::PassAcquired(std::uint64_t generation, const AcquiredBlock& block) {
  jobInFlight_ = false;
  if (generation != generation_) {
    ResumeAfterJob();
    return;
  }
  const PassOutcome outcome = pass_->Apply(block, loop_, s_.readings, ActualRecord(pass_->Channel()));
  if (outcome == PassOutcome::Shown) {
    ++passesShown_;
    strip_.Add(session_.SystemTime().SecondsSinceMidnight(), pass_->LastReadings());
  }
  if (outcome == PassOutcome::Failed) {
    EndLoop();
    return;
  }
  FinishPass(loop_);
  // The wait between passes: the software delay sleeps on the runner. The
  // job waits on its own copy, so that nothing it uses goes with the
  // session's objects at shut-down.
  jobInFlight_ = true;
  if (session_.SwDelay) {
    runner_.Run([delay = *session_.SwDelay] { delay.Pause(kPassDelayMs); },
                [this, generation] { PassWaited(generation); });
    return;
  }
  // The first wait of the run makes the delay, which times itself against
  // the clock for a second or two. It is made here, after a pass has been
  // shown, rather than in front of the first pass: the Shunt Cal completion
  // stops and leaves the window straight after its start, and its one pass
  // must have measured the scale gain by then. The worker makes its own
  // object; the session takes it on this thread.
  auto made = std::make_shared<std::optional<clsSwDelay>>();
  runner_.Run(
      [clock = &session_.SystemTime(), made, stop = jobStop_.get_token()] {
        made->emplace(*clock, clsSwDelay::kDefaultMaxCalibrationReads, stop);
        (*made)->Pause(kPassDelayMs);
      },
      [this, generation, made] {
        if (!session_.SwDelay) session_.SwDelay.emplace(**made);
        PassWaited(generation);
      });
}

void ExpertForm::PassWaited(std::uint64_t generation) {
  jobInFlight_ = false;
  if (generation != generation_) {
    ResumeAfterJob();
    return;
  }
  if (loop_.Running) {
    LaunchPass();
  } else {
    EndLoop();
  }
}

void ExpertForm::ResumeAfterJob() {
  if (!passPending_) return;
  passPending_ = false;
  if (loopActive_ && loop_.Running) {
    LaunchPass();
  } else if (loopActive_) {
    EndLoop();
  }
}

void ExpertForm::EndLoop() {
  loopActive_ = false;
  // "Update Once" gives the controls back when its loop has ended, however
  // it ended; a continuous update leaves them to Stop.
  if (loopIsOnce_) s_.EnableFive(true);
}

ActualSettings& ExpertForm::ActualRecord(std::int16_t channel) {
  ActualTable& actual = session_.config.Actual;
  if (!ActualTable::InBounds(channel)) return spareActual_;
  return actual[channel];
}

}  // namespace vernium
