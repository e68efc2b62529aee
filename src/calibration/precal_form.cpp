#include "calibration/precal_form.h"

#include <algorithm>
#include <array>

#include "calibration/gain_calc.h"
#include "calibration/headroom_planner.h"
#include "calibration/numeric_fields.h"
#include "calibration/sensor_library.h"
#include "model/card_designators.h"
#include "model/numeric_text.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"

namespace vernium {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kAttention = "Attention!";

double Value(const TextBox& box) {
  return LeadingNumber(box.text);
}
float Single(const TextBox& box) {
  return static_cast<float>(LeadingNumber(box.text));
}

}  // namespace

std::string MethodDirections(int method, std::string_view card) {
  switch (method) {
    case kMethodNameplate:
      return "Nameplate calibration allows you to enter parameters for your strain gage and the "
             "application in which it is being used. The last step of calibration requires that "
             "the load cell be attached.";
    case kMethodTwoPoint:
      return "Two point calibration allows you to calibrate the card with a strain gage whose "
             "strain gage speci"
             "fications are not known.  You must know the output of the "
             "gage for "
             "at least two points. The last step of calibration requires that the load cell be "
             "attached.";
    default:
      return "Shunt calibration allows you to calibrate the channel using the user-supplied "
             "shunts in the " +
             std::string(card) +
             " to simulate a physical load. See the User's Manual to connect the appropriate "
             "shunt resistors to the desired " +
             std::string(card) +
             " channel to perform this cal procedure. This procedure is done with the load cell "
             "attached.";
  }
}

PreCalForm::PreCalForm(Configuration& config, PreCalState& state, Label& wizardDirections,
                       const Grid& grdChannel, MessageBoxes& messages, MousePointer& pointer,
                       WindowOpener& windows)
    : config_(config),
      s_(state),
      wizardDirections_(wizardDirections),
      grdChannel_(grdChannel),
      messages_(messages),
      pointer_(pointer),
      windows_(windows) {}

TextBox* PreCalForm::Field(std::string_view name) {
  const std::array<std::pair<std::string_view, TextBox*>, 11> fields{{
      {"txtExcite", &s_.txtExcite},
      {"txtSense", &s_.txtSense},
      {"txtUnits", &s_.txtUnits},
      {"txtFullLoad", &s_.txtFullLoad},
      {"txtMaxLoad", &s_.txtMaxLoad},
      {"txtOffset", &s_.txtOffset},
      {"txtPnt1mVolts", &s_.txtPnt1mVolts},
      {"txtPnt1Value", &s_.txtPnt1Value},
      {"txtPnt2mVolts", &s_.txtPnt2mVolts},
      {"txtPnt2Value", &s_.txtPnt2Value},
      {"txtShuntCalValue", &s_.txtShuntCalValue},
  }};
  for (const auto& [fieldName, box] : fields) {
    if (fieldName == name) return box;
  }
  return nullptr;
}

void PreCalForm::Activate() {
  const Configuration& c = config_;
  const ChannelConfig& channel = c.Channels[c.CurrentChannel];
  s_.caption = "Application Parameters - Channel " + channel.ChannelLabel;
  const bool sgc10 = channel.CardType == kSGC10;
  s_.optCalMethod[kMethodShuntCal].visible = !sgc10;
  int method = s_.SelectedMethod();
  if (sgc10 && method == kMethodShuntCal) method = kMethodNameplate;
  SelectMethod(method);
  ShowUnits(channel.Units);
  const bool library = sensors_ != nullptr && sensors_->Available();
  s_.cmdSensors.enabled = library;
  s_.cmdSaveSensor.enabled = library;
}

void PreCalForm::SelectMethod(int index) {
  const std::string card = grdChannel_.Cell(config_.CurrentRow, 5);
  wizardDirections_.caption = MethodDirections(index, card);
  ApplyFieldStates(index);
  SwitchMethodOption(s_, index);
}

