// The main window's menu commands: File New, Print configuration and Exit,
// Edit Display card data and Calibration History, the scaling-file option,
// the diagnostics window, help and About.
#include <string>

#include "calibration/message_catalogue.h"
#include "platform/configuration_printer.h"
#include "platform/help_viewer.h"
#include "platform/message_boxes.h"
#include "platform/windows.h"
#include "reports/summary_texts.h"
#include "shell/main_form.h"

namespace vernium {

namespace {

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

std::string DiagnosticsSgc50bNote() {
  std::string note;
  note +=
      "To view correct bridge, input, scaling and offset readings, CAL1 and CAL2 switch must "
      "be set correctly.";
  note += kCrLf;
  note += kCrLf;
  note += "To read bridge values CAL1 and CAL2 switches must be set to RUN.";
  note += kCrLf;
  note +=
      "To read input, offset, and scaling values CAL1 switch must be set to RUN and and CAL2 "
      "switch must be set to CAL.";
  note += kCrLf;
  return note;
}

void MainForm::NewConfiguration() {
  if (!AskToKeepChanges()) return;
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  c.Reinitializing = kTrue16;
  LoadMain();
  cmdRemoveCard.enabled = false;
  CmdCalibrate.enabled = false;
  cmdViewCard.enabled = false;
  cmdOK.visible = false;
  cmdCancel.visible = false;
  // The card panel is closed with the rest of the old configuration.
  cboChannel.visible = false;
  panelMode_ = PanelMode::Closed;
  c.Reinitializing = kFalse16;
  fileName_.clear();  // a new configuration has no file yet
  MarkUnnamedBase();
}

void MainForm::PrintConfiguration() {
  const Configuration& c = config();
  if (RowText(c.CurrentRow, kColCardType) == kNoCard) {
    ShowInfo(kNoCardsMessage, kAttentionTitle);
    return;
  }
  services_.printer.PrintSummary(c, PrintoutFactsOf(session_));
}

void MainForm::ExitProgram() {
  if (!AskToKeepChanges()) return;
  closeRequested = true;
}

void MainForm::DisplayCardData() {
  if (IsTrue(config().NoCardsFlag)) {
    ShowInfo(kNoCardsMessage, kAttentionTitle);
    return;
  }
  services_.windows.ShowModal(WindowId::CardConfig);
}

// The entry is checked from the start and nothing unchecks it.
void MainForm::WaveStudClick() {}

void MainForm::ShowHistory() {
  services_.windows.ShowModal(WindowId::frmHistory);
}

// Unchecked at the start: the scaling file is then what it has always been.
void MainForm::WriteVerifiedClick() {
  mnuWriteVerified.checked = !mnuWriteVerified.checked;
}

void MainForm::ShowDiagnostics() {
  const std::string cardType = RowText(config().CurrentRow, kColCardType);
  if (cardType == kNoCard) {
    ShowInfo(kNoCardsMessage, kAttentionTitle);
    return;
  }
  if (cardType == kSGC50A) {
    ShowInfo("Make sure the CAL/NORM switch in NORM position", kAttentionTitle);
  } else if (cardType == kSGC50B) {
    services_.messages.Show(DiagnosticsSgc50bNote(), "Please Note", MsgIcon::None, MsgButtons::OK);
  }
  services_.windows.ShowModal(WindowId::frmExpert);
}

void MainForm::ShowBench() {
  if (!mnuBench.enabled) return;
  services_.windows.Show(WindowId::Bench);
}

void MainForm::HelpContents() {
  services_.help.Open(kHelpFile, kHelpContents, 1);
}

void MainForm::HelpSearch() {
  HelpContents();
  services_.help.FocusSearch();
}

void MainForm::HelpOnHelp() {
  services_.help.Open(kHelpFile, kHelpOnHelp, 1);
}

void MainForm::About() {
  ShowMessage(services_.messages, kMsgAbout);
}

}  // namespace vernium
