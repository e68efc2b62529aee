#include "calibration/precal_state.h"

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/mouse_pointer.h"

namespace vernium {

std::string MethodName(int method) {
  switch (method) {
    case kMethodTwoPoint: return "Two Point";
    case kMethodShuntCal: return "Shunt Cal";
    default: return "Nameplate";
  }
}


PreCalState::PreCalState() {
  caption = "Application Parameters";
  Frame3D2.caption = "Calibration Method";
  fraTwoPoint.caption = "Application parameters";
  lblExcite.caption = "Excitation";
  lblExciteUnit.caption = "Volts";
  lblSense.caption = "Sensitivity";
  lblSenseUnit.caption = "mV/V";
  lblFullLoad.caption = "Sensor Full Rated Load";
  lblMaxLoad.caption = "Application Max Load";
  lblOffset.caption = "Quiesent/Tare";
  lblUnitsCaption.caption = "Units";
  lblPnt1mVolts.caption = "Point 1";
  lblPnt1Value.caption = "Point 1 value";
  lblPnt2mVolts.caption = "Point 2";
  lblPnt2Value.caption = "Point 2 value";
  lblShuntCalValue.caption = "Shunt cal value";
  for (auto& units : lblUnits) units.caption = "Pounds";
  cmdContinue.caption = "&Continue";
  cmdAnyCalCancel.caption = "C&ancel";
  cmdSensors.caption = "Se&nsors...";
  cmdSaveSensor.caption = "Save as Sens&or...";
  chkShowCalculation.caption = "Show calculation";
  optCalMethod[0].caption = "Nameplate Calibration";
  optCalMethod[1].caption = "Two_Point Calibration";
  optCalMethod[2].caption = "Shunt Calibration";
  optCalMethod[0].value = true;
}

int PreCalState::SelectedMethod() const {
  for (int i = 0; i < 3; ++i) {
    if (optCalMethod[static_cast<std::size_t>(i)].value) return i;
  }
  return kMethodNameplate;
}

void SwitchMethodOption(PreCalState& preCal, int index) {
  VERNIUM_EXPECTS(index >= 0 && index < 3);
  for (int i = 0; i < 3; ++i) preCal.optCalMethod[static_cast<std::size_t>(i)].value = i == index;
}

void LoadParameterForm(const Configuration& config, const Grid& grdChannel, PreCalState& preCal,
                       MousePointer& pointer, int chan) {
  pointer.Set(PointerShape::Hourglass);
  if (chan >= 0 && chan < kBaseChannels) {
    const int row = grdChannel.row;
    chan = ChannelFromLabel(grdChannel.Cell(row, 1), grdChannel.Cell(row, 5));
  }
  const ParameterFormTexts t = ParameterFormTextsFor(config.Channels[chan]);
  preCal.txtExcite.text = t.txtExcite;
  preCal.txtSense.text = t.txtSense;
  preCal.txtUnits.text = t.txtUnits;
  preCal.txtFullLoad.text = t.txtFullLoad;
  preCal.txtMaxLoad.text = t.txtMaxLoad;
  preCal.txtOffset.text = t.txtOffset;
  preCal.txtPnt1mVolts.text = t.txtPnt1mVolts;
  preCal.txtPnt1Value.text = t.txtPnt1Value;
  preCal.txtPnt2mVolts.text = t.txtPnt2mVolts;
  preCal.txtPnt2Value.text = t.txtPnt2Value;
  preCal.txtShuntCalValue.text = t.txtShuntCalValue;
  pointer.Set(PointerShape::Normal);
}

void EntriesInto(const PreCalState& s, ChannelConfig& record) {
  auto value = [](const TextBox& box) { return static_cast<float>(LeadingNumber(box.text)); };
  auto volts = [](const TextBox& box) { return static_cast<float>(LeadingNumber(box.text) * 0.001); };
  record.Excitation = value(s.txtExcite);
  record.Sensitivity = volts(s.txtSense);
  record.Units = s.txtUnits.text;
  record.FullLoad = value(s.txtFullLoad);
  record.MaxLoad = value(s.txtMaxLoad);
  record.Tare = value(s.txtOffset);
  record.Pnt1Volts = volts(s.txtPnt1mVolts);
  record.Pnt1Value = value(s.txtPnt1Value);
  record.Pnt2Volts = volts(s.txtPnt2mVolts);
  record.Pnt2Value = value(s.txtPnt2Value);
  record.ShuntCalValue = value(s.txtShuntCalValue);
}

EntryCheck CheckEntries(const PreCalState& p) {
  auto loneDecimalPoint = [](const TextBox& box) {
    const auto first = box.text.find_first_not_of(' ');
    return first != std::string::npos && box.text[first] == '.' &&
           box.text.find_first_not_of(' ', first + 1) == std::string::npos;
  };
  for (const TextBox* box :
       {&p.txtExcite, &p.txtSense, &p.txtFullLoad, &p.txtMaxLoad, &p.txtOffset, &p.txtPnt1mVolts,
        &p.txtPnt1Value, &p.txtPnt2mVolts, &p.txtPnt2Value, &p.txtShuntCalValue}) {
    if (loneDecimalPoint(*box)) return EntryCheck::LoneDecimalPoint;
  }
  if (p.txtMaxLoad.text.empty() || p.txtOffset.text.empty() || p.txtShuntCalValue.text.empty()) {
    return EntryCheck::EmptyEntry;
  }
  return EntryCheck::Usable;
}

ShuntOutput CheckShuntOutput(double shunt, double tare, double maxLoad, int method) {
  ShuntOutput out;
  if (!(shunt - tare == 0.0 && maxLoad - tare == 0.0)) {
    if (!(maxLoad > tare)) {
      out.maxAboveTare = false;
      return out;
    }
    out.v = 5.0 * (shunt - tare) / (maxLoad - tare);
  }
  out.outOfRange = (method == kMethodShuntCal && out.v > 5.0) || out.v < -5.0;
  return out;
}

}  // namespace vernium
