// The channel grid grdChannel: its layout and fill from the base-channel
// table, the copy of its rows into the channel records, row selection, the
// double-click editors, the base-channel list and the Calibrate button.
#include <algorithm>
#include <array>
#include <string>

#include "acquisition/base_availability.h"
#include "calibration/precal_state.h"
#include "diagram/card_pic_state.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"
#include "shell/combo_text.h"
#include "shell/main_form.h"

namespace vernium {

namespace {

constexpr int kGridInitialRows = 17;
constexpr std::array<int, kGridCols> kColWidthsTwips{1, 1000, 2000, 1100, 1100, 1200};
constexpr std::array<std::string_view, kGridCols> kHeaders{"",         "Channel",    "Filter/Gain",
                                                           "Coupling", "Calibrated", "Card Type"};

// Check box index of a card type: 1 SGC10, 2 SGC50, 3 SGC50A, 4 SGC50B.
int CheckBoxOf(std::string_view cardType) {
  if (cardType == kSGC10) return 1;
  if (cardType == kSGC50) return 2;
  if (cardType == kSGC50A) return 3;
  if (cardType == kSGC50B) return 4;
  return 0;
}

}  // namespace

void MainForm::SetupGrid() {
  config().GridRowCount = 16;
  LayOutGrid(kGridInitialRows);
  FillGrid();
}

// An empty grid of `rows` rows, the header row included.
void MainForm::LayOutGrid(int rows) {
  grdChannel.cells.clear();
  grdChannel.Resize(rows, kGridCols);
  for (int col = 0; col < kGridCols; ++col) {
    const auto i = static_cast<std::size_t>(col);
    grdChannel.colWidthsTwips[i] = kColWidthsTwips[i];
    grdChannel.Cell(0, col) = kHeaders[i];
  }
}

void MainForm::FillGrid() {
  Configuration& c = config();
  WriteGridRows();
  // A removal may have taken away the rows below the selected one, and any
  // refill may have put another channel on it.
  MoveCurrentRow(std::clamp(static_cast<int>(c.CurrentRow), 1, static_cast<int>(c.GridRowCount)));
  SyncRecordsFromGrid();
  SelectCell(c.CurrentRow, 1);
}

// The rows from the base-channel table: one a listed card channel, or the
// base channel's own row when it has no card.
void MainForm::WriteGridRows() {
  Configuration& c = config();
  int r = 0;
  auto writeRow = [&](const std::string& label, const BaseChannel& base, int slot) {
    ++r;
    grdChannel.Cell(r, kColChannel) = label;
    grdChannel.Cell(r, kColFilter) = base.Filter[slot];
    grdChannel.Cell(r, kColCoupling) = base.Coupling[slot];
    grdChannel.Cell(r, kColCalibrated) = base.CalStatus[slot];
    grdChannel.Cell(r, kColCardType) = base.CardType[slot];
  };
  for (int b = 0; b < kBaseChannels; ++b) {
    const BaseChannel& base = c.Base[b];
    if (base.ChanCount >= 1) {
      for (int s = 0; s < base.ChanCount; ++s) writeRow(base.ChanLabel[s], base, s);
    } else {
      writeRow(base.Name, base, 0);
    }
  }
  c.GridRowCount = static_cast<std::int16_t>(r);
}

void MainForm::SyncRecordsFromGrid() {
  Configuration& c = config();
  bool found = false;
  for (int r = 1; r <= c.GridRowCount; ++r) {
    const std::string& label = grdChannel.Cell(r, kColChannel);
    const std::string& filter = grdChannel.Cell(r, kColFilter);
    const std::string& coupling = grdChannel.Cell(r, kColCoupling);
    const std::string& calibrated = grdChannel.Cell(r, kColCalibrated);
    const std::string& cardType = grdChannel.Cell(r, kColCardType);
    if (!IsCardType(cardType)) continue;

    const int n = ChannelFromLabel(label, cardType);
    ChannelConfig& channel = c.Channels[n];
    channel.CardType = cardType;
    // A channel not yet calibrated starts again from the default parameters.
    if (calibrated == "No") ResetChannel(c, n, true);
    channel.ChannelLabel = label;
    channel.FilterOption = filter;
    channel.Active = kTrue16;
    c.NoCardsFlag = kFalse16;
    found = true;

    if (coupling == kCouplingAC) channel.DCCoupled = kFalse16;
    if (coupling == kCouplingDC) channel.DCCoupled = kTrue16;

    channel.FilterOn = ToBool16(filter == kFilterX1 || filter == kFilterX2);
    channel.GainX2 = ToBool16(filter == kFilterX2);
  }
  if (!found) c.NoCardsFlag = kTrue16;
  SelectCell(c.CurrentRow, 1);
}

std::int16_t MainForm::FindBaseRow(int b) {
  Configuration& c = config();
  for (int r = 1; r <= c.GridRowCount; ++r) {
    if (BaseOfLabel(grdChannel.Cell(r, kColChannel)) == b) {
      MoveCurrentRow(r);
      return c.CurrentRow;
    }
  }
  return 0;
}

void MainForm::GridClick(int row, int col) {
  const VerifyRefresh refresh{*this};
  // Only data cells can be clicked: the header row and column are fixed.
  if (row < 1 || row >= grdChannel.Rows() || col < 1 || col >= kGridCols) return;
  Configuration& c = config();
  c.CurrentRow = static_cast<std::int16_t>(row);
  c.CurrentCol = static_cast<std::int16_t>(col);
  SelectCell(row, 1);
  const std::string label = RowText(row, kColChannel);
  const std::string cardType = RowText(row, kColCardType);

  const int b = BaseOfLabel(label);
  ShowChannelText(b);
  const int n = BaseTable::InBounds(b) ? c.Base[b].ChanCount : 0;

  EnableMenus(true);
  lblInfo00.visible = false;

  HidePanel();
  if (label.size() >= 1 && label.size() <= 2) {
    CheckOnly(0);
    CmdCalibrate.enabled = false;
    cmdRemoveCard.enabled = false;
    cmdViewCard.enabled = false;
    cmdAddCard.enabled = true;
  } else if (label.size() >= 3 && label.size() <= 7) {
    cmdRemoveCard.enabled = true;
    cmdViewCard.enabled = true;
    CmdCalibrate.enabled = true;
    c.CurrentChannel = ChannelFromLabel(label, cardType);
    LoadParameterForm(c, grdChannel, preCal_, services_.pointer, c.CurrentChannel);
    if (n > 15) cmdAddCard.enabled = false;
    if (n < 15) cmdAddCard.enabled = true;
    CheckOnly(CheckBoxOf(cardType));
  } else {
    CheckOnly(0);
    CmdCalibrate.enabled = false;
    cmdRemoveCard.enabled = false;
    cmdAddCard.enabled = false;
    cmdViewCard.enabled = false;
    EnableMenus(false);
  }

  SelectCell(c.CurrentRow, c.CurrentCol);
  const bool cardRow = label.size() > 2;
  const bool filterCell = c.CurrentCol == kColFilter && cardRow;
  cboFIlter.visible = filterCell;
  lblFilterOption.visible = filterCell;
  if (filterCell) ShowInCombo(cboFIlter, RowText(c.CurrentRow, kColFilter));
  const bool couplingCell = c.CurrentCol == kColCoupling && cardRow;
  cboCoupling.visible = couplingCell;
  lblDCACcoupling.visible = couplingCell;
  if (couplingCell) ShowInCombo(cboCoupling, RowText(c.CurrentRow, kColCoupling));
}

void MainForm::GridDblClick() {
  Configuration& c = config();
  if (RowText(c.CurrentRow, kColChannel).size() < 3) return;

  if (c.CurrentCol == kColFilter) {
    const std::string& filter = RowText(c.CurrentRow, kColFilter);
    if (filter == kFilterX1) FilterCycleState = 2;
    if (filter == kFilterX2) FilterCycleState = 0;
    if (filter == kFilterBypass) FilterCycleState = 1;
    static constexpr std::array<std::string_view, 3> kCycle{kFilterBypass, kFilterX1, kFilterX2};
    ApplyFilterFromGrid(std::string(kCycle.at(static_cast<std::size_t>(FilterCycleState))));
  } else if (c.CurrentCol == kColCoupling) {
    const std::string& coupling = RowText(c.CurrentRow, kColCoupling);
    if (coupling == kCouplingDC) CouplingCycleState = 1;
    if (coupling == kCouplingAC) CouplingCycleState = 0;
    ApplyCoupling(std::string(CouplingCycleState == 0 ? kCouplingDC : kCouplingAC));
  }
}

void MainForm::GridKeyUp() {
  Configuration& c = config();
  LoadParameterForm(c, grdChannel, preCal_, services_.pointer, c.CurrentChannel);
}

void MainForm::ChannelListClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  const int b = cboChannel.listIndex;
  if (!BaseTable::InBounds(b)) return;

