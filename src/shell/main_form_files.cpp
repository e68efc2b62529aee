// The File menu's configuration commands: Open, Save, Save As, the recent
// files, the last session kept at exit and the scales export; the caption
// that names the open file and shows "*" while it has unsaved changes, and
// the Save / Discard / Cancel question before they would be lost.
#include <algorithm>
#include <exception>
#include <string>

#include "acquisition/base_availability.h"
#include "acquisition/device_selection.h"
#include "platform/file_chooser.h"
#include "platform/message_boxes.h"
#include "shell/main_form.h"
#include "storage/configuration_file.h"
#include "storage/data_folder.h"
#include "storage/scales_export.h"

namespace vernium {

namespace {

constexpr std::string_view kOpenTitle = "Open Configuration";
constexpr std::string_view kSaveTitle = "Save Configuration";
constexpr std::string_view kRestoreTitle = "Restore Last Session";
constexpr std::string_view kExportTitle = "Export Scales";

std::string NameOf(const std::filesystem::path& file) {
  return file.filename().string();
}

}  // namespace

void MainForm::UseFiles(FileServices files) {
  files_.emplace(files);
  RefreshFileState();
}

std::filesystem::path MainForm::LastSessionPath() const {
  if (!files_ || files_->dataFolder.empty()) return {};
  return files_->dataFolder / kLastSessionFile;
}

bool MainForm::HasUnsavedChanges() const {
  return !saved_ || !SameContent(session_.config, *saved_) ||
         mnuWriteVerified.checked != savedWriteVerified_;
}

void MainForm::RefreshFileState() {
  if (!files_) return;
  opener.enabled = true;
  saver.enabled = true;
  saverAs.enabled = true;
  mnuExportScales.enabled = true;
  std::error_code failed;
  const std::filesystem::path last = LastSessionPath();
  mnuRestoreSession.enabled = !last.empty() && std::filesystem::is_regular_file(last, failed);
  const std::vector<std::string>& recent = files_->recent.Files();
  mnuRecent.enabled = !recent.empty();
  for (std::size_t i = 0; i < mnuRecentFile.size(); ++i) {
    MenuEntry& entry = mnuRecentFile[i];
    entry.visible = i < recent.size();
    entry.enabled = entry.visible;
    entry.caption = entry.visible ? RecentFiles::Caption(i, recent[i]) : std::string();
  }
  caption = fileName_.empty() ? std::string(kMainCaption)
                              : NameOf(fileName_) + (HasUnsavedChanges() ? "*" : "") + " - " +
                                    std::string(kMainCaption);
}

// With no file named, New and Exit behave as they always have: nothing is
// asked. What would put another configuration in place of one that was
// never saved (Open, a recent file, the last session) asks first, once
// there is work since the start to lose.
bool MainForm::AskToKeepChanges(bool unnamedToo) {
  if (!files_) return true;
  if (fileName_.empty()) {
    if (!unnamedToo || (SameContent(session_.config, unnamedBase_) &&
                        mnuWriteVerified.checked == unnamedBaseWriteVerified_)) {
      return true;
    }
    const MsgAnswer answer = services_.messages.Show(
        "The configuration has not been saved. Save it first?", kMainCaption, MsgIcon::Question,
        MsgButtons::SaveDiscardCancel);
    if (answer == MsgAnswer::Save) {
      SaveAsClick();
      return !fileName_.empty() && !HasUnsavedChanges();
    }
    return answer == MsgAnswer::Discard;
  }
  if (!HasUnsavedChanges()) return true;
  const MsgAnswer answer = services_.messages.Show(
      "The changes to \"" + NameOf(fileName_) + "\" have not been saved. Save them?", kMainCaption,
      MsgIcon::Question, MsgButtons::SaveDiscardCancel);
  if (answer == MsgAnswer::Save) return SaveTo(fileName_);
  return answer == MsgAnswer::Discard;
}

bool MainForm::QueryClose() {
  return closeRequested || AskToKeepChanges();
}

void MainForm::OpenClick() {
  if (!files_ || !AskToKeepChanges(true)) return;
  FileQuestion question{FileAction::Open, "Open Configuration", std::string(kConfigurationFilter),
                        fileName_.empty() ? std::string() : fileName_.parent_path().string()};
  if (const auto chosen = files_->chooser.Choose(question)) OpenFrom(*chosen);
}

void MainForm::RecentFileClick(int index) {
  if (!files_ || index < 0) return;
  const std::vector<std::string>& recent = files_->recent.Files();
  if (static_cast<std::size_t>(index) >= recent.size()) return;
  const std::string file = recent[static_cast<std::size_t>(index)];
  if (!AskToKeepChanges(true)) return;
  if (!OpenFrom(file)) files_->recent.Remove(file);
}

void MainForm::SaveClick() {
  if (!files_) return;
  if (fileName_.empty()) {
    SaveAsClick();
  } else {
    SaveTo(fileName_);
  }
}

void MainForm::SaveAsClick() {
  if (!files_) return;
  FileQuestion question{FileAction::Save, "Save Configuration As",
                        std::string(kConfigurationFilter),
                        fileName_.empty() ? "configuration.vernium" : fileName_.string()};
  const auto chosen = files_->chooser.Choose(question);
  if (!chosen) return;
  std::filesystem::path file = *chosen;
  if (file.extension() != kConfigurationExtension) file += kConfigurationExtension;
  SaveTo(file);
}

bool MainForm::SaveTo(const std::filesystem::path& file) {
  ConfigurationFacts facts;
  if (const AcqDevice* device = session_.OpenDevice()) facts.unit = device->DeviceName;
  facts.writeVerified = mnuWriteVerified.checked;
  const std::string problem = WriteFileAtomically(file, ConfigurationText(session_.config, facts));
  if (!problem.empty()) {
    services_.messages.Show(
        "The configuration cannot be saved as \"" + NameOf(file) + "\": " + problem + ".",
        kSaveTitle, MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  fileName_ = std::filesystem::absolute(file);
  MarkSaved();
  files_->recent.Add(fileName_.string());
  return true;
}

// A document read from a file or the last session takes the place of the
// configuration: the records, the option, the grid redrawn from them.
void MainForm::TakeDocument(const ConfigurationDocument& document) {
  TakeContent(session_.config, document.config);
  mnuWriteVerified.checked = document.facts.writeVerified;
  ShowConfiguration();
  WarnOfUnavailableBases(document.facts.unit);
}

bool MainForm::OpenFrom(const std::filesystem::path& file) {
  ReadConfiguration read = ReadConfigurationFile(file);
  if (!read.document) {
    services_.messages.Show(
        "The file \"" + NameOf(file) + "\" cannot be opened: " + read.problem + ".", kOpenTitle,
        MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  TakeDocument(*read.document);
  fileName_ = std::filesystem::absolute(file);
  MarkSaved();
  files_->recent.Add(fileName_.string());
  return true;
}

void MainForm::RestoreLastSession() {
  if (!files_ || !AskToKeepChanges(true)) return;
  const std::filesystem::path last = LastSessionPath();
  std::error_code failed;
  if (last.empty() || !std::filesystem::is_regular_file(last, failed)) {
    ShowInfo("There is no last session to restore.", kRestoreTitle);
    return;
  }
  ReadConfiguration read = ReadConfigurationFile(last);
  if (!read.document) {
    services_.messages.Show("The last session cannot be restored: " + read.problem + ".",
                            kRestoreTitle, MsgIcon::Exclamation, MsgButtons::OK);
    return;
  }
  TakeDocument(*read.document);
  // The session names the file it was last opened from or saved as; its
  // changes since then are shown as unsaved, as they were.
  fileName_ = read.document->facts.sourceFile;
  saved_.reset();
  MarkUnnamedBase();
  if (!fileName_.empty()) {
    ReadConfiguration named = ReadConfigurationFile(fileName_);
    if (named.document) {
      saved_ = session_.config;
      TakeContent(*saved_, named.document->config);
      savedWriteVerified_ = named.document->facts.writeVerified;
    }
  }
}

void MainForm::ExportScales() {
  if (!files_) return;
  if (ExportedChannelCount(config()) == 0) {
    ShowInfo("No channel is calibrated: there are no scales to export.", kExportTitle);
    return;
  }
  FileQuestion question{FileAction::Save, "Export Scales", std::string(kScalesFilter),
                        fileName_.empty()
                            ? std::string(kScalesSuggestedName)
                            : (fileName_.parent_path() / kScalesSuggestedName).string()};
  const auto chosen = files_->chooser.Choose(question);
  if (!chosen) return;
  std::filesystem::path file = *chosen;
  if (!file.has_extension()) file += ".csv";
  const std::string problem = WriteFileAtomically(file, ScalesCsv(config()));
  if (!problem.empty()) {
    services_.messages.Show(
        "The scales cannot be written to \"" + NameOf(file) + "\": " + problem + ".", kExportTitle,
        MsgIcon::Exclamation, MsgButtons::OK);
  }
}

// The opened configuration on the grid as it was saved: its rows written
// from the base-channel table without reading them back into the records
// (which would reset the parameters of a channel not yet calibrated), the
// card panel closed and the saved row selected.
void MainForm::ShowConfiguration() {
  Configuration& c = config();
  int rows = 1;
  for (const BaseChannel& base : c.Base) rows += std::max<int>(1, base.ChanCount);
  HidePanel();
  LayOutGrid(rows);
  WriteGridRows();
  cmdRemoveCard.enabled = false;
  CmdCalibrate.enabled = false;
  cmdViewCard.enabled = false;
  cmdAddCard.enabled = true;
  FilterCycleState = 0;
  CouplingCycleState = 0;
  const int row = std::clamp<int>(c.CurrentRow, 1, c.GridRowCount);
  const int col = std::clamp<int>(c.CurrentCol, kColChannel, kGridCols - 1);
  MoveCurrentRow(row);
  // The row is taken as a click on its label takes it; the column the
  // technician was last in is kept as it was saved.
  GridClick(row, kColChannel);
  c.CurrentCol = static_cast<std::int16_t>(col);
}

// A configuration made for another unit may have cards on base channels this
// one keeps for itself; it opens as it was saved, and the technician is told.
void MainForm::WarnOfUnavailableBases(const std::string& unit) {
  const AcqDevice* device = session_.OpenDevice();
  std::string bases;
  for (int b = 0; b < kBaseChannels; ++b) {
    if (config().Base[b].ChanCount > 0 && !IsBaseChannelAvailable(device, b)) {
      bases += (bases.empty() ? "" : ", ") + std::to_string(b);
    }
  }
  if (bases.empty()) return;
  ShowInfo("This configuration has cards on base channels (" + bases +
               ") that the open acquisition unit does not offer to cards" +
               (unit.empty() ? std::string() : "; it was saved on " + unit) + ".",
           kAttentionTitle);
}

void MainForm::MarkSaved() {
  saved_ = session_.config;
  savedWriteVerified_ = mnuWriteVerified.checked;
}

void MainForm::MarkStartingPoint() {
  atStart_ = session_.config;
  writeVerifiedAtStart_ = mnuWriteVerified.checked;
  MarkUnnamedBase();
}

void MainForm::MarkUnnamedBase() {
  unnamedBase_ = session_.config;
  unnamedBaseWriteVerified_ = mnuWriteVerified.checked;
}

// At exit: the configuration is kept in the data folder as the last session.
// A run that changed nothing (or never got past the device selection)
// leaves the last one as it was, so starting and ending the program without
// restoring does not lose it.
void MainForm::KeepLastSession() {
  const std::filesystem::path last = LastSessionPath();
  if (last.empty() || session_.DeviceSelState == kDeviceSelCancelled) return;
  if (SameContent(session_.config, atStart_) && mnuWriteVerified.checked == writeVerifiedAtStart_) {
    return;
  }
  // The default data folder is made the first time something is kept in it.
  if (!PrepareDataFolder(last.parent_path()).empty()) return;
  ConfigurationFacts facts;
  if (const AcqDevice* device = session_.OpenDevice()) facts.unit = device->DeviceName;
  facts.writeVerified = mnuWriteVerified.checked;
  facts.sourceFile = fileName_.string();
  WriteFileAtomically(last, ConfigurationText(session_.config, facts));
}

}  // namespace vernium
