#pragma once
// The application-parameter window "PreCal": the frame "Calibration Method"
// with its three options, the frame "Application parameters" with the
// fields, their captions and units, and Continue / Cancel. A thin view over
// PreCalForm: the fields' focus and key events go to the form's field
// handlers (key filter, range check, units rule), the buttons to Continue and
// Cancel, and the window is redrawn from the form's state after each.

#include <QDialog>
#include <array>
#include <vector>

#include "calibration/precal_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QRadioButton;

namespace vernium::qtui {

class PreCalWindow : public QDialog {
  Q_OBJECT
 public:
  explicit PreCalWindow(PreCalForm& form, QWidget* parent = nullptr);

  PreCalForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  // Closing by the frame or Esc is Cancel.
  void reject() override;

 private:
  struct FieldWidgets {
    QLineEdit* edit;
    TextBox* box;
  };
  template <typename Handler>
  void Forward(Handler&& handler);
  void MoveFocusAsAsked();
  // The planner, for the entries as they stand.
  void RedrawCalculation();
  FieldWidgets* FieldOf(QObject* object);

  PreCalForm& form_;
  QGroupBox* Frame3D2_ = nullptr;
  QGroupBox* fraTwoPoint_ = nullptr;
  std::array<QRadioButton*, 3> optCalMethod_{};
  std::vector<FieldWidgets> fields_;
  std::vector<std::pair<QLabel*, Label*>> labels_;
  std::array<QLabel*, 5> lblUnits_{};
  QToolButton* chkShowCalculation_ = nullptr;
  QPlainTextEdit* txtCalculation_ = nullptr;
  QPushButton* cmdContinue_ = nullptr;
  QPushButton* cmdAnyCalCancel_ = nullptr;
  QPushButton* cmdSensors_ = nullptr;
  QPushButton* cmdSaveSensor_ = nullptr;
};

}  // namespace vernium::qtui
