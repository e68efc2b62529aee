#pragma once
// The calibration wizard "Calibrator": leads the technician through the hand
// adjustment of the current channel's card, step by step (excitation,
// offset, input gain, scale gain, tare offset, completion; Shunt Cal ends
// after the input gain), with a live reading of the channel beside each
// step's target. The form owns every rule; the Qt window shows its state and
// forwards the buttons and the 100 ms timer.
//
// The live reading: while tmrGage is enabled, each tick asks for one
// averaged reading (about 100 ms of acquisition). The read runs on the
// background runner, off the user-interface thread; its result comes back
// on that thread. A tick that comes while a read is in flight is remembered
// (once) and the next read starts as soon as that one is back, so reads never
// overlap or pile up. A result that arrives after the timer was switched off
// (every step change does that) is dropped. Exit never waits for a read: it
// stops the read in flight, whose result is then dropped.

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "acquisition/acq_lib.h"
#include "calibration/precal_state.h"
#include "diagnostics/diagnostics_actions.h"
#include "wizard/calibration_history.h"
#include "platform/background_runner.h"
#include "platform/controls.h"
#include "platform/message_boxes.h"
#include "platform/windows.h"
#include "session/session.h"
#include "wizard/calibrator_state.h"
#include "wizard/turn_guidance.h"

namespace vernium {

class MessageBoxes;

inline constexpr std::string_view kLostCommunications = "  Lost communications with device.";
inline constexpr std::string_view kNotCompletedText =
    "Calibration is not completed.\nAny previous calibration may be changed.\nRecalibrate "
    "channel before using.";

// Steps of the wizard.
inline constexpr std::int16_t kStepExcitation = 1;
inline constexpr std::int16_t kStepOffset = 2;
inline constexpr std::int16_t kStepInputGain = 3;
inline constexpr std::int16_t kStepScaleGain = 4;  // Shunt Cal: completion
inline constexpr std::int16_t kStepTareOffset = 5;
inline constexpr std::int16_t kStepComplete = 6;

class CalibratorForm {
 public:
  // `state` outlives the form (the parameter window writes its directions
  // before the wizard first shows); `preCal` is the parameter window's state,
  // the method and the entries the calibration runs on; `grdChannel` is the
  // main window's channel grid; `reader` runs the live readings.
  CalibratorForm(Session& session, CalibratorState& state, const PreCalState& preCal,
                 Grid& grdChannel, MessageBoxes& messages, BackgroundRunner& reader);
  ~CalibratorForm();
  CalibratorForm(const CalibratorForm&) = delete;
  CalibratorForm& operator=(const CalibratorForm&) = delete;

  CalibratorState& state() { return s_; }
  const CalibratorState& state() const { return s_; }

  // The diagnostics window the Shunt Cal completion drives (none: nothing).
  void SetDiagnostics(DiagnosticsActions* diagnostics) { diagnostics_ = diagnostics; }
  // Where each completed calibration is kept (none: it is not kept).
  void SetHistory(CalibrationHistory* history) { history_ = history; }
  // What opens the verification window from the completion (none: the
  // completion offers no verification).
  void SetWindows(WindowOpener* windows) { windows_ = windows; }
  // The screen's twips per pixel divided by 15; positions in twips are
  // multiplied by these.
  void SetScale(double scaleX, double scaleY);
  // Runs when the technician leaves the wizard: the main window puts the
  // focus on its Calibrate button.
  void OnExitToMain(std::function<void()> fn) { exitToMain_ = std::move(fn); }
  // Runs when the wizard has written the channel grid while it is open (the
  // completion's date): the main window beside it shows the grid again.
  void OnGridChanged(std::function<void()> fn) { gridChanged_ = std::move(fn); }

  // ---- handlers ----
  void Load();
  void ShowStep();
  void NextClick();
  void PreviousClick();
  void ExitMainClick();  // ExitCheck
  void GageTimerTick();
  void VerifyClick();

  // Set by Exit: the window is to close (it loads afresh when next shown).
  bool closeRequested = false;

  // ---- the live reading ----
  bool ReadInFlight() const { return readInFlight_; }
  // Stops a read in flight (its transfer ends at its next poll) and waits
  // the few milliseconds that takes: the window going for good.
  void StopRead();
  // Readings shown since the window loaded.
  long ReadingsShown() const { return readingsShown_; }
  // How the reading stands against the target while a trimpot is turned:
  // shown only on a step with a live reading and a target, in the words of
  // the step's trimpot (its turn sense on the channel's card).
  TurnAdvice Advice() const;
  const TurnGuidance& Guidance() const { return guidance_; }

 private:
  struct ReadResult {
    AcquisitionResult status = 0;
    float count = 0.0f;
  };

  ChannelConfig& Channel();
  int Method() const;
  bool IsSGC50B();
  std::string GridCardType() const;
  std::int16_t CardNumber() const;

  void SetTimer(bool enabled);
  void SetGainCodes(std::int32_t code);
  void SetUserM(double m);
  void PlaceMarkers(Trimpot pot);
  // What every step starts with: the timer off, the reading unscaled, the
  // buttons, the marker over `pot` (none leaves it), the reading cleared,
  // the target and the title.
  void BeginStep(std::string_view title, std::string target, bool previous,
                 std::optional<Trimpot> pot);
  // The trimpot the step on screen turns (none at step 0 and the completion).
  std::optional<Trimpot> StepTrimpot() const;
  // "Step 3 of 6": the step among those of the method.
  void ShowStepNumber();
  // The card type and designators the card picture names.
  void NamePictureParts();
  void RefreshMarkers();
  void Directions(std::string text);
  MsgAnswer Say(std::string_view text, std::string_view title, MsgButtons buttons);
  void SwitchesForGainSteps();
  // A switch message (OK and Cancel) worded for the SGC50A's CAL/NORM switch
  // or the SGC50B's CAL1 and CAL2.
  MsgAnswer SwitchMessage(std::string_view forSgc50a, std::string_view forSgc50b);

  void ShowExcitation();
  void ShowOffset();
  void ShowInputGain();
  void ShowScaleGain();
  void ShowTareOffset();
  void ShowCompletion();
  std::string CouplingText(bool sgc10Wording);

  void StartRead();
  void ReadDone(std::uint64_t generation, const ReadResult& result);
  void ShowReading(const ReadResult& result);
  void MarkCalibrated();

  Session& session_;
  CalibratorState& s_;
  const PreCalState& preCal_;
  Grid& grdChannel_;
  MessageBoxes& messages_;
  BackgroundRunner& reader_;
  DiagnosticsActions* diagnostics_ = nullptr;
  CalibrationHistory* history_ = nullptr;
  WindowOpener* windows_ = nullptr;
  std::function<void()> exitToMain_;
  std::function<void()> gridChanged_;
  double scaleX_ = 1.0;
  double scaleY_ = 1.0;

  bool readInFlight_ = false;
  std::stop_source readStop_;  // of the read in flight
  bool tickPending_ = false;
  std::uint64_t generation_ = 0;
  long readingsShown_ = 0;
  TurnGuidance guidance_;
  TraceSink trace_;
};

}  // namespace vernium
