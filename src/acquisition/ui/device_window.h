#pragma once
// The device selection window frmIfcSel, caption "Vernium - Select Device":
// the "Device Inventory" list, the picture and description of the unit
// clicked, "&OK" and "&Cancel". A thin view over IfcSelForm: events go to
// the form, then every widget is redrawn from the form's state. Run modally
// (exec); it hides itself once the form has hidden the window. Closing it by
// its frame only hides it; Esc is the Cancel button.

#include <QDialog>
#include <array>

#include "acquisition/device_selection.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSvgWidget;

namespace vernium::qtui {

class DeviceWindow : public QDialog {
  Q_OBJECT
 public:
  // Loads the form (lists the devices and opens the first) as the window is
  // made.
  explicit DeviceWindow(IfcSelForm& form, QWidget* parent = nullptr);

  IfcSelForm& form() { return form_; }
  // The picture index currently drawn in Picture1 (0 none).
  int DrawnPicture() const { return drawnPicture_; }

  void Redraw();

 signals:
  // Emitted each time the window is shown (start-up timing).
  void shown();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 public slots:
  // Closing by the frame: the window hides, the choice stays undecided.
  void reject() override;

 private:
  void OnListChanged(int row);
  void OnCommand(int index);
  void HideWhenFormHid();

  IfcSelForm& form_;
  QGroupBox* frame1_ = nullptr;
  QListWidget* devInventList_ = nullptr;
  QSvgWidget* picture1_ = nullptr;
  QLabel* devTypeLabel_ = nullptr;
  std::array<QPushButton*, 2> command1_{};
  int drawnPicture_ = -1;
};

}  // namespace vernium::qtui
