#pragma once
// One run of Vernium put together: the session on the acquisition library,
// the services the windows reach the desktop through, the main window's form
// and window, and the device selection window opened from its load. main()
// makes one of these, starts it and runs the event loop.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "acquisition/device_selection.h"
#include "calibration/precal_form.h"
#include "calibration/sensor_form.h"
#include "diagram/card_pic_form.h"
#include "platform/configuration_printer.h"
#include "platform/file_chooser.h"
#include "platform/message_boxes.h"
#include "platform/ui/qt_file_chooser.h"
#include "platform/ui/qt_help_viewer.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_mouse_pointer.h"
#include "platform/ui/qt_window_opener.h"
#include "reports/card_config_form.h"
#include "session/session.h"
#include "shell/main_form.h"
#include "shell/ui/command_line.h"
#include "shell/ui/window_places.h"
#include "storage/recent_files.h"
#include "simulator/bench_form.h"
#include "storage/history_form.h"
#include "storage/history_keeper.h"
#include "verify/verify_form.h"
#include "wizard/calibrator_form.h"

namespace vernium::qtui {

class BenchWindow;
class CalibratorWindow;
class DeviceWindow;
class ExpertWindow;
class MainWindow;
class PreCalWindow;

class VerniumApp {
 public:
  // `library` is the acquisition library to run on. `messages`, `printer`
  // and `files` replace the desktop's message boxes, printer and file dialog
  // when given (a scripted run answers the boxes itself).
  explicit VerniumApp(AcqLibObject& library, MessageBoxes* messages = nullptr,
                      ConfigurationPrinter* printer = nullptr, FileChooser* files = nullptr);
  ~VerniumApp();
  VerniumApp(const VerniumApp&) = delete;
  VerniumApp& operator=(const VerniumApp&) = delete;

  // Called with the device selection window each time it is made, before it
  // is first shown.
  void OnDeviceWindowMade(std::function<void(DeviceWindow&)> hook) {
    deviceWindowMade_ = std::move(hook);
  }

  // Loads the main window: the device selection opens modally from the load
  // and this returns once it has closed. The main window is then shown,
  // unless the selection was cancelled and the program has already ended.
  void Start();
  // At the start, opens the unit `name` as if the technician had picked it
  // in the device window and pressed OK, without showing the window.
  void PreselectDevice(const std::string& name);
  // Starts as the command line asks: where the scaling file goes, the data
  // folder, the unit opened without the device window, then the last
  // session restored and the bench opened.
  void StartWith(const StartOptions& options);
  // The shut-down has run: the program is over.
  bool Ended() const { return form_.programEnded; }
  // Ends the program as File Exit does (a logout, the terminal closed): the
  // main window closes, the windows open over it end their own way, and the
  // shut-down writes the scaling file and closes the device.
  void EndProgram();

  Session& session() { return session_; }
  MainForm& form() { return form_; }
  MainWindow& mainWindow() { return *window_; }
  QtWindowOpener& windows() { return windows_; }
  MessageBoxes& messages() { return messages_; }
  FileChooser& files() { return files_; }
  QtHelpViewer& help() { return help_; }
  // Where the windows open; main() gives it the desktop's settings store.
  WindowPlaces& places() { return places_; }
  // The user's data folder, where what lasts between runs is kept; main()
  // gives it from the command line. Empty (the default, and every scripted
  // run that does not ask for one): nothing is kept between runs.
  void UseDataFolder(std::filesystem::path folder);
  // Keeps the recent files between runs in `store`; without one the list
  // lasts for the run.
  void UseRecentFilesStore(std::unique_ptr<RecentFilesStore> store);
  const std::filesystem::path& dataFolder() const { return dataFolder_; }
  // The device selection's form, once its window has been made.
  IfcSelForm* deviceSelection() { return deviceForm_.get(); }
  PreCalForm& preCal() { return preCalForm_; }
  // The bench window's form, with the simulated unit (else null).
  BenchForm* bench() { return benchForm_.get(); }
  CardPicForm& cardPic() { return cardPicForm_; }
  CardConfigForm& cardConfig() { return cardConfigForm_; }
  // The calibration history and the sensor library, in the data folder.
  HistoryKeeper& history() { return history_; }

 private:
  // Registers the window's factory; each window it makes is placed by
  // `places_`.
  void Register(WindowId id, std::function<QDialog*()> make,
                WindowPlaces::Corner corner = WindowPlaces::Corner::Unplaced);
  IfcSelForm& MakeDeviceForm();
  DeviceWindow* MakeDeviceWindow();
  CalibratorWindow* MakeCalibratorWindow();
  // The expansion channel of the main grid's selected row, 0 for none.
  int GridChannel() const;
  ExpertWindow* MakeExpertWindow();
  // The diagnostics window for the wizard's Shunt Cal completion: loaded
  // (hidden) on first use.
  class WizardDiagnostics : public DiagnosticsActions {
   public:
    explicit WizardDiagnostics(VerniumApp& app) : app_(app) {}
    void StartUpdate() override;
    void StopUpdate() override;
    void ExitDiagnostics() override;

   private:
    template <typename Handler>
    void Run(Handler&& handler);
    VerniumApp& app_;
  };

  Session session_;
  // The window states that outlive their windows or are filled by another
  // window: the main window fills the parameter window's and the card
  // diagram's; the parameter window writes the wizard's directions; the
  // wizard and the diagnostics window read the parameter window's method.
  PreCalState preCalState_;
  CardPicState cardPicState_;
  CalibratorState calibratorState_;
  // The operator named on the certificates and their count, for the run.
  VerifyRun verifyRun_;
  WindowPlaces places_;
  std::filesystem::path dataFolder_;
  QtMessageBoxes qtMessages_;
  MessageBoxes& messages_;
  QtFileChooser qtFiles_;
  FileChooser& files_;
  std::unique_ptr<RecentFilesStore> recentStore_;
  RecentFiles recent_;
  QtMousePointer pointer_;
  QtWindowOpener windows_;
  QtHelpViewer help_;
  std::unique_ptr<ConfigurationPrinter> ownPrinter_;
  ConfigurationPrinter& printer_;
  MainForm form_;
  PreCalForm preCalForm_;
  CardPicForm cardPicForm_;
  CardConfigForm cardConfigForm_;
  // Kept in the data folder: the wizard's completions and the checks, and
  // the sensors the parameter window saves and fills its fields from.
  HistoryKeeper history_{messages_, dataFolder_};
  HistoryForm historyForm_{history_, messages_, files_, printer_};
  SensorForm sensorForm_{history_, preCalForm_, messages_};
  std::unique_ptr<IfcSelForm> deviceForm_;
  std::unique_ptr<BenchForm> benchForm_;  // with the simulated unit only
  std::unique_ptr<MainWindow> window_;
  std::function<void(DeviceWindow&)> deviceWindowMade_;
  WizardDiagnostics wizardDiagnostics_{*this};
};

}  // namespace vernium::qtui