void PreCalForm::ApplyFieldStates(int method) {
  const bool nameplate = method == kMethodNameplate;
  const bool points = !nameplate;
  const bool shunt = method == kMethodShuntCal;
  auto set = [](TextBox& box, Label& caption, bool enabled) {
    box.enabled = enabled;
    caption.enabled = enabled;
  };
  set(s_.txtExcite, s_.lblExcite, true);
  set(s_.txtMaxLoad, s_.lblMaxLoad, true);
  set(s_.txtOffset, s_.lblOffset, true);
  set(s_.txtUnits, s_.lblUnitsCaption, true);
  set(s_.txtSense, s_.lblSense, nameplate);
  s_.lblSenseUnit.enabled = nameplate;
  set(s_.txtFullLoad, s_.lblFullLoad, nameplate);
  set(s_.txtPnt1mVolts, s_.lblPnt1mVolts, points);
  set(s_.txtPnt1Value, s_.lblPnt1Value, points);
  set(s_.txtPnt2mVolts, s_.lblPnt2mVolts, points);
  set(s_.txtPnt2Value, s_.lblPnt2Value, points);
  set(s_.txtShuntCalValue, s_.lblShuntCalValue, shunt);
}

void PreCalForm::ShowUnits(const std::string& units) {
  for (auto& label : s_.lblUnits) label.caption = units;
}

std::string PreCalForm::JumperAdvice(int p) const {
  const ChannelConfig& channel = config_.Channels[config_.CurrentChannel];
  const bool sgc10 = channel.CardType == kSGC10;
  if (!sgc10 && !IsSgc50Family(channel.CardType)) return "";
  std::string filterLine;
  std::string couplingJumper;
  if (sgc10) {
    const bool odd = p % 2 == 1;
    filterLine = std::string("Filter must be bypassed while calibrating unit, Move jumper JP") +
                 (odd ? "5" : "4") + " to bypass position.";
    couplingJumper = odd ? "2" : "3";
  } else {
    const std::string q = std::to_string(CardDesignatorNumber(p));
    filterLine = s_.SelectedMethod() == kMethodShuntCal
                     ? "Filter must be engaged while calibrating unit, move jumper JP" + q +
                           "04 to filter position"
                     : "Filter must be bypassed while calibrating unit, move jumper JP" + q +
                           "04 to bypass position";
    couplingJumper = q + "03";
  }
  const std::string couplingLine =
      "Channel needs to be set to DC coupling for calibration. Install jumper JP" + couplingJumper;
  const bool ac = !IsTrue(channel.DCCoupled);
  if (IsTrue(channel.FilterOn)) {
    std::string text = filterLine + std::string(kCrLf) + std::string(kCrLf);
    if (ac) text += couplingLine + std::string(kCrLf) + std::string(kCrLf);
    return text +
           "All jumpers will be set to user defined settings in the final steps of "
           "calibration.";
  }
  return ac ? couplingLine : "";
}

void PreCalForm::ContinueClick() {
  Configuration& c = config_;
  const int method = s_.SelectedMethod();
  SelectMethod(method);

  switch (CheckEntries(s_)) {
    case EntryCheck::LoneDecimalPoint:
      messages_.Show("Please enter valid data.", kDataValidationTitle, MsgIcon::Information,
                     MsgButtons::OK);
      focusRequest = "txtExcite";
      return;
    case EntryCheck::EmptyEntry:
      messages_.Show(" Please enter valid data.", kDataValidationTitle, MsgIcon::Information,
                     MsgButtons::OK);
      return;
    case EntryCheck::Usable:
      break;
  }

  const int p =
      CardChannelNumber(grdChannel_.Cell(c.CurrentRow, 1), grdChannel_.Cell(c.CurrentRow, 5));

  const ShuntOutput shunt =
      CheckShuntOutput(Value(s_.txtShuntCalValue), Value(s_.txtOffset), Value(s_.txtMaxLoad), method);
  if (!shunt.maxAboveTare) {
    messages_.Show(" The Application Max Load value must be greater than the Quiescent/Tare value.",
                   kDataValidationTitle, MsgIcon::Exclamation, MsgButtons::OKCancel);
    focusRequest = "txtMaxLoad";
    return;
  }
  if (shunt.outOfRange) {
    messages_.Show(
        " Proper gains cannot be determined for this application. The desired gains may be "
        "achieved by performing a manual adjustment of the strain gage card. See the examples in "
        "the User's Manual for more information.",
        kAttention, MsgIcon::Information, MsgButtons::OK);
    return;
  }

  if (const std::string advice = JumperAdvice(p); !advice.empty()) {
    messages_.Show(advice, kAttention, MsgIcon::Information, MsgButtons::OK);
  }

  StoreAppParams(c.CurrentChannel);

  if (method != kMethodNameplate) {
    TwoPointToNameplate(c, c.CurrentChannel, Single(s_.txtPnt1mVolts), Single(s_.txtPnt1Value),
                        Single(s_.txtPnt2mVolts), Single(s_.txtPnt2Value), messages_);
  }
  const bool calculated = CalcGains(c, c.CurrentChannel, messages_);
  windows_.Hide(WindowId::PreCal);
  if (calculated) windows_.ShowModal(WindowId::Calibrator);
}

