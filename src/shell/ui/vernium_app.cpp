#include "shell/ui/vernium_app.h"

#include <QPushButton>
#include <algorithm>

#include "acquisition/ui/device_window.h"
#include "diagnostics/ui/expert_window.h"
#include "calibration/ui/precal_window.h"
#include "diagram/ui/card_pic_window.h"
#include "reports/ui/card_config_window.h"
#include "reports/summary_texts.h"
#include "reports/ui/qt_configuration_printer.h"
#include "shell/ui/main_window.h"
#include "simulator/ui/bench_window.h"
#include "calibration/ui/sensor_window.h"
#include "storage/ui/history_window.h"
#include "verify/ui/verify_window.h"
#include "wizard/ui/calibrator_window.h"

namespace vernium::qtui {

VerniumApp::VerniumApp(AcqLibObject& library, MessageBoxes* messages, ConfigurationPrinter* printer,
                       FileChooser* files)
    : session_(library),
      messages_(messages != nullptr ? *messages : qtMessages_),
      files_(files != nullptr ? *files : qtFiles_),
      help_(messages_),
      ownPrinter_(printer != nullptr
                      ? nullptr
                      : std::make_unique<QtConfigurationPrinter>(messages_, DesktopPrintTargets())),
      printer_(printer != nullptr ? *printer : *ownPrinter_),
      form_(session_, Services{messages_, pointer_, windows_, help_, printer_}, preCalState_,
            cardPicState_),
      preCalForm_(session_.config, preCalState_, calibratorState_.lblDirections, form_.grdChannel,
                  messages_, pointer_, windows_),
      cardPicForm_(session_.config, cardPicState_, messages_, pointer_),
      cardConfigForm_(session_.config, form_.grdChannel, messages_, printer_,
                      [this] { return PrintoutFactsOf(session_); }) {
  form_.UseFiles(FileServices{files_, recent_, dataFolder_});
  window_ = std::make_unique<MainWindow>(form_);
  // When the program ends under an open window, its boxes go quiet.
  if (&messages_ == &qtMessages_) windows_.OnEndingModal([this] { qtMessages_.EndQuietly(); });
  places_.Track(window_.get(), WindowPlaces::Corner::TopLeft);
  Register(WindowId::frmIfcSel, [this] { return MakeDeviceWindow(); });
  Register(WindowId::PreCal, [this] { return new PreCalWindow(preCalForm_, window_.get()); });
  Register(
      WindowId::Calibrator, [this] { return MakeCalibratorWindow(); },
      WindowPlaces::Corner::TopRight);
  if (SimulatedBench* bench = BenchOf(&library)) {
    benchForm_ = std::make_unique<BenchForm>(*bench, [this] { return GridChannel(); });
    // A top-level window of its own, beside the main window and the wizard.
    Register(
        WindowId::Bench, [this] { return new BenchWindow(*benchForm_); },
        WindowPlaces::Corner::BottomRight);
  }
  Register(WindowId::CardPic, [this] { return new CardPicWindow(cardPicForm_, window_.get()); });
  Register(WindowId::CardConfig,
           [this] { return new CardConfigWindow(cardConfigForm_, window_.get()); });
  Register(WindowId::frmExpert, [this] { return MakeExpertWindow(); });
  Register(WindowId::frmVerify, [this] {
    auto* window = new VerifyWindow(session_, verifyRun_, messages_, printer_, window_.get());
    window->form().SetHistory(&history_);
    return window;
  });
  Register(WindowId::frmHistory, [this] { return new HistoryWindow(historyForm_, window_.get()); });
  // Opened from the parameter window, modal to it.
  preCalForm_.SetSensorLibrary(&history_);
  Register(WindowId::frmSensors, [this] { return new SensorWindow(sensorForm_, window_.get()); });
  windows_.OpenOverFront(WindowId::frmSensors, window_.get());
  // Opened from the wizard's completion or from the main window: modal to
  // that window alone, so that the bench beside them stays usable.
  windows_.OpenOverFront(WindowId::frmVerify, window_.get());
}

void VerniumApp::Register(WindowId id, std::function<QDialog*()> make,
                          WindowPlaces::Corner corner) {
  windows_.Register(id, [this, make = std::move(make), corner] {
    QDialog* window = make();
    places_.Track(window, corner);
    return window;
  });
}

int VerniumApp::GridChannel() const {
  const Grid& grid = form_.grdChannel;
  if (grid.row < 1 || grid.row >= grid.Rows() || grid.Cols() <= kColCardType) return 0;
  const std::string& label = grid.Cell(grid.row, kColChannel);
  if (label.size() < 3) return 0;  // a base channel without cards
  return ChannelFromLabel(label, grid.Cell(grid.row, kColCardType));
}

VerniumApp::~VerniumApp() {
  places_.KeepAll();
  // The windows go before the forms they show.
  for (WindowId id : {WindowId::frmSensors, WindowId::frmHistory, WindowId::frmIfcSel,
                      WindowId::PreCal, WindowId::Calibrator,
                      WindowId::CardPic, WindowId::CardConfig, WindowId::frmVerify,
                      WindowId::frmExpert, WindowId::Bench}) {
    windows_.Unload(id);
  }
  window_.reset();
}

void VerniumApp::PreselectDevice(const std::string& name) {
  windows_.StandInOnce(WindowId::frmIfcSel, [this, name] {
    // What the technician would do in the window: pick the unit, press OK.
    // Should it not come out chosen (offline, say), the window opens.
    IfcSelForm& form = MakeDeviceForm();
    form.Load();
    const auto& items = form.DevInventList.items;
    const auto it = std::find(items.begin(), items.end(), name);
    if (it == items.end()) return false;
    form.DevInventList.Select(static_cast<int>(it - items.begin()));
    form.ListClick();
    form.Command1Click(0);
    return session_.DeviceSelState == kDeviceSelChosen;
  });
}

IfcSelForm& VerniumApp::MakeDeviceForm() {
  // The form is made from the process-wide objects the main window's load
  // has created by then.
  Session& s = session_;
  if (!s.UnsignedCountsToVolts) s.UnsignedCountsToVolts.emplace();
  if (!s.SignedCountsToVolts) s.SignedCountsToVolts.emplace();
  deviceForm_ = std::make_unique<IfcSelForm>(
      DeviceSelectionContext{s.AcqObject, s.Device, s.DeviceSelState, *s.UnsignedCountsToVolts,
                             *s.SignedCountsToVolts, messages_, pointer_});
  return *deviceForm_;
}

DeviceWindow* VerniumApp::MakeDeviceWindow() {
  auto* window = new DeviceWindow(MakeDeviceForm(), window_.get());
  if (deviceWindowMade_) deviceWindowMade_(*window);
  return window;
}

CalibratorWindow* VerniumApp::MakeCalibratorWindow() {
  auto* window = new CalibratorWindow(session_, calibratorState_, preCalState_, form_.grdChannel,
                                      messages_, window_.get());
  window->form().SetDiagnostics(&wizardDiagnostics_);
  window->form().SetHistory(&history_);
  window->form().SetWindows(&windows_);
  window->form().OnExitToMain([this] {
    if (auto* calibrate = window_->findChild<QPushButton*>("CmdCalibrate")) calibrate->setFocus();
  });
  window->form().OnGridChanged([this] {
    form_.RefreshVerifyButton();
    form_.RefreshFileState();
    window_->Redraw();
  });
  return window;
}

ExpertWindow* VerniumApp::MakeExpertWindow() {
  return new ExpertWindow(session_, preCalState_, form_.grdChannel, messages_, window_.get());
}

template <typename Handler>
void VerniumApp::WizardDiagnostics::Run(Handler&& handler) {
  auto* window = static_cast<ExpertWindow*>(app_.windows_.LoadHidden(WindowId::frmExpert));
  if (window == nullptr) return;
  window->Forward([&] { handler(window->form()); });
}

void VerniumApp::WizardDiagnostics::StartUpdate() {
  Run([](ExpertForm& form) { form.StartUpdate(); });
}

void VerniumApp::WizardDiagnostics::StopUpdate() {
  Run([](ExpertForm& form) { form.StopUpdate(); });
}

void VerniumApp::WizardDiagnostics::ExitDiagnostics() {
  Run([](ExpertForm& form) { form.ExitDiagnostics(); });
}

void VerniumApp::EndProgram() {
  // Nobody is there to answer whether to save: the last session keeps it.
  form_.closeRequested = true;
  if (!form_.programEnded) window_->close();
}

void VerniumApp::UseDataFolder(std::filesystem::path folder) {
  dataFolder_ = std::move(folder);
  form_.UseFiles(FileServices{files_, recent_, dataFolder_});
}

void VerniumApp::UseRecentFilesStore(std::unique_ptr<RecentFilesStore> store) {
  recentStore_ = std::move(store);
  recent_ = RecentFiles(recentStore_.get());
}

void VerniumApp::StartWith(const StartOptions& options) {
  if (options.outputDir) session_.scalingFileDirectory = *options.outputDir;
  UseDataFolder(options.dataDir);
  if (options.device) PreselectDevice(*options.device);
  Start();
  if (Ended()) return;
  if (options.restore) {
    form_.RestoreLastSession();
    form_.RefreshFileState();
    window_->Redraw();
  }
  if (options.bench) form_.ShowBench();
}

void VerniumApp::Start() {
  if (!window_->Load()) return;
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace vernium::qtui
