// The wizard's steps: for each one the title, the target, the directions
// (joined exactly, CR LF line breaks, every blank where the technician has
// always seen it), the read-back point scanned, the trimpot highlighted, the
// switch instructions and the buttons.
#include <string>

#include "acquisition/gauge_acquisition.h"
#include "calibration/message_catalogue.h"
#include "calibration/precal_state.h"
#include "model/numeric_text.h"
#include "platform/message_boxes.h"
#include "wizard/calibration_record.h"
#include "wizard/calibrator_form.h"

namespace vernium {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr double kExcitationMonitorGain = 429.0 / 203.0;

// Marker places per trimpot (excitation, offset, input gain, scale gain):
// SGC50 picture Left, SGC10 odd-channel Top, SGC10 even-channel Top.
struct MarkerPlace {
  double sgc50Left, sgc10OddTop, sgc10EvenTop;
};
constexpr MarkerPlace kPotPlaces[4] = {
    {340, 1120, 735}, {755, 700, 315}, {1160, 910, 525}, {1565, 490, 105}};

constexpr std::string_view kCalNormToCal = "Turn the CAL/NORM switch to CAL position ";
constexpr std::string_view kCal1Cal2ToCal = "Turn the CAL1 and CAL2 switchs to the CAL position ";
constexpr std::string_view kSgc50bGainStepSwitches =
    "Turn the CAL1 switch to the RUN position and turn the CAL2 switch to the CAL position ";

std::string Fixed3(double value) {
  return FormatNumber(value, "0.000");
}

}  // namespace

// ---- shared pieces ----

void CalibratorForm::SetGainCodes(std::int32_t code) {
  for (auto& gain : session_.GageScanList.gainCodes) gain = code;
  if (const AcqDevice* device = session_.OpenDevice()) {
    if (UsesShiftedGainCodes(device->DeviceType)) {
      for (auto& gain : session_.GageScanList.gainCodes) gain += 4;
    }
  }
}

void CalibratorForm::SetUserM(double m) {
  if (session_.SignedCountsToVolts) session_.SignedCountsToVolts->SetUserM(m);
}

void CalibratorForm::PlaceMarkers(Trimpot pot) {
  const MarkerPlace& place = kPotPlaces[static_cast<std::size_t>(pot)];
  s_.picPotOn[kPicSgc50].left = place.sgc50Left * scaleX_;
  s_.picPotOn[kPicSgc10Odd].top = place.sgc10OddTop * scaleY_;
  s_.picPotOn[kPicSgc10Even].top = place.sgc10EvenTop * scaleY_;
}

void CalibratorForm::BeginStep(std::string_view title, std::string target, bool previous,
                               std::optional<Trimpot> pot) {
  SetTimer(false);
  SetUserM(1.0);
  s_.cmdPrevious.enabled = previous;
  s_.cmdNext.enabled = true;
  if (pot) PlaceMarkers(*pot);
  s_.lblgage.caption.clear();
  s_.lblSummary.caption.clear();
  s_.lblSummary.visible = false;
  s_.cmdVerify.visible = false;
  guidance_.Reset();
  s_.lblTarget.caption = std::move(target);
  s_.fraCalibrator.caption = std::string(title);
}

void CalibratorForm::RefreshMarkers() {
  for (auto& marker : s_.picPotOn) marker.visible = false;
  for (auto& marker : s_.picPotOn) marker.visible = true;
}

void CalibratorForm::Directions(std::string text) {
  s_.lblDirections.caption = std::move(text);
}

MsgAnswer CalibratorForm::Say(std::string_view text, std::string_view title, MsgButtons buttons) {
  return messages_.Show(text, title, MsgIcon::Information, buttons);
}

// The switch message of the SGC50B's gain steps (answer not used).
void CalibratorForm::SwitchesForGainSteps() {
  if (IsSGC50B()) Say(kSgc50bGainStepSwitches, kSGC50B, MsgButtons::OKCancel);
}

MsgAnswer CalibratorForm::SwitchMessage(std::string_view forSgc50a, std::string_view forSgc50b) {
  return IsSGC50B() ? Say(forSgc50b, kSGC50B, MsgButtons::OKCancel)
                    : Say(forSgc50a, kSGC50A, MsgButtons::OKCancel);
}

std::string CalibratorForm::CouplingText(bool sgc10Wording) {
  if (IsTrue(Channel().DCCoupled)) return "";
  const int n = CardNumber();
  if (sgc10Wording) {
    return n % 2 == 1 ? " Remove JP2 for AC coupling on this channel. "
                      : " Remove JP3 for AC coupling on this channel. ";
  }
  return " Remove JP" + std::to_string(CardDesignatorNumber(n)) + "03" +
         " for AC coupling on this channel. ";
}

