#pragma once
// Opening the other windows. Every window but the main one is opened modally
// from the main window or from one another and hidden, not destroyed, until
// the program ends. Forms ask for a window through this interface; the Qt
// implementation runs the real window, the scripted one runs what a test
// registered for it.

#include <functional>
#include <map>
#include <string_view>
#include <vector>

namespace vernium {

enum class WindowId {
  Main,
  frmIfcSel,
  PreCal,
  Calibrator,
  CardPic,
  CardConfig,
  frmExpert,
  frmVerify,  // opened over the window in front: the wizard or the main window
  Bench,  // the simulated unit's bench: a window of its own beside the others
  frmHistory,  // the calibration history, from the main window
  frmSensors,  // the sensor library, from the parameter window
};

std::string_view WindowName(WindowId id);

class WindowOpener {
 public:
  virtual ~WindowOpener() = default;
  // Shows the window modally; returns when it has been hidden or closed.
  virtual void ShowModal(WindowId id) = 0;
  // Shows a window of its own that stays open beside the others (never
  // modal), bringing it to the front when it is already showing.
  virtual void Show(WindowId id) = 0;
  // Hides a window that is showing (a modal one returns from ShowModal).
  virtual void Hide(WindowId id) = 0;
  // Unloads the window if it was ever created. A window still shown
  // modally goes once its ShowModal has returned.
  virtual void Unload(WindowId id) = 0;
  // As the program ends: ends every window shown modally, the one in front
  // first, through its own way out (its Exit or Cancel), without a question
  // to anyone; each ShowModal returns once the handlers under it have run.
  virtual void EndModalWindows() = 0;
};

// Records the windows asked for and runs, in place of each modal window, the
// action registered for it (what the technician does there).
class ScriptedWindowOpener : public WindowOpener {
 public:
  void ShowModal(WindowId id) override;
  void Show(WindowId id) override { shownBeside_.push_back(id); }
  void Hide(WindowId id) override { hidden_.push_back(id); }
  void Unload(WindowId id) override { unloaded_.push_back(id); }
  void EndModalWindows() override {}  // its windows end when their actions return

  void OnShow(WindowId id, std::function<void()> action) { actions_[id] = std::move(action); }
  const std::vector<WindowId>& Shown() const { return shown_; }
  const std::vector<WindowId>& ShownBeside() const { return shownBeside_; }
  const std::vector<WindowId>& Hidden() const { return hidden_; }
  const std::vector<WindowId>& Unloaded() const { return unloaded_; }

 private:
  std::map<WindowId, std::function<void()>> actions_;
  std::vector<WindowId> shown_;
  std::vector<WindowId> shownBeside_;
  std::vector<WindowId> hidden_;
  std::vector<WindowId> unloaded_;
};

}  // namespace vernium
