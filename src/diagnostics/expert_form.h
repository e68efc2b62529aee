#pragma once
// The diagnostics window "frmExpert": runs the reading pass on the channel of
// the main window's selected row once ("Update Once") or continuously
// ("Update Continuous") and shows the card's intermediate voltages, its
// actual gains and offset, the bridge output with its extremes, the valid
// input range with and without the filter's gain, and a status with a rail
// picture that warns when a read-back voltage comes close to the +-5 V rail.
// The form owns every rule; the Qt window shows its state and forwards the
// buttons and the 20 ms tmrRail.
//
// The loop never holds up the window. A pass is acquired on the background
// runner (ReadingPass::Acquire), then computed and shown on the
// user-interface thread (ReadingPass::Apply); after it the software delay
// sleeps its 100 ms on the runner too, and only then is Running tested and
// the next pass started. So exactly one job (acquisition or wait) is ever in
// flight, passes never overlap, and Stop, Exit and the rail timer are
// handled at once between the jobs' completions. A stop takes effect at the
// end of the current pass; "Update Once" ends after its pass and the wait.
// Each loop start opens a new generation: what a job of an earlier loop
// brings back is dropped. The software delay calibrates itself against the
// clock for a second or two when it is first made, so the first wait of the
// run makes it on the runner, after the first pass has been shown: no pass
// ever waits for it, and the Shunt Cal completion's pass, which the stop and
// the exit follow at once, measures the scale gain whatever the delay is
// doing.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "acquisition/reading_pass.h"
#include "diagnostics/diagnostics_actions.h"
#include "diagnostics/strip_history.h"
#include "platform/background_runner.h"
#include "platform/controls.h"
#include "session/session.h"

namespace vernium {

class MessageBoxes;
struct PreCalState;

// The controls of the window under their names; the labels that only carry
// a caption are named after what they caption.
struct ExpertState {
  ExpertState();

  std::string caption;  // "Diagnostics"
  Label lblChannelCaption;  // "Channel:"
  TextBox txtChannel;
  Label lblAverageCaption;  // "Averaging Coefficient:"
  TextBox txtAverage;       // "100": scans per pass
  Button cmdUpdate, cmdRun, cmdStop, cmdReset, cmdExit;

  Frame fraInputRange;  // "Valid Input Range"
  Label lblBypass, lblFilter;  // column headings
  Label lblMaximumCaption, lblMinimumCaption, lblRangeCaption;

  Label lblStatus;  // "Status String" until the first tick

  Frame fraDebug;  // "Intermediate Voltages", over the signal-chain drawing
  Label lblBridgeCaption, lblMinCaption, lblMaxCaption;  // "Bridge:", "Min:", "Max:"
  Label lblInputGainCaption, lblOffsetCaption, lblScaleGainCaption;
  Label lblGainAdjust, lblOffsetAdjust, lblScaleAdjust;  // "\"Gain\" Adjustment" ...
  Label lblInputRef, lblScaleRef, lblShortCaption;       // the read-back test points

  // What each pass writes: the range labels, the bridge, gains, offset, the
  // four voltages and imgRail.
  ReadingControls readings;

  Timer tmrRail;  // every 20 ms, on from the load
  std::int16_t tickCounter = 0;

  // The five controls a running loop disables.
  void EnableFive(bool enabled);
};

class ExpertForm : public DiagnosticsActions {
 public:
  // `preCal` is the parameter window's state (its method decides what a
  // pass on a Shunt Cal channel records); `grdChannel` is the main window's
  // channel grid; `runner` runs the acquisitions and the waits between
  // passes.
  ExpertForm(Session& session, const PreCalState& preCal, const Grid& grdChannel,
             MessageBoxes& messages, BackgroundRunner& runner);
  ~ExpertForm() override;
  ExpertForm(const ExpertForm&) = delete;
  ExpertForm& operator=(const ExpertForm&) = delete;

  ExpertState& state() { return s_; }
  const ExpertState& state() const { return s_; }
  ReadingLoopState& loop() { return loop_; }
  const ReadingLoopState& loop() const { return loop_; }

  // ---- handlers ----
  void Load();
  // Stops the loop as Stop does, without touching the controls. It never
  // waits: a pass in flight finishes behind the closed window (its values
  // still shown and stored when it comes back).
  void Unload();
  void UpdateClick();
  void RunClick();
  void StopClick();
  void ResetClick();
  void ExitClick();
  void RailTimerTick();

  // Set by Exit: the window is to close (it loads afresh when next shown).
  bool closeRequested = false;
  bool Loaded() const { return loaded_; }

  // ---- what the wizard's Shunt Cal completion runs ----
  // The window loads (hidden) first when it is not loaded.
  void StartUpdate() override;
  void StopUpdate() override { StopClick(); }
  void ExitDiagnostics() override { ExitClick(); }

  // ---- the loop ----
  // True from a loop's start until its last job has come back.
  bool LoopActive() const { return loopActive_; }
  bool JobInFlight() const { return jobInFlight_; }
  // Stops the job in flight (a pass's transfer ends at its next poll, the
  // delay gives up timing itself) and waits the few milliseconds that
  // takes: the window going for good.
  void StopJob();
  // Passes shown since the window was made.
  long PassesShown() const { return passesShown_; }
  // The last minute of passes shown, for the strip chart.
  const StripHistory& Strip() const { return strip_; }
  bool DelayReady() const { return session_.SwDelay.has_value(); }

 private:
  bool BeginLoop(bool once);
  void RequestPass();
  void LaunchPass();
  void PassAcquired(std::uint64_t generation, const AcquiredBlock& block);
  void PassWaited(std::uint64_t generation);
  void EndLoop();
  // After a job came back: starts the pass that waited for it, or ends a
  // loop stopped meanwhile.
  void ResumeAfterJob();
  ActualSettings& ActualRecord(std::int16_t channel);

  Session& session_;
  const PreCalState& preCal_;
  ExpertState s_;
  const Grid& grdChannel_;
  MessageBoxes& messages_;
  BackgroundRunner& runner_;
  ReadingLoopState loop_;
  TraceSink trace_;

  bool loaded_ = false;
  std::stop_source jobStop_;  // asked only when the form goes
  std::shared_ptr<ReadingPass> pass_;
  std::shared_ptr<AcquiredBlock> block_;
  std::uint64_t generation_ = 0;
  bool jobInFlight_ = false;
  bool passPending_ = false;  // a pass waits for the job in flight
  bool loopActive_ = false;
  bool loopIsOnce_ = false;  // started by "Update Once"
  ActualSettings spareActual_;
  long passesShown_ = 0;
  StripHistory strip_;
};

}  // namespace vernium