std::optional<Trimpot> CalibratorForm::StepTrimpot() const {
  switch (s_.WizardStep) {
    case kStepExcitation:
      return Trimpot::Excitation;
    case kStepOffset:
    case kStepTareOffset:
      return Trimpot::Offset;
    case kStepInputGain:
      // Shunt Cal names the scaling gain too; the input gain is the one
      // highlighted, and both turn the same way.
      return Trimpot::InputGain;
    case kStepScaleGain:
      if (Method() != kMethodShuntCal) return Trimpot::ScaleGain;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void CalibratorForm::ShowStepNumber() {
  const int steps = Method() == kMethodShuntCal ? kStepScaleGain : kStepComplete;
  if (s_.WizardStep < kStepExcitation || s_.WizardStep > steps) return;
  s_.lblStep.caption = "Step " + std::to_string(s_.WizardStep) + " of " + std::to_string(steps);
}

// ---- the steps ----

void CalibratorForm::ShowStep() {
  const bool shuntCal = Method() == kMethodShuntCal;
  ShowStepNumber();
  switch (s_.WizardStep) {
    case kStepExcitation:
      ShowExcitation();
      break;
    case kStepOffset:
      ShowOffset();
      break;
    case kStepInputGain:
      ShowInputGain();
      break;
    case kStepScaleGain:
      shuntCal ? ShowCompletion() : ShowScaleGain();
      break;
    case kStepTareOffset:
      if (!shuntCal) ShowTareOffset();
      break;
    case kStepComplete:
      if (!shuntCal) ShowCompletion();
      break;
    default:
      break;
  }
}

void CalibratorForm::ShowExcitation() {
  const std::string excitation = GeneralFormat(Channel().Excitation);
  BeginStep("Excitation", excitation, false, std::nullopt);

  const std::string& card = Channel().CardType;
  if (card == kSGC10 || card == kSGC50) {
    PlaceMarkers(Trimpot::Excitation);
    Directions(std::string("Set the excitation voltage by adjusting the highlighted ") +
               "trimpot on the strain gage card. Measure the excitation " +
               "voltage by attaching an accurate voltmeter to the excitation " +
               "output on the card's terminals." +
               "  The excitation voltage WILL NOT appear on the computer screen. " +
               "You have specified an excitation voltage of " + excitation + "V." +
               "  Refer to the strain gage card section of " +
               "the User's manual for more information.");
    RefreshMarkers();
  } else if (card == kSGC50A || card == kSGC50B) {
    SetUserM(kExcitationMonitorGain);
    SetGainCodes(1);
    if (SwitchMessage(kCalNormToCal, kCal1Cal2ToCal) != MsgAnswer::OK) {
      SetTimer(false);
      return;
    }
    s_.cmdPrevious.enabled = false;
    s_.cmdNext.enabled = true;
    PlaceMarkers(Trimpot::Excitation);
    s_.lblTarget.caption = excitation;
    Directions(std::string("Adjust the excitation voltage for a reading of") + " " + excitation +
               " V on the digital indicator." + "  Refer to the strain gage card section of" +
               " the User's manual for more information.");
    RefreshMarkers();
    SetTimer(true);
  }
}

void CalibratorForm::ShowOffset() {
  BeginStep("Offset", "0.000", true, Trimpot::Offset);

  std::string directions;
  if (Method() != kMethodShuntCal) {
    SwitchesForGainSteps();
    SetGainCodes(1);
    directions = std::string("Before the input gain can be properly adjusted") +
                 " the offset must be set to zero." + "  Adjust the offset for a" +
                 " reading of 0.000V on the digital indicator.";
  } else {
    SetGainCodes(0);
    directions = std::string("Before the input gain can be properly adjusted") +
                 " the offset must be set to zero." + std::string(kCrLf) +
                 " Attach strain gage with quiesent load applied. Adjust the offset for a" +
                 " reading of 0.000V on the digital indicator.";
    SwitchMessage("Turn the CAL/NORM switch to NORM.",
                  "Turn the CAL1 and CAL2 switchs to the RUN position  ");
  }
  Directions(std::move(directions));
  RefreshMarkers();
  SetTimer(true);
}

void CalibratorForm::ShowInputGain() {
  const Configuration& c = session_.config;
  const int chan = c.CurrentChannel;
  double target =
      static_cast<double>(c.Calc[chan].InputGain) * 0.005 - c.Actual[chan].Offset + 0.0005;
  BeginStep("Input Gain", "", true, Trimpot::InputGain);

  std::string directions;
  if (Method() != kMethodShuntCal) {
    SwitchesForGainSteps();
    SetGainCodes(3);
    s_.lblTarget.caption = Fixed3(target);
    directions = std::string("Adjust the Input Gain for a reading of") + " " + Fixed3(target) +
                 "V " + "on the digital indicator.";
  } else {
    SetGainCodes(0);
    const PreCalState& p = preCal_;
    const double shunt = LeadingNumber(p.txtShuntCalValue.text);
    const double tare = LeadingNumber(p.txtOffset.text);
    const double maxLoad = LeadingNumber(p.txtMaxLoad.text);
    target = 5.0 * (shunt - tare) / NonZero(maxLoad - tare);
    s_.lblTarget.caption = Fixed3(target);
    directions = std::string("Attach the strain gage with shunt resistor in place") +
                 " Adjust the Input Gain and scaling gain for a reading of " + Fixed3(target) +
                 "V on the digital indicator.";
    SwitchMessage(kCalNormToCal, kCal1Cal2ToCal);
    s_.cmdPrevious.enabled = true;
  }
  Directions(std::move(directions));
  RefreshMarkers();
  if (OffsetNotZero(session_.config)) ShowMessage(messages_, kMsgOffsetNotZero);
  SetTimer(true);
}

void CalibratorForm::ShowScaleGain() {
  const Configuration& c = session_.config;
  const int chan = c.CurrentChannel;
  const ActualSettings& actual = c.Actual[chan];
  const double target = (static_cast<double>(actual.InputGain) * 0.005 - actual.Offset) *
                            (static_cast<double>(actual.FilterGain) * c.Calc[chan].ScalingGain) +
                        0.0005;
  BeginStep("Scale Gain", Fixed3(target), true, Trimpot::ScaleGain);
  SetGainCodes(2);
  Directions(std::string("Adjust the Scale Gain for a reading of") + " " + Fixed3(target) + "V " +
             "on the digital indicator.");
  RefreshMarkers();
  SwitchesForGainSteps();
  SetTimer(true);
}

void CalibratorForm::ShowTareOffset() {
  BeginStep("Tare Offset", "0.000", false, Trimpot::Offset);
  SetGainCodes(0);

  std::string filterText;
  if (IsTrue(Channel().FilterOn)) {
    const int n = CardNumber();
    if (Channel().CardType == kSGC10) {
      filterText = std::string(" Place JP") + (n % 2 == 1 ? "5" : "4") + " in filter position. ";
    } else {
      filterText =
          " Place JP" + std::to_string(CardDesignatorNumber(n)) + "04 in filter position. ";
    }
  }
  Directions(std::string("Now the offset will be adjusted to compensate") +
             " for the quiesent load of the strain-gage. Attach strain gage " +
             "with quiesent load applied. " + filterText +
             " Adjust the offset for a reading of 0.000V" + " on the digital indicator.");
  RefreshMarkers();
  if (IsSGC50B())
    Say("Turn the CAL1 and CAL2 switchs to the RUN position ", kSGC50B, MsgButtons::OKCancel);
  SetTimer(true);
}

void CalibratorForm::ShowCompletion() {
  SetTimer(false);
  SetUserM(1.0);
  const bool shuntCal = Method() == kMethodShuntCal;
  if (!shuntCal) {
    SetGainCodes(0);
    for (auto& marker : s_.picPotOn) marker.visible = false;
  }
  s_.cmdPrevious.enabled = false;
  s_.cmdNext.enabled = false;
  s_.lblgage.caption.clear();
  s_.lblTarget.caption.clear();
  s_.fraCalibrator.caption = "Potentiometer";
  const std::string couplingText = CouplingText(!shuntCal && Channel().CardType == kSGC10);
  Directions("The adjustment of channel " + Channel().ChannelLabel + " is complete. " +
             couplingText + "Exit will return you to the main screen.");
  if (shuntCal) RefreshMarkers();
  MarkCalibrated();
  if (shuntCal && diagnostics_ != nullptr) {
    // The diagnostics window reads the unit itself: no wizard read may be
    // running then (the timer is off: the read in flight is stopped).
    StopRead();
    diagnostics_->StartUpdate();
    diagnostics_->StopUpdate();
    diagnostics_->ExitDiagnostics();
  }
  // The record as it stands once the completion's work is done, the
  // diagnostics pass above included: what the scaling file is written from.
  s_.lblSummary.caption = CalibrationSummary(session_.config);
  s_.lblSummary.visible = true;
  // Kept as the scaling file is written from it; a history that cannot be
  // written says so and the calibration stands.
  if (history_ != nullptr) history_->CalibrationCompleted(session_, session_.config.CurrentChannel);
  s_.cmdVerify.visible = windows_ != nullptr;
}

}  // namespace vernium
