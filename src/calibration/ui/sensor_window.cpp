#include "calibration/ui/sensor_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/control_binding.h"
#include "platform/ui/grid_view.h"

namespace vernium::qtui {

SensorWindow::SensorWindow(SensorForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("frmSensors");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  grdSensors_ = Named<GridView>(this, "grdSensors");
  grdSensors_->setMinimumHeight(140);
  lblSensorName_ = Named<QLabel>(this, "lblSensorName");
  txtSensorName_ = Named<QLineEdit>(this, "txtSensorName");
  lblSerialNumber_ = Named<QLabel>(this, "lblSerialNumber");
  txtSerialNumber_ = Named<QLineEdit>(this, "txtSerialNumber");
  lblSensorName_->setBuddy(txtSensorName_);
  lblSerialNumber_->setBuddy(txtSerialNumber_);
  lblEntries_ = Named<QLabel>(this, "lblEntries");
  lblEntries_->setWordWrap(true);
  auto button = [this](const char* name) {
    auto* b = Named<QPushButton>(this, name);
    b->setAutoDefault(false);
    return b;
  };
  cmdUse_ = button("cmdUse");
  cmdSave_ = button("cmdSave");
  cmdDelete_ = button("cmdDelete");
  cmdClose_ = button("cmdClose");

  connect(grdSensors_, &QTableWidget::cellClicked, this, [this](int tableRow, int /*col*/) {
    Forward([this, tableRow] { form_.GridClick(GridView::RecordRow(tableRow)); });
  });
  connect(grdSensors_, &QTableWidget::cellDoubleClicked, this, [this](int tableRow, int /*col*/) {
    Forward([this, tableRow] {
      form_.GridClick(GridView::RecordRow(tableRow));
      if (form_.state().cmdUse.visible) form_.UseClick();
    });
  });
  connect(grdSensors_, &GridView::cellReached, this, [this](int tableRow, int /*col*/) {
    Forward([this, tableRow] { form_.GridClick(GridView::RecordRow(tableRow)); });
  });
  connect(txtSensorName_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.state().txtSensorName.text = FromQt(text); });
  connect(txtSerialNumber_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.state().txtSerialNumber.text = FromQt(text); });
  connect(cmdUse_, &QPushButton::clicked, this, [this] { Forward([this] { form_.UseClick(); }); });
  connect(cmdSave_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.SaveClick(); }); });
  connect(cmdDelete_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.DeleteClick(); }); });
  connect(cmdClose_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.CloseClick(); }); });

  auto* fields = new QGridLayout;
  fields->addWidget(lblSensorName_, 0, 0);
  fields->addWidget(txtSensorName_, 0, 1);
  fields->addWidget(lblSerialNumber_, 1, 0);
  fields->addWidget(txtSerialNumber_, 1, 1);
  fields->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdUse_);
  buttons->addWidget(cmdSave_);
  buttons->addWidget(cmdDelete_);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(grdSensors_, 1);
  layout->addLayout(fields);
  layout->addWidget(lblEntries_);
  layout->addLayout(buttons);
  Redraw();
  resize(720, 360);
}

template <typename Handler>
void SensorWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_.closeRequested && isVisible()) done(QDialog::Accepted);
}

void SensorWindow::Redraw() {
  const SensorState& s = form_.state();
  setWindowTitle(ToQt(s.caption));
  grdSensors_->Draw(s.grdSensors);
  Draw(lblSensorName_, s.lblSensorName);
  Draw(txtSensorName_, s.txtSensorName);
  Draw(lblSerialNumber_, s.lblSerialNumber);
  Draw(txtSerialNumber_, s.txtSerialNumber);
  Draw(lblEntries_, s.lblEntries);
  Draw(cmdUse_, s.cmdUse);
  Draw(cmdSave_, s.cmdSave);
  Draw(cmdDelete_, s.cmdDelete);
  Draw(cmdClose_, s.cmdClose);
}

void SensorWindow::showEvent(QShowEvent* event) {
  form_.Load();
  Redraw();
  // Wide enough for every column when the screen allows.
  int width = grdSensors_->ColumnsWidth() + 2 * grdSensors_->frameWidth() +
              grdSensors_->verticalScrollBar()->sizeHint().width() +
              layout()->contentsMargins().left() + layout()->contentsMargins().right();
  if (const QScreen* screen = this->screen()) {
    width = std::min(width, screen->availableGeometry().width() - 40);
  }
  resize(std::max(width, this->width()), height());
  QDialog::showEvent(event);
  if (form_.state().txtSensorName.visible)
    txtSensorName_->setFocus();
  else
    grdSensors_->setFocus();
}

void SensorWindow::reject() {
  if (!form_.closeRequested) {
    Forward([this] { form_.CloseClick(); });
    return;
  }
  QDialog::reject();
}

}  // namespace vernium::qtui
