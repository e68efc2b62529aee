#pragma once
// The main window form with the application-parameter form and the wizard
// built over it, on scripted services and the simulated unit: a channel is
// opened for calibration the way the technician opens it.

#include <string>

#include "calibration/precal_form.h"
#include "calibration/xfer_func.h"
#include "platform/background_runner.h"
#include "shell/main_form_fixture.h"
#include "wizard/calibrator_form.h"

namespace vernium::testing {

class WizardTest : public MainFormTest {
 protected:
  DeferredRunner runner;
  CalibratorState w;
  PreCalForm precal{config, preCal, w.lblDirections, form.grdChannel, boxes, pointer, windows};
  CalibratorForm wizard{session, w, preCal, form.grdChannel, boxes, runner};
  PreCalState& p = preCal;

  // Loads with `unit` open on the simulated bench (instant, noiseless) and
  // declares `cards` cards of check box `box` on base channel `b`.
  void Declare(int b, int box, int cards = 1, const std::string& unit = "SIM-PORTABLE") {
    acq.Bench().SetPacing(Pacing::Instant);
    acq.Bench().SetNoise(0.0);
    EXPECT_EQ(acq.acqOpenDevice(unit), 0);
    Load(*acq.OpenDevice());
    RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
    AddCard(b, box, cards);
    boxes.Clear();
  }
  // Calibrate on the row of `label`: the parameter form opens with Nameplate.
  void OpenParameters(const std::string& label, int method = kMethodNameplate) {
    Click(label);
    form.CalibrateClick();
    precal.Activate();
    if (method != kMethodNameplate) precal.MethodClick(method);
  }
  // Continue; the wizard loads when it was opened.
  bool Continue() {
    const auto before = windows.Shown().size();
    precal.ContinueClick();
    const bool opened =
        windows.Shown().size() > before && windows.Shown().back() == WindowId::Calibrator;
    if (opened) wizard.Load();
    return opened;
  }
  void NextTo(int step) {
    while (w.WizardStep < step) wizard.NextClick();
  }
  // One live reading, delivered.
  void Read() {
    wizard.GageTimerTick();
    runner.Deliver();
  }
  std::string LastMessage() const {
    return boxes.Shown().empty() ? std::string() : boxes.Shown().back().text;
  }
};

}  // namespace vernium::testing
