// The main window's design-time state, its load (start-up and File New),
// activation and unload (shut-down), and the helpers the handlers share.
#include "shell/main_form.h"

#include <exception>

#include "acquisition/base_availability.h"
#include "acquisition/device_selection.h"
#include "acquisition/gauge_acquisition.h"
#include "calibration/precal_state.h"
#include "calibration/scaling_file.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"
#include "simulator/bench_form.h"

namespace vernium {

namespace {


MenuEntry Menu(std::string caption, std::string shortcut = {}, bool enabled = true) {
  MenuEntry entry;
  entry.caption = std::move(caption);
  entry.shortcut = std::move(shortcut);
  entry.enabled = enabled;
  return entry;
}

template <class C>
void Show(C& control, bool visible) {
  control.visible = visible;
}

// Runs one step of the shut-down; a failure there must not keep the later
// steps from running.
template <class F>
void IgnoringFailure(F&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

MainForm::MainForm(Session& session, Services services, PreCalState& preCal,
                   CardPicState& cardPic)
    : session_(session), services_(services), preCal_(preCal), cardPic_(cardPic) {
  SetDesignState();
}

void MainForm::SetDesignState() {
  caption = kMainCaption;
  Frame3D1.caption = "Channel Status";

  cmdAddCard.caption = "&AddCard";
  cmdRemoveCard.caption = "&Remove Card";
  cmdRemoveCard.enabled = false;
  cmdViewCard.caption = "&ViewCard";
  cmdViewCard.enabled = false;
  CmdCalibrate.caption = "&Calibrate";
  CmdCalibrate.enabled = false;
  CmdVerify.caption = "&Verify...";
  CmdVerify.enabled = false;
  cmdOK.caption = "&Ok";
  cmdOK.visible = false;
  cmdCancel.caption = "&Cancel";
  cmdCancel.visible = false;

  cboChannel.visible = false;
  cboCoupling.visible = false;
  cboFIlter.visible = false;

  lblAddOrDel.caption = "Add Card To Base";
  lblAddOrDel.visible = false;
  lblInfo00.caption = "Channel is Unavailable";
  lblInfo00.visible = false;
  lblDCACcoupling.caption = "Coupling";
  lblDCACcoupling.visible = false;
  lblFilterOption.caption = "Filter / Gain";
  lblFilterOption.visible = false;

  ctCheck1[0].visible = false;  // the array starts at index 1
  ctCheck1[0].enabled = false;
  ctCheck1[1].caption = "SGC10";
  ctCheck1[2].caption = "SGC50";
  ctCheck1[3].caption = "SGC50A";
  ctCheck1[4].caption = "SGC50B";
  ShowCheckBoxes(false);

  filer = Menu("&File");
  newer = Menu("&New");
  opener = Menu("&Open...", "Ctrl+O", false);
  saver = Menu("&Save", "Ctrl+S", false);
  saverAs = Menu("Save &As...", "Ctrl+A", false);
  printer = Menu("&Print configuration", "Ctrl+P");
  dash3 = Menu("-");
  dash3.separator = true;
  exiter = Menu("E&xit");
  editer = Menu("&Edit");
  displayer = Menu("&Display card data...");
  mnuHistory = Menu("Calibration &History...");
  optioner = Menu("&Options");
  WaveStud = Menu("&Save Scaling Information");
  WaveStud.checked = true;
  mnuWriteVerified = Menu("Write &Verified Scaling");
  diag = Menu("&Diagnostics");
  mnuExpert = Menu("&Show Diagnostic Window...");
  mnuBench = Menu("Simulated &Bench...", "", false);
  helper = Menu("&Help");
  helperContents = Menu("&Contents");
  helperSearch = Menu("&Search...");
  helperHelp = Menu("&Help on Help");
  abouter = Menu("&About");
  mnuRecent = Menu("Recent &Files", "", false);
  for (MenuEntry& entry : mnuRecentFile) {
    entry = Menu("", "", false);
    entry.visible = false;
  }
  mnuRestoreSession = Menu("Restore &Last Session", "", false);
  mnuExportScales = Menu("&Export Scales...", "", false);
}

void MainForm::LoadMain() {
  const VerifyRefresh refresh{*this};
  Session& s = session_;
  Configuration& c = s.config;
  const bool reinitializing = IsTrue(c.Reinitializing);

  if (s.AcqObject == nullptr) {
    s.AcqObject = &s.Library();
    s.UnsignedCountsToVolts.emplace();
    s.SignedCountsToVolts.emplace();
  }
  s.AcqObject->acqAdcPrepare(kPrepareMode, kPrepareOption);  // its status is not examined
  s.GageScanList.flags.fill(kScanFlag);

  MoveCurrentRow(1);
  c.CurrentCol = 1;
  FilterCycleState = 0;
  CouplingCycleState = 0;

  lblAddOrDel.caption = "Add Card To Base";
  lblAddOrDel.visible = false;

  cboFIlter.Clear();
  cboFIlter.AddItem(std::string(kFilterComboBypass));
  cboFIlter.AddItem(std::string(kFilterX1));
  cboFIlter.AddItem(std::string(kFilterX2));
  cboCoupling.Clear();
  cboCoupling.AddItem(std::string(kCouplingDC));
  cboCoupling.AddItem(std::string(kCouplingAC));

  ShowCheckBoxes(false);

  MousePointer& pointer = services_.pointer;
  if (!reinitializing) {
    cboChannel.Clear();
    for (int b = 0; b < kBaseChannels; ++b) cboChannel.AddItem("Channel " + std::to_string(b));
    cboChannel.Select(0);
    pointer.Set(PointerShape::Hourglass);
  }

  InitTables(c);
  grdChannel.fontBold = true;
  SetupGrid();
  pointer.Set(PointerShape::Normal);

  if (!reinitializing) {
    pointer.Set(PointerShape::Hourglass);
    for (int n = kFirstChannel; n <= c.GridRowCount + 15; ++n) ResetChannel(c, n, false);
    c.NoCardsFlag = kTrue16;
    c.CurrentChannel = kFirstChannel;
    SelectCell(1, 1);
    pointer.Set(PointerShape::Normal);

    LoadParameterForm(c, grdChannel, preCal_, pointer, c.CurrentChannel);

    pointer.Set(PointerShape::Hourglass);
    for (int n = kFirstChannel; n <= c.GridRowCount + 15; ++n) {
      grdChannel.Cell(n - 15, kColCalibrated) = c.Channels[n].Calibrated;
      grdChannel.Cell(n - 15, kColCardType) = c.Channels[n].CardType;
    }
    SelectCell(c.CurrentChannel - 15, 1);
    pointer.Set(PointerShape::Normal);

    services_.windows.ShowModal(WindowId::frmIfcSel);
  }

  if (const AcqDevice* device = s.OpenDevice()) {
    const int b = cboChannel.listIndex;
    if (!IsBaseChannelAvailable(device, b)) {
      cmdOK.enabled = false;
    } else if (!IsRestrictedDevice(device)) {
      cmdOK.enabled = true;
    }
  }

  // The bench is there to be opened while a simulated unit is the open one.
  mnuBench.enabled = s.OpenDevice() != nullptr && BenchOf(s.AcqObject) != nullptr;
  if (s.DeviceSelState == kDeviceSelCancelled) closeRequested = true;
  if (!reinitializing) MarkStartingPoint();
}

void MainForm::ActivateMain() {
  const VerifyRefresh refresh{*this};
  Configuration& c = config();
  ClampCurrentChannel(c);
  LoadParameterForm(c, grdChannel, preCal_, services_.pointer, c.CurrentChannel);
}

void MainForm::UnloadMain() {
  if (unloaded_) return;
  unloaded_ = true;
  Session& s = session_;
  // A window still open over this one (the program ended by the desktop)
  // goes its own way first, so that what it records (a calibration left
  // unfinished) is in the scaling file.
  services_.windows.EndModalWindows();

  if (WaveStud.checked) {
    WriteScalingFile(s.config, services_.messages, services_.pointer, s.scalingFileDirectory,
                     mnuWriteVerified.checked);
  }
  IgnoringFailure([&] { KeepLastSession(); });

  IgnoringFailure([&] {
    if (s.AcqObject != nullptr) s.AcqObject->acqCloseDevice();
  });
  IgnoringFailure([&] {
    s.Device.reset();
    s.AcqObject = nullptr;
    s.UnsignedCountsToVolts.reset();
    s.SignedCountsToVolts.reset();
    s.SwDelay.reset();
  });
  mnuBench.enabled = false;
  for (WindowId id : {WindowId::PreCal, WindowId::Calibrator, WindowId::CardConfig,
                      WindowId::CardPic, WindowId::frmExpert, WindowId::frmVerify,
                      WindowId::frmIfcSel, WindowId::Bench}) {
    IgnoringFailure([&] { services_.windows.Unload(id); });
  }
  programEnded = true;
}

// ---- helpers ----

void MainForm::SelectCell(int row, int col) {
  VERNIUM_EXPECTS(row >= 0 && row < grdChannel.Rows() && col >= 0 && col < grdChannel.Cols());
  grdChannel.row = row;
  grdChannel.rowSel = row;
  grdChannel.col = col;
}

const std::string& MainForm::RowText(int row, int col) const {
  return grdChannel.Cell(row, col);
}

MainForm::SelectedRow MainForm::ReadSelectedRow() const {
  SelectedRow r;
  r.row = session_.config.CurrentRow;
  r.label = RowText(r.row, kColChannel);
  r.filter = RowText(r.row, kColFilter);
  r.coupling = RowText(r.row, kColCoupling);
  r.calibrated = RowText(r.row, kColCalibrated);
  r.cardType = RowText(r.row, kColCardType);
  r.n = CardChannelNumber();
  r.b = BaseOfLabel(r.label);
  return r;
}

// Every way the current row moves other than a click on a cell (the card
// panel, a refill of the grid, File New) comes through here. An in-place
// list edits the row it was opened over, so it closes with its caption; a
// click on the new row's cell opens it again.
void MainForm::MoveCurrentRow(int row) {
  config().CurrentRow = static_cast<std::int16_t>(row);
  HideInPlaceLists();
}

void MainForm::HideInPlaceLists() {
  cboFIlter.visible = false;
  lblFilterOption.visible = false;
  cboCoupling.visible = false;
  lblDCACcoupling.visible = false;
}

void MainForm::EnableMenus(bool enabled) {
  filer.enabled = enabled;
  editer.enabled = enabled;
  helper.enabled = enabled;
  diag.enabled = enabled;
  optioner.enabled = enabled;
}

void MainForm::ShowCheckBoxes(bool visible) {
  for (int i = 1; i <= 4; ++i) Show(ctCheck1[static_cast<std::size_t>(i)], visible);
}

void MainForm::CheckOnly(int index) {
  for (int i = 1; i <= 4; ++i) ctCheck1[static_cast<std::size_t>(i)].checked = i == index;
}

int MainForm::CheckedBox() const {
  for (int i = 1; i <= 4; ++i) {
    if (ctCheck1[static_cast<std::size_t>(i)].checked) return i;
  }
  return 0;
}

bool MainForm::AnyCheckBoxShown() const {
  for (int i = 1; i <= 4; ++i) {
    if (ctCheck1[static_cast<std::size_t>(i)].visible) return true;
  }
  return false;
}

void MainForm::HidePanel() {
  ShowCheckBoxes(false);
  cmdOK.visible = false;
  cmdCancel.visible = false;
  lblAddOrDel.visible = false;
  cboChannel.visible = false;
  panelMode_ = PanelMode::Closed;
}

// Shows "Channel b" in cboChannel's edit part, and selects that entry when
// the list holds it (entries 0 and 1 may read "Unavailable").
void MainForm::ShowChannelText(int b) {
  const std::string text = "Channel " + std::to_string(b);
  for (std::size_t i = 0; i < cboChannel.items.size(); ++i) {
    if (cboChannel.items[i] == text) cboChannel.listIndex = static_cast<int>(i);
  }
  cboChannel.text = text;
}

void MainForm::ShowInfo(std::string_view text, std::string_view title) {
  services_.messages.Show(text, title, MsgIcon::Information, MsgButtons::OK);
}

}  // namespace vernium
