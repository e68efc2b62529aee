#include "storage/ui/history_window.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/control_binding.h"
#include "platform/ui/grid_view.h"

namespace vernium::qtui {

HistoryWindow::HistoryWindow(HistoryForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("frmHistory");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  lblChannelFilter_ = Named<QLabel>(this, "lblChannelFilter");
  cboChannelFilter_ = Named<QComboBox>(this, "cboChannelFilter");
  cboChannelFilter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lblChannelFilter_->setBuddy(cboChannelFilter_);
  grdHistory_ = Named<GridView>(this, "grdHistory");
  grdHistory_->setAlternatingRowColors(true);
  grdHistory_->setMinimumHeight(160);
  lblDetails_ = Named<QLabel>(this, "lblDetails");
  lblDetails_->setWordWrap(true);
  lblDetails_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblDetails_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto button = [this](const char* name) {
    auto* b = Named<QPushButton>(this, name);
    b->setAutoDefault(false);
    return b;
  };
  cmdReprint_ = button("cmdReprint");
  cmdExport_ = button("cmdExport");
  cmdClose_ = button("cmdClose");

  connect(cboChannelFilter_, &QComboBox::activated, this, [this](int index) {
    Forward([this, index] {
      form_.state().cboChannelFilter.listIndex = index;
      form_.ChannelFilterClick();
    });
  });
  // A click selects its row; with Shift held it extends the selection from
  // the row selected before.
  connect(grdHistory_, &QTableWidget::cellClicked, this, [this](int tableRow, int /*col*/) {
    const int row = GridView::RecordRow(tableRow);
    const int from = form_.state().grdHistory.row;
    const bool extend = (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0 && from >= 1;
    Forward([&] {
      form_.GridClick(extend ? std::min(from, row) : row, extend ? std::max(from, row) : row);
    });
  });
  connect(grdHistory_, &GridView::cellReached, this, [this](int tableRow, int /*col*/) {
    const int row = GridView::RecordRow(tableRow);
    Forward([&] { form_.GridClick(row, row); });
  });
  connect(cmdReprint_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ReprintClick(); }); });
  connect(cmdExport_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ExportClick(); }); });
  connect(cmdClose_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.CloseClick(); }); });

  auto* filter = new QHBoxLayout;
  filter->addWidget(lblChannelFilter_);
  filter->addWidget(cboChannelFilter_);
  filter->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdReprint_);
  buttons->addWidget(cmdExport_);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addLayout(filter);
  layout->addWidget(grdHistory_, 1);
  layout->addWidget(lblDetails_);
  layout->addLayout(buttons);
  Redraw();
  resize(860, 480);
}

template <typename Handler>
void HistoryWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_.closeRequested && isVisible()) done(QDialog::Accepted);
}

void HistoryWindow::Redraw() {
  const HistoryState& s = form_.state();
  setWindowTitle(ToQt(s.caption));
  Draw(lblChannelFilter_, s.lblChannelFilter);
  Draw(cboChannelFilter_, s.cboChannelFilter);
  grdHistory_->Draw(s.grdHistory);
  Draw(lblDetails_, s.lblDetails);
  Draw(cmdReprint_, s.cmdReprint);
  Draw(cmdExport_, s.cmdExport);
  Draw(cmdClose_, s.cmdClose);
}

void HistoryWindow::showEvent(QShowEvent* event) {
  form_.Load();
  Redraw();
  // Wide enough for every column when the screen allows.
  int width = grdHistory_->ColumnsWidth() + 2 * grdHistory_->frameWidth() +
              grdHistory_->verticalScrollBar()->sizeHint().width() +
              layout()->contentsMargins().left() + layout()->contentsMargins().right();
  if (const QScreen* screen = this->screen()) {
    width = std::min(width, screen->availableGeometry().width() - 40);
  }
  resize(std::max(width, this->width()), height());
  QDialog::showEvent(event);
}

void HistoryWindow::reject() {
  if (!form_.closeRequested) {
    Forward([this] { form_.CloseClick(); });
    return;
  }
  QDialog::reject();
}

}  // namespace vernium::qtui