void PreCalForm::ShowCalculationClick() {
  s_.chkShowCalculation.checked = !s_.chkShowCalculation.checked;
}

std::string PreCalForm::CalculationText() const {
  const Configuration& c = config_;
  const ChannelConfig& channel = c.Channels[std::clamp<int>(c.CurrentChannel, kFirstChannel,
                                                            kLastChannel)];
  return HeadroomText(PlanHeadroom(s_, s_.SelectedMethod(), channel));
}

void PreCalForm::AnyCalCancelClick() {
  windows_.Hide(WindowId::PreCal);
}

void PreCalForm::StoreAppParams(int channel) {
  ClsWaitCursor wait(pointer_);
  EntriesInto(s_, config_.Channels[channel]);
}

// ---- the sensor library ----

void PreCalForm::SensorsClick() {
  if (!s_.cmdSensors.enabled) return;
  savingSensor_ = false;
  windows_.ShowModal(WindowId::frmSensors);
}

void PreCalForm::SaveSensorClick() {
  if (!s_.cmdSaveSensor.enabled) return;
  savingSensor_ = true;
  windows_.ShowModal(WindowId::frmSensors);
}

Sensor PreCalForm::EnteredSensor() const {
  return Sensor{"",
                "",
                s_.txtExcite.text,
                s_.txtSense.text,
                s_.txtFullLoad.text,
                s_.txtUnits.text,
                s_.txtShuntCalValue.text};
}

void PreCalForm::FillFromSensor(const Sensor& sensor) {
  const std::pair<std::string_view, const std::string*> entries[] = {
      {"txtExcite", &sensor.excitation},
      {"txtSense", &sensor.sensitivity},
      {"txtFullLoad", &sensor.fullLoad},
      {"txtUnits", &sensor.units},
      {"txtShuntCalValue", &sensor.shuntCalValue},
  };
  for (const auto& [name, text] : entries) {
    TextBox* box = Field(name);
    if (!box->enabled) continue;
    FieldGotFocus(name);
    box->text.clear();  // the first key replaces the selected text
    for (const char c : *text) {
      if (c == kKeyBackspace) {
        if (!box->text.empty()) box->text.pop_back();
      } else if (FieldKeyPress(name, static_cast<unsigned char>(c))) box->text += c;
    }
    FieldLostFocus(name);
  }
}

// ---- the fields ----

void PreCalForm::FieldGotFocus(std::string_view name) {
  if (TextBox* box = Field(name)) {
    box->selStart = 0;
    box->selLength = static_cast<int>(box->text.size());
  }
}

bool PreCalForm::FieldKeyPress(std::string_view name, int keyCode) {
  if (name == "txtUnits") return UnitsKeyFilter(keyCode);
  if (FindNumericField(name) == nullptr) return Field(name) != nullptr;
  return KeyFilter(keyCode, Field(name)->text);
}

bool PreCalForm::FieldKeyDown(std::string_view name, int keyCode) {
  if (keyCode != kKeyEnter || Field(name) == nullptr) return false;
  FieldLostFocus(name);
  FieldGotFocus(name);
  return true;
}

void PreCalForm::FieldLostFocus(std::string_view name) {
  TextBox* box = Field(name);
  if (box == nullptr) return;
  if (name == "txtUnits") {
    if (const std::string kept = WithoutRecordBreaks(box->text); kept != box->text) {
      messages_.Show(kUnitsRefused, kDataValidationTitle, MsgIcon::Information, MsgButtons::OK);
      box->text = kept;
      focusRequest = "txtUnits";
    }
    box->text = UnitsRule(box->text);
    ShowUnits(box->text);
    return;
  }
  const NumericField* field = FindNumericField(name);
  if (field == nullptr) return;
  const RangeCheck check = ValidateRange(messages_, box->text, *field);
  box->text = check.text;
  if (check.refocus) focusRequest = std::string(name);
}

}  // namespace vernium
