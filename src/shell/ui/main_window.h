#pragma once
// The main window "Main", caption "Strain Gage Calibration": the channel grid
// in the frame "Channel Status", the card buttons, the card panel (base
// channel list, card-type boxes, Ok and Cancel), the in-place filter and
// coupling lists shown over the clicked cell, and the menu bar. A thin view
// over MainForm: every widget carries its control's name, every event goes
// to the form's handler, and after each one the whole window is redrawn from
// the form's state.

#include <QMainWindow>
#include <array>
#include <vector>

#include "shell/main_form.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace vernium::qtui {

class GridView;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(MainForm& form, QWidget* parent = nullptr);

  MainForm& form() { return form_; }

  // Draws every widget from the form's state.
  void Redraw();

  // Runs the load sequence (which opens the device selection modally) and
  // draws the result. Returns false when the load asked for the window to
  // close (the device selection was cancelled): the shut-down has then run.
  bool Load();

  GridView* grid() const { return grdChannel_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void BuildRecentFilesMenu();
  void RedrawRecentFiles();

  // Runs one handler of the form, redraws, and closes the window when the
  // form asked for it.
  template <typename Handler>
  void Forward(Handler&& handler);

  void PlaceInPlaceList(QComboBox* list, QLabel* caption, const Control& state, int col);
  void PlacePanelFrame();

  void OnGridClicked(int tableRow, int col);
  void OnGridDoubleClicked(int tableRow, int col);
  void OnGridKeyReleased();

  MainForm& form_;
  bool unloading_ = false;
  // Handlers running (a handler's message box or modal window runs a nested
  // event loop), and an activation that came meanwhile: it runs once the
  // outermost handler has finished.
  int handlerDepth_ = 0;
  bool activatePending_ = false;

  QGroupBox* Frame3D1_ = nullptr;
  GridView* grdChannel_ = nullptr;
  QPushButton* cmdAddCard_ = nullptr;
  QPushButton* cmdRemoveCard_ = nullptr;
  QPushButton* cmdViewCard_ = nullptr;
  QPushButton* CmdVerify_ = nullptr;
  QPushButton* CmdCalibrate_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QComboBox* cboChannel_ = nullptr;
  QComboBox* cboCoupling_ = nullptr;
  QComboBox* cboFIlter_ = nullptr;
  QLabel* lblAddOrDel_ = nullptr;
  QLabel* lblInfo00_ = nullptr;
  QLabel* lblDCACcoupling_ = nullptr;
  QLabel* lblFilterOption_ = nullptr;
  std::array<QCheckBox*, 5> ctCheck1_{};  // index 1..4
  QTimer* tmrDirections_ = nullptr;
  QFrame* panelFrame_ = nullptr;

  // Menu bar, in display order, each widget with the record it is drawn from.
  struct MenuBinding {
    QMenu* menu;
    MenuEntry MainForm::*entry;
  };
  struct CommandBinding {
    QAction* action;
    MenuEntry MainForm::*entry;
  };
  std::vector<MenuBinding> menus_;
  std::vector<CommandBinding> commands_;
  std::array<QAction*, kRecentFiles> recentFiles_{};
};

}  // namespace vernium::qtui

namespace vernium::qtui {

template <typename Handler>
void MainWindow::Forward(Handler&& handler) {
  if (unloading_) return;
  ++handlerDepth_;
  handler();
  --handlerDepth_;
  if (handlerDepth_ == 0 && activatePending_ && !unloading_) {
    activatePending_ = false;
    form_.ActivateMain();
  }
  // Whatever the handler or a window opened from it changed shows in the
  // caption's "*" and the File entries.
  form_.RefreshFileState();
  Redraw();
  if (form_.closeRequested && !unloading_) close();
}

}  // namespace vernium::qtui
