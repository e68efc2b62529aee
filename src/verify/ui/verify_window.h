#pragma once
// The verification window "frmVerify": the span, the applied load and Read
// Point, the table of points, the fit and the verdict, the AC zeroing with
// its live reading and guidance, Certificate and Done. A thin view over
// VerifyForm: the readings run on the window's background runner.

#include <QDialog>
#include <QTimer>
#include <memory>

#include "platform/ui/qt_ui_poster.h"
#include "verify/verify_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vernium::qtui {

class GridView;
class GuidancePanel;

class VerifyWindow : public QDialog {
  Q_OBJECT
 public:
  VerifyWindow(Session& session, VerifyRun& run, MessageBoxes& messages,
               ConfigurationPrinter& printer, QWidget* parent = nullptr);
  ~VerifyWindow() override;

  VerifyForm& form() { return *form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  void reject() override;  // Esc and the frame's close are Done

 private:
  template <typename Handler>
  void Forward(Handler&& handler);

  QtUiPoster poster_;
  ThreadedRunner runner_;
  std::unique_ptr<VerifyForm> form_;

  QLabel* lblSpan_ = nullptr;
  QLabel* lblInstructions_ = nullptr;
  QLineEdit* txtApplied_ = nullptr;
  QPushButton* cmdReadPoint_ = nullptr;
  GridView* grdPoints_ = nullptr;
  QPushButton* cmdRemovePoint_ = nullptr;
  QLineEdit* txtTolerance_ = nullptr;
  QLineEdit* txtOperator_ = nullptr;
  QLabel* lblFit_ = nullptr;
  QLabel* lblVerdict_ = nullptr;
  QLabel* lblLive_ = nullptr;
  QPushButton* cmdZeroOffset_ = nullptr;
  GuidancePanel* guidance_ = nullptr;
  QPushButton* cmdCertificate_ = nullptr;
  QPushButton* cmdDone_ = nullptr;
  QTimer* tmrLive_ = nullptr;
};

}  // namespace vernium::qtui
