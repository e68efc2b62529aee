#pragma once
// The calibration wizard window "Calibrator": the frame "Potentiometer"
// (its caption the step's title) with the card picture and the marker over
// the trimpot to turn, the frame "Setting Adjustment" with the live channel
// value and the target, the frame "Instructions" with the directions, and
// Previous / Next / Exit. A thin view over CalibratorForm: the buttons and
// the 100 ms tmrGage go to the form; the live reading runs on the window's
// background runner and its result is drawn when it comes back.

#include <QByteArray>
#include <QDialog>
#include <QTimer>
#include <array>
#include <memory>

#include "platform/ui/qt_ui_poster.h"
#include "wizard/calibrator_form.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSvgWidget;

namespace vernium::qtui {

class GuidancePanel;
class TrendPlot;

class CalibratorWindow : public QDialog {
  Q_OBJECT
 public:
  CalibratorWindow(Session& session, CalibratorState& state, const PreCalState& preCal,
                   Grid& grdChannel, MessageBoxes& messages, QWidget* parent = nullptr);
  ~CalibratorWindow() override;

  CalibratorForm& form() { return *form_; }
  void Redraw();

  // Pixels per twip of the card pictures (the pictures are drawn larger
  // than their design size, markers with them).
  static constexpr double kPictureZoom = 2.4;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public slots:
  // Esc is Exit.
  void reject() override;

 private:
  template <typename Handler>
  void Forward(Handler&& handler);
  void Place(QWidget* widget, const PlacedPicture& place);
  void NamePictureParts(const CardPictureTexts& texts);

  QtUiPoster poster_;
  ThreadedRunner runner_;
  std::unique_ptr<CalibratorForm> form_;

  QGroupBox* fraCalibrator_ = nullptr;
  std::array<QSvgWidget*, 3> picPots_{};
  std::array<QByteArray, 3> pictureSvg_;  // as drawn, before the channel's names
  CardPictureTexts namedParts_;           // the names the pictures now carry
  std::array<QWidget*, 3> picPotOn_{};
  QLabel* lblOverlayChan_ = nullptr;
  QGroupBox* fraSetting_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLabel* lblgage_ = nullptr;
  QLabel* lblVolts_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* lblTarget_ = nullptr;
  QLabel* Label2_ = nullptr;
  GuidancePanel* guidance_ = nullptr;
  TrendPlot* trend_ = nullptr;
  QGroupBox* fraInstructions_ = nullptr;
  QLabel* lblDirections_ = nullptr;
  QLabel* lblSummary_ = nullptr;
  QLabel* lblStep_ = nullptr;
  QPushButton* cmdPrevious_ = nullptr;
  QPushButton* cmdNext_ = nullptr;
  QPushButton* cmdExitMain_ = nullptr;
  QPushButton* cmdVerify_ = nullptr;
  QTimer* tmrGage_ = nullptr;
};

}  // namespace vernium::qtui
