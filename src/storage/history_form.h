#pragma once
// The calibration history window "frmHistory" (Edit > Calibration History):
// every calibration and check kept, newest first, filtered by channel label.
// Where a channel was checked before and after a recalibration, the check
// before is its as-found and the first check after its as-left, shown side
// by side for the selected entry. A check whose certificate was made prints
// it again, from its entry, exactly as it was; the selected entries (all
// listed when none is selected) go to a CSV file.

#include <string>
#include <vector>

#include "platform/controls.h"
#include "verify/history_entry.h"

namespace vernium {

class ConfigurationPrinter;
class FileChooser;
class HistoryKeeper;
class MessageBoxes;

// Columns of grdHistory (row 0 the headers).
inline constexpr int kHistColWhen = 1;
inline constexpr int kHistColChannel = 2;
inline constexpr int kHistColCard = 3;
inline constexpr int kHistColEntry = 4;
inline constexpr int kHistColMethod = 5;
inline constexpr int kHistColLine = 6;
inline constexpr int kHistColVerified = 7;
inline constexpr int kHistColVerdict = 8;
inline constexpr int kHistColRole = 9;
inline constexpr int kHistColCertificate = 10;
inline constexpr int kHistoryCols = 11;

inline constexpr std::string_view kAllChannels = "All channels";

struct HistoryState {
  std::string caption = "Calibration History";
  Label lblChannelFilter;
  ComboBox cboChannelFilter;
  Grid grdHistory;
  Label lblDetails;
  Button cmdReprint;
  Button cmdExport;
  Button cmdClose;
};

// Where each entry stands between a channel's recalibrations: the index
// (into `entries`) of the as-found and as-left checks of each calibration
// that has both, and what each check is to them.
struct CheckPair {
  std::size_t asFound = 0;
  std::size_t calibration = 0;
  std::size_t asLeft = 0;
};
// `entries` newest first, as the history gives them.
std::vector<CheckPair> AsFoundAsLeft(const std::vector<HistoryEntry>& entries);

// The entries as CSV, one line each after a header line (RFC 4180 quoting).
std::string HistoryCsv(const std::vector<const HistoryEntry*>& entries);

class HistoryForm {
 public:
  HistoryForm(HistoryKeeper& keeper, MessageBoxes& messages, FileChooser& files,
              ConfigurationPrinter& printer);

  HistoryState& state() { return s_; }
  const HistoryState& state() const { return s_; }

  // ---- handlers ----
  void Load();                // each time the window shows: the history read afresh
  void ChannelFilterClick();  // after cboChannelFilter's list index changed
  // A row clicked (1..), or a range of rows selected (row to rowSel).
  void GridClick(int row, int rowSel);
  void ReprintClick();
  void ExportClick();
  void CloseClick() { closeRequested = true; }
  bool closeRequested = false;

 private:
  void Fill();
  void ShowSelected();
  const HistoryEntry* Selected() const;
  std::string PairText(std::size_t index) const;

  HistoryKeeper& keeper_;
  MessageBoxes& messages_;
  FileChooser& files_;
  ConfigurationPrinter& printer_;
  HistoryState s_;
  std::vector<HistoryEntry> entries_;
  std::vector<CheckPair> pairs_;
  std::vector<const HistoryEntry*> listed_;
};

}  // namespace vernium
