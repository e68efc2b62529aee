// The wizard's window life, its buttons, the live reading and the record of
// a completed or abandoned calibration. The steps' texts are in
// calibrator_steps.cpp.
#include "wizard/calibrator_form.h"

#include <cmath>
#include <memory>

#include "acquisition/gauge_acquisition.h"
#include "calibration/arithmetic_fault.h"
#include "calibration/precal_state.h"
#include "calibration/xfer_func.h"
#include "model/card_designators.h"
#include "model/numeric_text.h"
#include "model/trimpot_sense.h"
#include "platform/message_boxes.h"
#include "wizard/calibration_record.h"

namespace vernium {

CalibratorForm::CalibratorForm(Session& session, CalibratorState& state,
                               const PreCalState& preCal, Grid& grdChannel,
                               MessageBoxes& messages, BackgroundRunner& reader)
    : session_(session),
      s_(state),
      preCal_(preCal),
      grdChannel_(grdChannel),
      messages_(messages),
      reader_(reader) {}

CalibratorForm::~CalibratorForm() {
  StopRead();
}

void CalibratorForm::StopRead() {
  readStop_.request_stop();
  reader_.WaitIdle();
}

void CalibratorForm::SetScale(double scaleX, double scaleY) {
  scaleX_ = scaleX;
  scaleY_ = scaleY;
}

ChannelConfig& CalibratorForm::Channel() {
  return session_.config.Channels[session_.config.CurrentChannel];
}

int CalibratorForm::Method() const {
  return preCal_.SelectedMethod();
}

bool CalibratorForm::IsSGC50B() {
  return Channel().CardType == kSGC50B;
}

std::string CalibratorForm::GridCardType() const {
  return grdChannel_.Cell(session_.config.CurrentRow, 5);
}

std::int16_t CalibratorForm::CardNumber() const {
  return CardChannelNumber(grdChannel_, session_.config.CurrentRow);
}

void CalibratorForm::Load() {
  const Configuration& c = session_.config;
  const int chan = c.CurrentChannel;
  closeRequested = false;
  readingsShown_ = 0;
  // Each opening starts from the window as designed, but for the directions
  // the parameter window has just written.
  std::string directions = std::move(s_.lblDirections.caption);
  s_ = CalibratorState{};
  s_.lblDirections.caption = std::move(directions);
  s_.caption = "Adjusting Channel " + c.Channels[chan].ChannelLabel;
  if (c.Channels[chan].CardType == kSGC10) {
    const int shown = chan % 2;
    for (int i = 0; i < 3; ++i) s_.picPots[static_cast<std::size_t>(i)].visible = i == shown;
    s_.picPotOn[static_cast<std::size_t>(shown)].left = 1020.0 * scaleX_;
  } else {
    s_.picPots[kPicSgc10Even].visible = false;
    s_.picPots[kPicSgc10Odd].visible = false;
    s_.picPots[kPicSgc50].visible = true;
    s_.picPotOn[kPicSgc50].top = 715.0 * scaleY_;
    s_.lblOverlayChanCaption = "CHANNEL " + GeneralFormat(static_cast<float>(chan % 8));
    // Laid out in twips at design time; scaled to the screen here.
    const CalibratorState design;
    s_.lblOverlayChan.left = design.lblOverlayChan.left * scaleX_;
    s_.lblOverlayChan.width = design.lblOverlayChan.width * scaleX_;
    s_.lblOverlayChan.top = design.lblOverlayChan.top * scaleY_;
    s_.lblOverlayChan.height = design.lblOverlayChan.height * scaleY_;
  }
  NamePictureParts();
  // Nothing is to be turned before the first step.
  for (auto& marker : s_.picPotOn) marker.visible = false;
  s_.WizardStep = 0;
  ShowStep();
  session_.GageScanList.channels.fill(chan);
}

void CalibratorForm::NamePictureParts() {
  const Configuration& c = session_.config;
  const int chan = c.CurrentChannel;
  CardPictureTexts& texts = s_.picPotsTexts;
  const std::string& cardType = c.Channels[chan].CardType;
  // A text that names no card leaves the picture's own.
  texts.cardType = IsCardType(cardType) ? cardType : "";
  const bool sgc10 = cardType == kSGC10;
  texts.channel = DesignatorsOf(sgc10, chan);
  if (sgc10) {
    texts.otherChannel = DesignatorsOf(true, chan ^ 1);  // the card's other channel
  } else {
    texts.partPrefix = std::to_string(chan % 8 + 1);
  }
}

void CalibratorForm::NextClick() {
  SetTimer(false);
  s_.cmdPrevious.enabled = s_.WizardStep >= 2;
  ++s_.WizardStep;
  const std::string cardType = GridCardType();
  const bool calSwitchCard = cardType == kSGC50A || cardType == kSGC50B;
  const int method = Method();
  if (s_.WizardStep == kStepOffset && calSwitchCard && method != kMethodShuntCal && !IsSGC50B()) {
    Say("Turn the CAL/NORM switch to NORM position", kSGC50A, MsgButtons::OK);
  }
  if (s_.WizardStep == kStepScaleGain && calSwitchCard && method == kMethodShuntCal) {
    if (!IsSGC50B()) {
      Say("Turn the CAL/NORM switch to NORM position", kSGC50A, MsgButtons::OK);
    } else {
      Say("Turn the CAL1 and CAL2 switches to the RUN position", kSGC50B, MsgButtons::OK);
    }
  }
  ShowStep();
}

void CalibratorForm::PreviousClick() {
  SetTimer(false);
  --s_.WizardStep;
  ShowStep();
}

void CalibratorForm::ExitMainClick() {
  SetTimer(false);
  const bool shuntCal = Method() == kMethodShuntCal;
  const bool incomplete = shuntCal ? s_.WizardStep < kStepScaleGain : s_.WizardStep < kStepComplete;
  if (incomplete) {
    messages_.Show(kNotCompletedText, "Attention!", MsgIcon::Information, MsgButtons::OK);
    MarkUncalibrated(session_.config, grdChannel_);
  }
  // The read in flight ends at once; what it brings back is dropped (the
  // timer is off).
  readStop_.request_stop();
  closeRequested = true;
  if (exitToMain_) exitToMain_();
}

void CalibratorForm::VerifyClick() {
  if (windows_ == nullptr || !s_.cmdVerify.visible) return;
  // The verification reads the unit itself; the wizard's reading is off at
  // the completion, and one still in flight is stopped first.
  SetTimer(false);
  StopRead();
  windows_->ShowModal(WindowId::frmVerify);
}

// ---- the live reading ----

void CalibratorForm::SetTimer(bool enabled) {
  if (!enabled) {
    // Whatever a read in flight brings back now belongs to another step.
    ++generation_;
    tickPending_ = false;
  }
  s_.tmrGage.enabled = enabled;
}

void CalibratorForm::GageTimerTick() {
  if (!s_.tmrGage.enabled) return;
  if (readInFlight_) {
    tickPending_ = true;
    return;
  }
  StartRead();
}

void CalibratorForm::StartRead() {
  AcqLibObject* acq = session_.AcqObject;
  if (acq == nullptr) return;
  readInFlight_ = true;
  const GageScanList list = session_.GageScanList;  // the worker reads its own copy
  auto result = std::make_shared<ReadResult>();
  const std::uint64_t generation = generation_;
  readStop_ = std::stop_source();
  reader_.Run(
      [acq, list, result, stop = readStop_.get_token(), this] {
        result->status = getOneScanAveraged(*acq, trace_, list.channels, list.gainCodes, list.flags,
                                            4, false, result->count, stop);
      },
      [this, generation, result] { ReadDone(generation, *result); });
}

void CalibratorForm::ReadDone(std::uint64_t generation, const ReadResult& result) {
  readInFlight_ = false;
  if (generation == generation_ && s_.tmrGage.enabled) ShowReading(result);
  if (tickPending_ && s_.tmrGage.enabled) {
    tickPending_ = false;
    StartRead();
  }
}

void CalibratorForm::ShowReading(const ReadResult& result) {
  if (result.status != 0) {
    // The timer stops before the box shows, so no read starts behind it.
    SetTimer(false);
    messages_.Show("Error::" + std::to_string(result.status) + std::string(kLostCommunications),
                   kAppTitle, MsgIcon::None, MsgButtons::OK);
    s_.WizardStep = kStepExcitation;
    ShowStep();
    return;
  }
  float v = 0.0f;
  bool railed = false;
  try {
    v = static_cast<float>(session_.SignedCountsToVolts->y(result.count));
    // The rail is the unit's input range, whatever scale the reading has.
    railed = std::fabs(session_.SignedCountsToVolts->yo(result.count)) >= kRailedVolts;
  } catch (const ArithmeticFault&) {
    return;  // a slope of zero: nothing sensible to show
  }
  s_.lblgage.caption = FormatNumber(v, "0.000");
  ++readingsShown_;
  if (!s_.lblTarget.caption.empty()) {
    guidance_.Add(session_.SystemTime().SecondsSinceMidnight(), v,
                  LeadingNumber(s_.lblTarget.caption), railed);
  }
  if (s_.WizardStep >= kStepOffset && s_.WizardStep <= kStepScaleGain) {
    MeasureStep(session_.config, s_.WizardStep, v);
  }
}

TurnAdvice CalibratorForm::Advice() const {
  if (!s_.tmrGage.enabled || s_.lblTarget.caption.empty()) return {};
  TurnedTrimpot turned;
  if (const std::optional<Trimpot> pot = StepTrimpot()) {
    const Configuration& c = session_.config;
    turned.sense = ClockwiseSense(c.Channels[c.CurrentChannel].CardType, *pot);
    // The excitation reads near 10 V: its error is told in volts.
    turned.errorInVolts = *pot == Trimpot::Excitation;
  }
  return guidance_.Advice(turned);
}

void CalibratorForm::MarkCalibrated() {
  ::vernium::MarkCalibrated(session_.config, grdChannel_, preCal_,
                            session_.SystemTime().Today());
  if (gridChanged_) gridChanged_();
  if (session_.UnsignedCountsToVolts && session_.SignedCountsToVolts) {
    RangeCountsToVolts(*session_.UnsignedCountsToVolts, *session_.SignedCountsToVolts);
  }
}

}  // namespace vernium
