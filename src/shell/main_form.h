#pragma once
// The main window "Main": start-up and shut-down, the channel grid, the card
// panel (adding and removing cards on a base channel), the in-place coupling
// and filter lists, and the menus. The form holds every control's state
// under the control's own name and runs every handler; the Qt window shows
// that state, forwards its widgets' events here and redraws after each one.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "session/session.h"
#include "storage/recent_files.h"

namespace vernium {

class MessageBoxes;
class MousePointer;
class WindowOpener;
class HelpViewer;
class ConfigurationPrinter;
class FileChooser;
struct PreCalState;
struct CardPicState;
struct ConfigurationDocument;

// The ways the program reaches outside itself.
struct Services {
  MessageBoxes& messages;
  MousePointer& pointer;
  WindowOpener& windows;
  HelpViewer& help;
  ConfigurationPrinter& printer;
};

// What the File menu's configuration commands reach: the file dialog, the
// recent files and the data folder where the last session is kept (empty:
// none is kept).
struct FileServices {
  FileChooser& chooser;
  RecentFiles& recent;
  std::filesystem::path dataFolder;
};

inline constexpr std::string_view kMainCaption = "Strain Gage Calibration";
inline constexpr std::string_view kLastSessionFile = "last-session.vernium";
inline constexpr std::string_view kNoCardsMessage =
    "There are no cards configured for this base channel";
inline constexpr std::string_view kAttentionTitle = "Attention!";

// The note shown before the diagnostics window opens on an SGC50B channel.
std::string DiagnosticsSgc50bNote();

// Grid columns of grdChannel.
inline constexpr int kColChannel = 1;
inline constexpr int kColFilter = 2;
inline constexpr int kColCoupling = 3;
inline constexpr int kColCalibrated = 4;
inline constexpr int kColCardType = 5;
inline constexpr int kGridCols = 6;

// The card panel (cboChannel, lblAddOrDel, ctCheck1, cmdOK, cmdCancel).
enum class PanelMode { Closed, Adding, Removing };

class MainForm {
 public:
  // `preCal` and `cardPic` are the states of the parameter window and the
  // card diagram, which the main window fills from the selected channel
  // before it opens them.
  MainForm(Session& session, Services services, PreCalState& preCal, CardPicState& cardPic);

  // ---- controls ----
  std::string caption;  // "Strain Gage Calibration"
  Frame Frame3D1;       // "Channel Status", holds the grid
  Grid grdChannel;
  Button cmdAddCard;
  Button cmdRemoveCard;
  Button cmdViewCard;
  Button CmdCalibrate;
  Button CmdVerify;  // beside CmdCalibrate: on a calibrated channel's row
  Button cmdOK;
  Button cmdCancel;
  ComboBox cboChannel;
  ComboBox cboCoupling;
  ComboBox cboFIlter;
  Label lblAddOrDel;
  Label lblInfo00;  // drawn in red (kInfoTextRgb)
  Label lblDCACcoupling;
  Label lblFilterOption;
  std::array<CheckBox, 5> ctCheck1;  // index 1..4: SGC10, SGC50, SGC50A, SGC50B
  Timer tmrDirections;

  static constexpr unsigned kInfoTextRgb = 0xFF0000;

  // Menu bar, in display order.
  MenuEntry filer, newer, opener, saver, saverAs, printer, dash3, exiter;
  MenuEntry editer, displayer;
  MenuEntry mnuHistory;  // Edit: the calibration history
  MenuEntry optioner, WaveStud, mnuWriteVerified;
  MenuEntry diag, mnuExpert, mnuBench;
  MenuEntry helper, helperContents, helperSearch, helperHelp, abouter;
  // In the File menu after Save As: the recent files (a submenu of up to
  // five, "&1 name.vernium"), the last session and the scales export.
  MenuEntry mnuRecent, mnuRestoreSession, mnuExportScales;
  std::array<MenuEntry, kRecentFiles> mnuRecentFile;

  // Set when the window is to close (File Exit, or the device selection was
  // cancelled at start-up); the window closes itself and UnloadMain runs.
  bool closeRequested = false;
  // Set at the end of UnloadMain: the program ends.
  bool programEnded = false;

  // The double-click editors' cycle positions.
  std::int16_t FilterCycleState = 0;
  std::int16_t CouplingCycleState = 0;

  // ---- window life ----
  void LoadMain();
  void ActivateMain();
  void UnloadMain();

  // ---- card panel ----
  void AddCardClick();
  void CardBoxClick(int index);
  void OKClick();
  void CancelClick();
  void RemoveCardClick();
  void ViewCardClick();
  void AddSGC10Card(int b);
  void AddSGC50Card(int b);
  void AddSGC50BCard(int b);
  void RemoveLastCard(int b);
  PanelMode Panel() const { return panelMode_; }

