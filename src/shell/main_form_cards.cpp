// The card panel of the main window: declaring which cards sit on a base
// channel, under the limits of each card family.
#include <string>

#include "acquisition/base_availability.h"
#include "diagram/card_pic_state.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"
#include "shell/main_form.h"

namespace vernium {

namespace {

std::string SlotLabel(int b, int card, int channel) {
  return std::to_string(b) + "-" + std::to_string(card) + "-" + std::to_string(channel);
}

void GrowGrid(Grid& grid, int rows) {
  grid.Resize(grid.Rows() + rows, kGridCols);
}

}  // namespace

void MainForm::AddCardClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  const std::string label = RowText(c.CurrentRow, kColChannel);
  if (label.empty()) {
    cmdAddCard.enabled = false;
    HidePanel();
    return;
  }

  panelMode_ = PanelMode::Adding;
  lblAddOrDel.caption = "Add Cards to Base";
  CheckOnly(0);
  ShowCheckBoxes(true);
  cboChannel.visible = true;
  lblAddOrDel.visible = true;
  cmdOK.visible = true;
  cmdOK.enabled = false;
  cmdCancel.visible = true;
  cmdCancel.enabled = true;

  const int b = BaseOfLabel(label);
  if (c.Base[b].ChanCount > 0) {
    cmdViewCard.enabled = true;
    CmdCalibrate.enabled = true;
    cmdRemoveCard.enabled = true;
  }
  CheckOnly(0);

  const AcqDevice* device = session_.OpenDevice();
  if (IsRestrictedDevice(device)) {
    if (!IsBaseChannelAvailable(device, b)) {
      ShowCheckBoxes(false);
      lblInfo00.visible = true;
    } else {
      lblInfo00.visible = false;
    }
  }
  if (device != nullptr && device->DeviceType == 23 && device->DeviceSubType == 3) {
    cboChannel.items.at(0) = "Unavailable";
    cboChannel.items.at(1) = "Unavailable";
  }

  cboChannel.Select(b);
  ChannelListClick();
}

void MainForm::CardBoxClick(int index) {
  VERNIUM_EXPECTS(index >= 1 && index <= 4);
  CheckOnly(index);
  cmdOK.enabled = true;
}

void MainForm::OKClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  SelectCell(c.CurrentRow, 1);
  const int b = BaseOfLabel(RowText(c.CurrentRow, kColChannel));
  ClsWaitCursor wait(services_.pointer);

  if (AnyCheckBoxShown()) {
    ShowCheckBoxes(false);
    cmdOK.visible = false;
    cmdCancel.visible = false;
    const std::string rowType = RowText(c.CurrentRow, kColCardType);
    const int box = CheckedBox();
    if ((rowType == kSGC10 && (box == 2 || box == 3)) || (IsSgc50Family(rowType) && box == 1)) {
      ShowInfo("Different module types are not allowed in the same base channel", kAttentionTitle);
      wait.Cursor(PointerShape::Normal);
      lblAddOrDel.visible = false;
      cboChannel.visible = false;
      panelMode_ = PanelMode::Closed;
      return;
    }
    switch (box) {
      case 1:
        AddSGC10Card(b);
        break;
      case 2:
      case 3:
        AddSGC50Card(b);
        break;
      case 4:
        AddSGC50BCard(b);
        break;
      default:
        break;
    }
    if (box != 0) {
      FillGrid();
      cmdRemoveCard.enabled = true;
      cmdViewCard.enabled = true;
      CmdCalibrate.enabled = true;
      if (c.Base[b].ChanCount > 15) cmdAddCard.enabled = false;
    }
  } else {
    RemoveLastCard(b);
    FillGrid();
    cmdAddCard.enabled = true;
    if (c.Base[b].ChanCount < 1) {
      cmdViewCard.enabled = false;
      cmdRemoveCard.enabled = false;
      CmdCalibrate.enabled = false;
    }
  }

  HidePanel();
  wait.Cursor(PointerShape::Normal);
  SelectCell(c.CurrentRow, 1);
}

void MainForm::AddSGC50Card(int b) {
  const bool slotZeroAccepts = [&] {
    const std::string& t = config().Base[b].CardType[0];
    return t == kNoCard || IsSgc50Family(t);
  }();
  AddEightChannelCard(b, ctCheck1[3].checked ? kSGC50A : kSGC50, slotZeroAccepts,
                      "Only two SGC50 or 50A's per base channel.");
}

void MainForm::AddSGC50BCard(int b) {
  const bool slotZeroAccepts = [&] {
    const std::string& t = config().Base[b].CardType[0];
    return t == kNoCard || t == kSGC50B;
  }();
  AddEightChannelCard(b, kSGC50B, slotZeroAccepts, "Only two SGC50B's per base channel.");
}