  FindBaseRow(b);
  SelectCell(c.CurrentRow, c.CurrentCol);

  const int n = c.Base[b].ChanCount;
  if (n > 15) {
    cmdAddCard.enabled = false;
    cmdRemoveCard.enabled = true;
    cmdViewCard.enabled = true;
    CmdCalibrate.enabled = true;
    HidePanel();
  } else if (panelMode_ != PanelMode::Closed) {
    // The open panel now serves the chosen base channel.
    cmdOK.visible = true;
    cmdCancel.visible = true;
    cmdAddCard.enabled = true;
    if (panelMode_ == PanelMode::Adding) ShowCheckBoxes(true);
    cmdRemoveCard.enabled = n > 0;
    cmdViewCard.enabled = n > 0;
    CmdCalibrate.enabled = n > 0;
  }

  cmdOK.enabled = true;

  if (const AcqDevice* device = session_.OpenDevice()) {
    if (IsRestrictedDevice(device)) {
      if (!IsBaseChannelAvailable(device, b)) {
        cmdOK.enabled = false;
        ShowCheckBoxes(false);
        lblInfo00.visible = true;
      } else {
        lblInfo00.visible = false;
      }
    } else {
      cmdOK.enabled = true;
      lblInfo00.visible = false;
    }
  }
}

