#include "shell/ui/vernium_app.h"

#include <QPushButton>

#include "acquisition/ui/device_window.h"
#include "calibration/ui/precal_window.h"
#include "diagram/ui/card_pic_window.h"
#include "reports/ui/card_config_window.h"
#include "reports/ui/qt_configuration_printer.h"
#include "shell/ui/main_window.h"
#include "wizard/ui/calibrator_window.h"

namespace vernium::qtui {

VerniumApp::VerniumApp(AcqLibObject& library, MessageBoxes* messages, ConfigurationPrinter* printer)
    : session_(library),
      messages_(messages != nullptr ? *messages : qtMessages_),
      help_(messages_),
      ownPrinter_(printer != nullptr
                      ? nullptr
                      : std::make_unique<QtConfigurationPrinter>(messages_, DesktopPrintTargets())),
      printer_(printer != nullptr ? *printer : *ownPrinter_),
      form_(session_, Services{messages_, pointer_, windows_, help_, printer_}),
      preCalForm_(session_, form_.grdChannel, messages_, pointer_, windows_),
      cardPicForm_(session_.config, session_.cardPic, messages_, pointer_),
      cardConfigForm_(session_.config, form_.grdChannel, messages_, printer_) {
  window_ = std::make_unique<MainWindow>(form_);
  windows_.Register(WindowId::frmIfcSel, [this] { return MakeDeviceWindow(); });
  windows_.Register(WindowId::PreCal,
                    [this] { return new PreCalWindow(preCalForm_, window_.get()); });
  windows_.Register(WindowId::Calibrator, [this] { return MakeCalibratorWindow(); });
  windows_.Register(WindowId::CardPic,
                    [this] { return new CardPicWindow(cardPicForm_, window_.get()); });
  windows_.Register(WindowId::CardConfig,
                    [this] { return new CardConfigWindow(cardConfigForm_, window_.get()); });
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
  window->form().OnExitToMain([this] {
    if (auto* calibrate = window_->findChild<QPushButton*>("CmdCalibrate")) calibrate->setFocus();
  });
  return window;
}

void VerniumApp::Start() {
  if (!window_->Load()) return;
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace vernium::qtui
