#pragma once
// The diagnostics window "frmExpert": the channel and the averaging
// coefficient, the frame "Intermediate Voltages" with a drawing of the
// card's signal chain and the readings laid over it where each belongs, the
// frame "Valid Input Range", the status with its rail picture and the five
// buttons. A thin view over ExpertForm: the buttons, the two text boxes and
// the 20 ms tmrRail go to the form; the passes run on the window's
// background runner and each is drawn when it comes back.

#include <QDialog>
#include <QTimer>
#include <array>
#include <memory>

#include "diagnostics/expert_form.h"
#include "platform/ui/qt_ui_poster.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace vernium::qtui {

class StripChart;

class ExpertWindow : public QDialog {
  Q_OBJECT
 public:
  ExpertWindow(Session& session, const PreCalState& preCal, const Grid& grdChannel,
               MessageBoxes& messages, QWidget* parent = nullptr);
  ~ExpertWindow() override;

  ExpertForm& form() { return *form_; }
  void Redraw();
  // Runs a form handler, redraws, and closes the window when it asked to.
  template <typename Handler>
  void Forward(Handler&& handler);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public slots:
  // Esc is Exit.
  void reject() override;

 private:
  QLabel* Caption(QWidget* parent, const char* name);
  QLabel* Value(QWidget* parent, const char* name);

  QtUiPoster poster_;
  ThreadedRunner runner_;
  std::unique_ptr<ExpertForm> form_;

  QLabel* lblChannelCaption_ = nullptr;
  QLineEdit* txtChannel_ = nullptr;
  QLabel* lblAverageCaption_ = nullptr;
  QLineEdit* txtAverage_ = nullptr;
  QPushButton* cmdUpdate_ = nullptr;
  QPushButton* cmdRun_ = nullptr;
  QPushButton* cmdStop_ = nullptr;
  QPushButton* cmdReset_ = nullptr;
  QPushButton* cmdExit_ = nullptr;

  QGroupBox* fraInputRange_ = nullptr;
  QLabel* lblBypass_ = nullptr;
  QLabel* lblFilter_ = nullptr;
  QLabel* lblMaximumCaption_ = nullptr;
  QLabel* lblMinimumCaption_ = nullptr;
  QLabel* lblRangeCaption_ = nullptr;
  std::array<QLabel*, 2> lblMaximum_{};
  std::array<QLabel*, 2> lblMinimum_{};
  std::array<QLabel*, 2> lblRange_{};

  QLabel* lblStatus_ = nullptr;
  StripChart* strip_ = nullptr;
  QSvgWidget* imgRail_ = nullptr;
  int railShown_ = -1;

  QGroupBox* fraDebug_ = nullptr;
  QSvgWidget* picChain_ = nullptr;
  QLabel* lblBridgeCaption_ = nullptr;
  QLabel* lblMinCaption_ = nullptr;
  QLabel* lblMaxCaption_ = nullptr;
  QLabel* lblCurBridge_ = nullptr;
  QLabel* lblMinBridge_ = nullptr;
  QLabel* lblMaxBridge_ = nullptr;
  QLabel* lblInputGainCaption_ = nullptr;
  QLabel* lblOffsetCaption_ = nullptr;
  QLabel* lblScaleGainCaption_ = nullptr;
  QLabel* lblInputGain_ = nullptr;
  QLabel* lblOffset_ = nullptr;
  QLabel* lblScalingGain_ = nullptr;
  QLabel* lblGainAdjust_ = nullptr;
  QLabel* lblOffsetAdjust_ = nullptr;
  QLabel* lblScaleAdjust_ = nullptr;
  QLabel* lblInputRef_ = nullptr;
  QLabel* lblScaleRef_ = nullptr;
  QLabel* lblShortCaption_ = nullptr;
  std::array<QLabel*, 4> lblOutVolts_{};

  QTimer* tmrRail_ = nullptr;
};

template <typename Handler>
void ExpertWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_->closeRequested && isVisible()) done(QDialog::Accepted);
}

// The resource path of a rail picture (kRailPictureClear .. kRailPictureStop).
QString RailPicturePath(int pictureIndex);

}  // namespace vernium::qtui