// A choice counts only in a list that is open: it edits the row it was
// opened over, which is the current row.
void MainForm::CouplingListClick() {
  if (!cboCoupling.visible) return;
  Configuration& c = config();
  ClsWaitCursor wait(services_.pointer);
  const SelectedRow sel = ReadSelectedRow();
  if (!sel.IsCardChannel()) return;

  const std::string chosen = cboCoupling.text;
  if (chosen != sel.coupling && sel.calibrated != "No") {
    const MsgAnswer answer = services_.messages.Show(
        "   Do you want to recalibrate?", kAttentionTitle, MsgIcon::None, MsgButtons::OKCancel);
    if (answer != MsgAnswer::OK) return;
    grdChannel.Cell(sel.row, kColCoupling) = chosen;
    MarkUncalibrated();
  } else {
    grdChannel.Cell(sel.row, kColCoupling) = chosen;
  }

  c.Base[sel.b].Coupling[sel.n - 1] = chosen;
  cardPic_.whichCard[static_cast<std::size_t>(CardKindOf(sel.cardType))]
      .value = false;
  c.Channels[c.CurrentChannel].DCCoupled = ToBool16(cboCoupling.listIndex != 1);
}

void MainForm::FilterListClick() {
  if (!cboFIlter.visible) return;
  ApplyFilterFromCombo();
}

void MainForm::RefreshVerifyButton() {
  const Configuration& c = config();
  const int row = c.CurrentRow;
  if (row < 1 || row >= grdChannel.Rows() || grdChannel.Cols() < kGridCols) {
    CmdVerify.enabled = false;
    return;
  }
  const std::string& label = RowText(row, kColChannel);
  const std::string& calibrated = RowText(row, kColCalibrated);
  CmdVerify.enabled = CmdCalibrate.enabled && label.size() >= 3 && !calibrated.empty() &&
                      calibrated != "No";
}

void MainForm::VerifyClick() {
  RefreshVerifyButton();
  if (!CmdVerify.enabled) return;
  Configuration& c = config();
  c.CurrentChannel =
      ChannelFromLabel(RowText(c.CurrentRow, kColChannel), RowText(c.CurrentRow, kColCardType));
  if (c.Channels[c.CurrentChannel].Calibrated == "No") return;
  services_.windows.ShowModal(WindowId::frmVerify);
}

void MainForm::CalibrateClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  SelectCell(c.CurrentRow, c.CurrentCol);
  const std::string label = RowText(c.CurrentRow, kColChannel);
  const std::string cardType = RowText(c.CurrentRow, kColCardType);
  if (label.size() < 3) {
    CmdCalibrate.enabled = false;
    return;
  }
  c.CurrentChannel = ChannelFromLabel(label, cardType);
  ChannelConfig& channel = c.Channels[c.CurrentChannel];
  channel.CardType = cardType;
  channel.ChannelLabel = label;

  LoadParameterForm(c, grdChannel, preCal_, services_.pointer, c.CurrentChannel);
  SwitchMethodOption(preCal_, kMethodNameplate);
  channel.Active = kTrue16;

  HidePanel();
  cmdRemoveCard.enabled = true;
  cmdViewCard.enabled = true;

  ShowCardSettings(cardPic_, c, services_.pointer, services_.messages);
  services_.windows.ShowModal(WindowId::PreCal);
}

}  // namespace vernium
