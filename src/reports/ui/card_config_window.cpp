#include "reports/ui/card_config_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/ui/control_binding.h"
#include "platform/ui/grid_view.h"

namespace vernium::qtui {

CardConfigWindow::CardConfigWindow(CardConfigForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("CardConfig");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  grdConfig_ = Named<GridView>(this, "grdConfig");
  grdConfig_->setAlternatingRowColors(true);
  cmdPrintChart_ = Named<QPushButton>(this, "cmdPrintChart");
  cmdExitMain_ = Named<QPushButton>(this, "cmdExitMain");
  cmdPrintChart_->setAutoDefault(false);
  cmdExitMain_->setAutoDefault(false);
  connect(cmdPrintChart_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.PrintChartClick(); }); });
  connect(cmdExitMain_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ExitMainClick(); }); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdPrintChart_);
  buttons->addWidget(cmdExitMain_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grdConfig_, 1);
  layout->addLayout(buttons);
  resize(720, 460);  // widened to its columns as it opens, as far as the screen allows
  Redraw();
}

template <typename Handler>
void CardConfigWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_.closeRequested && isVisible()) done(QDialog::Accepted);
}

void CardConfigWindow::Redraw() {
  setWindowTitle(ToQt(form_.caption));
  grdConfig_->Draw(form_.grdConfig);
  Draw(cmdPrintChart_, form_.cmdPrintChart);
  Draw(cmdExitMain_, form_.cmdExitMain);
}

void CardConfigWindow::showEvent(QShowEvent* event) {
  form_.Load();
  Redraw();
  // Wide enough for every column when the screen allows.
  int width = grdConfig_->ColumnsWidth();
  width += 2 * grdConfig_->frameWidth() + layout()->contentsMargins().left() +
           layout()->contentsMargins().right() + 24;
  if (const QScreen* screen = this->screen()) {
    width = std::min(width, screen->availableGeometry().width() - 40);
  }
  resize(std::max(width, this->width()), height());
  // The summary opens at its first row and column.
  grdConfig_->horizontalScrollBar()->setValue(0);
  grdConfig_->verticalScrollBar()->setValue(0);
  QDialog::showEvent(event);
}

}  // namespace vernium::qtui