// An SGC50-family card: eight slots labelled b-0-k for the first card and
// b-1-k for the second; the first card takes over the base channel's own row.
void MainForm::AddEightChannelCard(int b, std::string_view type, bool slotZeroAccepts,
                                   std::string_view fullMessage) {
  BaseChannel& base = config().Base[b];
  const int n = base.ChanCount;
  if (n > 15) {
    ShowInfo(fullMessage, "Channel Limitations Exceeded");
    cmdAddCard.enabled = false;
    services_.pointer.Set(PointerShape::Normal);
    return;
  }
  if (!slotZeroAccepts) return;
  for (int j = 0; j < 8; ++j) {
    base.ChanLabel[n + j] = SlotLabel(b, n == 0 ? 0 : 1, j);
    base.CardType[n + j] = type;
  }
  base.ChanCount = static_cast<std::int16_t>(n + 8);
  GrowGrid(grdChannel, base.ChanCount == 8 ? 7 : 8);
}

void MainForm::AddSGC10Card(int b) {
  Configuration& c = config();
  BaseChannel& base = c.Base[b];
  const int n = base.ChanCount;
  const std::string t = base.CardType[0];
  if (n > 15) {
    ShowInfo("Allowed  only  eight(8)  SGC10 ", kAttentionTitle);
    cmdAddCard.enabled = false;
    services_.pointer.Set(PointerShape::Normal);
    return;
  }
  if ((t == kSGC10 || t == kNoCard) && n < 15) {
    for (int j = 0; j < 2; ++j) {
      base.ChanLabel[n + j] = SlotLabel(b, n / 2, j);
      base.CardType[n + j] = kSGC10;
    }
    base.ChanCount = static_cast<std::int16_t>(n + 2);
    GrowGrid(grdChannel, base.ChanCount == 2 ? 1 : 2);
  }
}

void MainForm::RemoveLastCard(int b) {
  Configuration& c = config();
  BaseChannel& base = c.Base[b];
  const int n = base.ChanCount;
  const std::string t = base.CardType[0];
  int k = 0;
  if (n > 0 && t == kSGC10) k = 2;
  if (n > 0 && IsSgc50Family(t)) k = 8;
  if (k == 0) return;
  VERNIUM_EXPECTS(n >= k);

  for (int s = n - 1; s >= n - k; --s) {
    base.CardType[s] = kNoCard;
    base.CalStatus[s] = "No";
    base.Filter[s] = kFilterBypass;
    base.Coupling[s] = kCouplingDC;
    ChannelConfig& channel = c.Channels[ChannelFromLabel(base.ChanLabel[s], t)];
    channel.Calibrated = "No";
    channel.CardType = kNoCard;
    channel.DCCoupled = kTrue16;
    channel.FilterOn = kFalse16;
    channel.Active = kFalse16;
    channel.FilterOption = "No";
    channel.M = 0.0f;
    channel.B = 0.0f;
  }
  base.ChanCount = static_cast<std::int16_t>(n - k);
  const int rowsLost = base.ChanCount == 0 ? k - 1 : k;
  GrowGrid(grdChannel, -rowsLost);
}

void MainForm::RemoveCardClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  const std::string label = RowText(c.CurrentRow, kColChannel);
  if (label.size() < 3) {
    cmdRemoveCard.enabled = false;
    lblAddOrDel.visible = false;
    cmdOK.visible = false;
    cmdCancel.visible = false;
    cboChannel.visible = false;
    if (!AnyCheckBoxShown()) panelMode_ = PanelMode::Closed;
    return;
  }

  const int b = BaseOfLabel(label);
  panelMode_ = PanelMode::Removing;
  ShowCheckBoxes(false);
  lblAddOrDel.caption = "Remove Card From Base";
  lblAddOrDel.visible = true;
  cboChannel.visible = true;
  ShowChannelText(b);
  cmdOK.visible = true;
  cmdOK.enabled = true;
  cmdCancel.visible = true;
  cmdCancel.enabled = true;
  CmdCalibrate.enabled = true;
  cmdViewCard.enabled = true;
  cmdAddCard.enabled = c.Base[b].ChanCount < 16;

  FindBaseRow(b);
}

void MainForm::CancelClick() {
  const VerifyRefresh refresh{*this};
  CheckOnly(0);
  HidePanel();
}

void MainForm::ViewCardClick() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  c.NoCardsFlag = kFalse16;
  c.Channels[c.CurrentChannel].Active = kTrue16;

  const std::string label = RowText(c.CurrentRow, kColChannel);
  if (label.size() < 3) {
    cmdViewCard.enabled = false;
    return;
  }
  const std::string cardType = RowText(c.CurrentRow, kColCardType);
  c.CurrentChannel = ChannelFromLabel(label, cardType);

  HidePanel();
  cmdRemoveCard.enabled = true;
  CmdCalibrate.enabled = true;

  CardPicState& cardPic = cardPic_;
  cardPic.lblInstruction.caption = CardPicInstruction(c.Channels[c.CurrentChannel].CardType);
  SelectCardOption(cardPic, cardType);
  services_.windows.ShowModal(WindowId::CardPic);

  SelectCell(c.CurrentRow, 1);
}

}  // namespace vernium