  // ---- channel grid ----
  void SetupGrid();
  void FillGrid();
  void SyncRecordsFromGrid();
  std::int16_t FindBaseRow(int b);
  void GridClick(int row, int col);
  void GridDblClick();
  void GridKeyUp();
  void ChannelListClick();   // after cboChannel's list index changed
  void CouplingListClick();  // after cboCoupling's list index changed
  void FilterListClick();    // after cboFIlter's list index changed
  void CalibrateClick();
  // Opens the verification window on the selected calibrated channel.
  void VerifyClick();
  // CmdVerify is enabled on the row of a calibrated card channel only. Each
  // handler that can change the selected row or its calibration ends with
  // it brought up to date; the wizard's completion, which changes the grid
  // from its own window, asks for it.
  void RefreshVerifyButton();

  // ---- coupling and filter changes ----
  void ApplyFilterFromCombo();
  void ApplyFilterFromGrid(const std::string& text);
  void ApplyCoupling(const std::string& text);
  void MarkUncalibrated();
  std::int16_t CardChannelNumber() const;

  // ---- menus ----
  void NewConfiguration();
  void PrintConfiguration();
  void ExitProgram();
  void DisplayCardData();
  void ShowHistory();
  void WaveStudClick();
  void WriteVerifiedClick();
  void ShowDiagnostics();
  void ShowBench();  // the simulated unit's bench, beside the main window
  void HelpContents();
  void HelpSearch();  // the contents, with the viewer's search in front
  void HelpOnHelp();
  void About();

  // ---- configuration files ----
  // Gives the File menu its file dialog; until then Open, Save and Save As
  // stay disabled and the caption stays "Strain Gage Calibration".
  void UseFiles(FileServices files);
  void OpenClick();
  void SaveClick();
  void SaveAsClick();
  void RecentFileClick(int index);  // index from 0
  void RestoreLastSession();
  void ExportScales();
  // The main window is being closed by its frame: with unsaved changes to
  // a named file, asks Save / Discard / Cancel; false when cancelled.
  bool QueryClose();
  // Brings the caption and the File entries' states up to date: after each
  // event of the main window, and when the wizard has changed the grid.
  void RefreshFileState();
  bool HasUnsavedChanges() const;
  const std::filesystem::path& FileName() const { return fileName_; }
  std::filesystem::path LastSessionPath() const;

  Session& session() { return session_; }
  Configuration& config() { return session_.config; }

 private:
  struct VerifyRefresh {
    MainForm& form;
    ~VerifyRefresh() { form.RefreshVerifyButton(); }
  };
  void SetDesignState();
  void SelectCell(int row, int col);
  void MoveCurrentRow(int row);
  void HideInPlaceLists();
  void EnableMenus(bool enabled);
  void HidePanel();
  void ShowCheckBoxes(bool visible);
  void CheckOnly(int index);
  int CheckedBox() const;
  bool AnyCheckBoxShown() const;
  void ShowChannelText(int b);
  void ApplyFilter(const std::string& text, bool fromGrid, int setting);
  const std::string& RowText(int row, int col) const;

  // The selected row as the coupling and filter changes read it.
  struct SelectedRow {
    int row = 0;
    std::string label, filter, coupling, calibrated, cardType;
    int n = 0;  // CardChannelNumber: 1..16 on a card channel's row
    int b = 0;  // base channel
    bool IsCardChannel() const { return n >= 1 && BaseTable::InBounds(b); }
  };
  SelectedRow ReadSelectedRow() const;
  void ShowInfo(std::string_view text, std::string_view title);
  void AddEightChannelCard(int b, std::string_view type, bool slotZeroAccepts,
                           std::string_view fullMessage);

  // The configuration files.
  void LayOutGrid(int rows);
  void WriteGridRows();
  bool AskToKeepChanges(bool unnamedToo = false);
  bool SaveTo(const std::filesystem::path& file);
  bool OpenFrom(const std::filesystem::path& file);
  void TakeDocument(const ConfigurationDocument& document);
  void ShowConfiguration();
  void WarnOfUnavailableBases(const std::string& unit);
  void MarkSaved();
  void MarkStartingPoint();
  void MarkUnnamedBase();
  void KeepLastSession();

  Session& session_;
  Services services_;
  PreCalState& preCal_;
  CardPicState& cardPic_;
  PanelMode panelMode_ = PanelMode::Closed;
  bool unloaded_ = false;

  std::optional<FileServices> files_;
  std::filesystem::path fileName_;  // empty until a file is opened or saved
  // What the named file holds (none when it could not be read back), and
  // the configuration as the start-up left it.
  std::optional<Configuration> saved_;
  bool savedWriteVerified_ = false;
  Configuration atStart_;
  // What a configuration with no file name is compared with before Open
  // would replace it: the start, a New or a restored session.
  Configuration unnamedBase_;
  bool unnamedBaseWriteVerified_ = false;
  bool writeVerifiedAtStart_ = false;
};

}  // namespace vernium
