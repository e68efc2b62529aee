#pragma once
// The sensor library window "frmSensors": the saved sensors; when saving,
// the name and serial number and the entries that will be kept; Use Sensor,
// Save, Delete and Close. A thin view over SensorForm.

#include <QDialog>

#include "calibration/sensor_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vernium::qtui {

class GridView;

class SensorWindow : public QDialog {
  Q_OBJECT
 public:
  explicit SensorWindow(SensorForm& form, QWidget* parent = nullptr);

  SensorForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  void reject() override;  // Esc and the frame's close are Close

 private:
  template <typename Handler>
  void Forward(Handler&& handler);

  SensorForm& form_;
  GridView* grdSensors_ = nullptr;
  QLabel* lblSensorName_ = nullptr;
  QLineEdit* txtSensorName_ = nullptr;
  QLabel* lblSerialNumber_ = nullptr;
  QLineEdit* txtSerialNumber_ = nullptr;
  QLabel* lblEntries_ = nullptr;
  QPushButton* cmdUse_ = nullptr;
  QPushButton* cmdSave_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace vernium::qtui
