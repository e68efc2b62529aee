// Coupling and filter changes of a card channel from the main window's grid
// and lists: the record, base-channel and grid updates, the recalibration
// question, the filter-gain resistor instruction and the card diagram.
#include <string>

#include "diagram/card_pic_state.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "shell/combo_text.h"
#include "shell/main_form.h"
#include "wizard/calibration_record.h"

namespace vernium {

namespace {

enum class FilterSetting { Bypass, X1, X2 };

FilterSetting SettingOfText(std::string_view text) {
  if (text == kFilterX1) return FilterSetting::X1;
  if (text == kFilterX2) return FilterSetting::X2;
  return FilterSetting::Bypass;
}

// What the technician does with the filter-gain resistor; empty for by-pass
// or a row without a card.
std::string ResistorInstruction(FilterSetting setting, std::string_view cardType, int n) {
  if (setting == FilterSetting::Bypass) return {};
  std::string resistor;
  if (cardType == kSGC10) {
    resistor = n % 2 == 1 ? "R46" : "R44";
  } else if (IsSgc50Family(cardType)) {
    resistor = "R" + std::to_string(CardDesignatorNumber(n)) + "44";
  } else {
    return {};
  }
  if (setting == FilterSetting::X1) return "Please, remove resistor " + resistor;
  return "Make sure resistor " + resistor + " is in place";
}

}  // namespace

std::int16_t MainForm::CardChannelNumber() const {
  return vernium::CardChannelNumber(grdChannel, session_.config.CurrentRow);
}

void MainForm::MarkUncalibrated() {
  const VerifyRefresh refresh{*this};
  vernium::MarkUncalibrated(config(), grdChannel);
}

void MainForm::ApplyFilterFromCombo() {
  const int index = cboFIlter.listIndex;
  const FilterSetting setting = index == 1   ? FilterSetting::X1
                                : index == 2 ? FilterSetting::X2
                                             : FilterSetting::Bypass;
  ApplyFilter(cboFIlter.text, false, static_cast<int>(setting));
}

void MainForm::ApplyFilterFromGrid(const std::string& text) {
  ApplyFilter(text, true, static_cast<int>(SettingOfText(text)));
}

void MainForm::ApplyFilter(const std::string& text, bool fromGrid, int settingIndex) {
  const auto setting = static_cast<FilterSetting>(settingIndex);
  Configuration& c = config();
  ClsWaitCursor wait(services_.pointer);

  const SelectedRow sel = ReadSelectedRow();
  if (!sel.IsCardChannel()) return;

  ChannelConfig& channel = c.Channels[c.CurrentChannel];
  c.Base[sel.b].Filter[sel.n - 1] = text;
  channel.FilterOption = text;

  if (text != sel.filter && sel.calibrated != "No") {
    const std::string_view question =
        fromGrid ? "   Do you want to recalibrate this channel?" : "   Do you want to recalibrate?";
    const MsgAnswer answer =
        services_.messages.Show(question, kAttentionTitle, MsgIcon::None, MsgButtons::OKCancel);
    if (answer != MsgAnswer::OK) return;
    grdChannel.Cell(sel.row, kColFilter) = text;
    if (fromGrid) ShowInCombo(cboFIlter, text);
    MarkUncalibrated();
  } else {
    grdChannel.Cell(sel.row, kColFilter) = text;
    if (fromGrid) ShowInCombo(cboFIlter, text);
  }

  const std::string instruction = ResistorInstruction(setting, sel.cardType, sel.n);
  if (!instruction.empty()) ShowInfo(instruction, kAttentionTitle);

  ShuntButton& resistor =
      cardPic_.FilterGainResistor[static_cast<std::size_t>(CardKindOf(sel.cardType))];
  resistor.visible = setting != FilterSetting::X1;
  channel.GainX2 = ToBool16(setting == FilterSetting::X2);
  channel.FilterOn = ToBool16(setting != FilterSetting::Bypass);
}

void MainForm::ApplyCoupling(const std::string& text) {
  Configuration& c = config();
  ClsWaitCursor wait(services_.pointer);

  const SelectedRow sel = ReadSelectedRow();
  if (!sel.IsCardChannel()) return;

  if (text == sel.coupling || sel.calibrated == "No") {
    grdChannel.Cell(sel.row, kColCoupling) = text;
    ShowInCombo(cboCoupling, text);
  } else {
    const MsgAnswer answer =
        services_.messages.Show("   Do you want to recalibrate this channel?", kAttentionTitle,
                                MsgIcon::None, MsgButtons::OKCancel);
    if (answer != MsgAnswer::OK) {
      cboCoupling.visible = false;
      lblDCACcoupling.visible = false;
      return;
    }
    grdChannel.Cell(sel.row, kColCoupling) = text;
    ShowInCombo(cboCoupling, text);
    c.Base[sel.b].CalStatus[sel.n - 1] = "No";
    grdChannel.Cell(sel.row, kColCalibrated) = "No";
    MarkUncalibrated();
  }

  c.Base[sel.b].Coupling[sel.n - 1] = text;
  cardPic_.whichCard[static_cast<std::size_t>(CardKindOf(sel.cardType))].value = false;
  c.Channels[c.CurrentChannel].DCCoupled = ToBool16(text != kCouplingAC);
}

}  // namespace vernium
