#include "shell/ui/vernium_app.h"

#include <QPushButton>

#include "acquisition/ui/device_window.h"
#include "acquisition/ui/expert_window.h"
#include "calibration/ui/precal_window.h"
#include "shell/ui/main_window.h"
#include "wizard/ui/calibrator_window.h"

namespace vernium::qtui {

namespace {

// The printed summary belongs to the reports; until their printer is wired
// in, asking for a printout says so instead of printing nothing silently.
class PrintoutNotAvailable : public ConfigurationPrinter {
 public:
  explicit PrintoutNotAvailable(MessageBoxes& messages) : messages_(messages) {}
  void PrintSummary(const Configuration& /*config*/) override {
    messages_.Show("Printing the configuration summary is not available in this version.",
                   kAppTitle, MsgIcon::Information, MsgButtons::OK);
  }

 private:
  MessageBoxes& messages_;
};

}  // namespace

VerniumApp::VerniumApp(AcqLibObject& library, MessageBoxes* messages, ConfigurationPrinter* printer)
    : session_(library),
      messages_(messages != nullptr ? *messages : qtMessages_),
      help_(messages_),
      ownPrinter_(printer != nullptr ? nullptr : std::make_unique<PrintoutNotAvailable>(messages_)),
      printer_(printer != nullptr ? *printer : *ownPrinter_),
      form_(session_, Services{messages_, pointer_, windows_, help_, printer_}),
      preCalForm_(session_, form_.grdChannel, messages_, pointer_, windows_) {
  window_ = std::make_unique<MainWindow>(form_);
  windows_.Register(WindowId::frmIfcSel, [this] { return MakeDeviceWindow(); });
  windows_.Register(WindowId::PreCal,
                    [this] { return new PreCalWindow(preCalForm_, window_.get()); });
  windows_.Register(WindowId::Calibrator, [this] { return MakeCalibratorWindow(); });
  windows_.Register(WindowId::frmExpert, [this] { return MakeExpertWindow(); });
}

VerniumApp::~VerniumApp() {
  // The windows go before the forms they show.
  for (WindowId id : {WindowId::frmIfcSel, WindowId::PreCal, WindowId::Calibrator,
                      WindowId::CardPic, WindowId::CardConfig, WindowId::frmExpert}) {
    windows_.Unload(id);
  }
  window_.reset();
}

DeviceWindow* VerniumApp::MakeDeviceWindow() {
  // The form is made with the window, from the process-wide objects the
  // main window's load has created by then.
  Session& s = session_;
  if (!s.UnsignedCountsToVolts) s.UnsignedCountsToVolts.emplace();
  if (!s.SignedCountsToVolts) s.SignedCountsToVolts.emplace();
  deviceForm_ = std::make_unique<IfcSelForm>(
      DeviceSelectionContext{s.AcqObject, s.Device, s.DeviceSelState, *s.UnsignedCountsToVolts,
                             *s.SignedCountsToVolts, messages_, pointer_});
  auto* window = new DeviceWindow(*deviceForm_, window_.get());
  if (deviceWindowMade_) deviceWindowMade_(*window);
  return window;
}

CalibratorWindow* VerniumApp::MakeCalibratorWindow() {
  auto* window = new CalibratorWindow(session_, form_.grdChannel, messages_, window_.get());
  window->form().SetDiagnostics(&wizardDiagnostics_);
  window->form().OnExitToMain([this] {
    if (auto* calibrate = window_->findChild<QPushButton*>("CmdCalibrate")) calibrate->setFocus();
  });
  return window;
}

ExpertWindow* VerniumApp::MakeExpertWindow() {
  return new ExpertWindow(session_, form_.grdChannel, messages_, window_.get());
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

void VerniumApp::Start() {
  if (!window_->Load()) return;
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace vernium::qtui
