#include "verify/ui/verify_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/ui/control_binding.h"
#include "platform/ui/grid_view.h"
#include "wizard/ui/guidance_view.h"

namespace vernium::qtui {

VerifyWindow::VerifyWindow(Session& session, VerifyRun& run, MessageBoxes& messages,
                           ConfigurationPrinter& printer, QWidget* parent)
    : QDialog(parent),
      poster_(this, [this] { Redraw(); }),
      runner_(poster_),
      form_(std::make_unique<VerifyForm>(session, run, messages, runner_, printer)) {
  setObjectName("frmVerify");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  lblSpan_ = Named<QLabel>(this, "lblSpan");
  QFont bold = lblSpan_->font();
  bold.setBold(true);
  lblSpan_->setFont(bold);
  lblInstructions_ = Named<QLabel>(this, "lblInstructions");
  lblInstructions_->setWordWrap(true);
  txtApplied_ = Named<QLineEdit>(this, "txtApplied");
  txtTolerance_ = Named<QLineEdit>(this, "txtTolerance");
  txtOperator_ = Named<QLineEdit>(this, "txtOperator");
  auto button = [this](const char* name) {
    auto* b = Named<QPushButton>(this, name);
    b->setAutoDefault(false);
    return b;
  };
  cmdReadPoint_ = button("cmdReadPoint");
  cmdRemovePoint_ = button("cmdRemovePoint");
  cmdZeroOffset_ = button("cmdZeroOffset");
  cmdCertificate_ = button("cmdCertificate");
  cmdDone_ = button("cmdDone");
  grdPoints_ = new GridView(this);
  grdPoints_->setObjectName("grdPoints");
  grdPoints_->setMinimumHeight(170);
  lblFit_ = Named<QLabel>(this, "lblFit");
  lblFit_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblVerdict_ = Named<QLabel>(this, "lblVerdict");
  lblVerdict_->setWordWrap(true);
  lblVerdict_->setFont(bold);
  lblLive_ = Named<QLabel>(this, "lblLive");
  QFont big = lblLive_->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  big.setFamily("monospace");
  lblLive_->setFont(big);
  guidance_ = new GuidancePanel(this);
  guidance_->setObjectName("fraGuidance");

  connect(cmdReadPoint_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->ReadPointClick(); }); });
  connect(cmdRemovePoint_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->RemovePointClick(); }); });
  connect(cmdZeroOffset_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->ZeroOffsetClick(); }); });
  connect(cmdCertificate_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->CertificateClick(); }); });
  connect(cmdDone_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->DoneClick(); }); });
  connect(txtApplied_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_->state().txtApplied.text = FromQt(text);
  });
  connect(txtOperator_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_->state().txtOperator.text = FromQt(text);
  });
  connect(txtTolerance_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Forward([this, text] {
      form_->state().txtTolerance.text = FromQt(text);
      form_->ToleranceChange();
    });
  });
  connect(grdPoints_, &QTableWidget::cellClicked, this, [this](int row, int /*col*/) {
    form_->state().grdPoints.row = GridView::RecordRow(row);
    Redraw();
  });
  tmrLive_ = new QTimer(this);
  tmrLive_->setObjectName("tmrLive");
  connect(tmrLive_, &QTimer::timeout, this, [this] { Forward([this] { form_->LiveTimerTick(); }); });

  auto* entry = new QHBoxLayout;
  entry->addWidget(new QLabel("Applied load:", this));
  entry->addWidget(txtApplied_);
  entry->addWidget(cmdReadPoint_);
  entry->addWidget(cmdRemovePoint_);
  entry->addStretch(1);
  entry->addWidget(new QLabel("Tolerance (% of span):", this));
  entry->addWidget(txtTolerance_);
  auto* zero = new QHBoxLayout;
  zero->addWidget(cmdZeroOffset_);
  zero->addWidget(lblLive_);
  zero->addWidget(guidance_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QLabel("Operator:", this));
  buttons->addWidget(txtOperator_);
  buttons->addStretch(1);
  buttons->addWidget(cmdCertificate_);
  buttons->addWidget(cmdDone_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(lblSpan_);
  layout->addWidget(lblInstructions_);
  layout->addLayout(entry);
  layout->addWidget(grdPoints_, 1);
  layout->addWidget(lblFit_);
  layout->addWidget(lblVerdict_);
  layout->addLayout(zero);
  layout->addLayout(buttons);
  Redraw();
  resize(900, 560);
}

VerifyWindow::~VerifyWindow() {
  tmrLive_->stop();
  form_->StopRead();
}

template <typename Handler>
void VerifyWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_->closeRequested && isVisible()) done(QDialog::Accepted);
}

void VerifyWindow::Redraw() {
  const VerifyState& s = form_->state();
  setWindowTitle(ToQt(s.caption));
  Draw(lblSpan_, s.lblSpan);
  Draw(lblInstructions_, s.lblInstructions);
  Draw(txtApplied_, s.txtApplied);
  Draw(cmdReadPoint_, s.cmdReadPoint);
  grdPoints_->Draw(s.grdPoints);
  Draw(cmdRemovePoint_, s.cmdRemovePoint);
  Draw(txtTolerance_, s.txtTolerance);
  Draw(txtOperator_, s.txtOperator);
  Draw(lblFit_, s.lblFit);
  Draw(lblVerdict_, s.lblVerdict);
  Draw(lblLive_, s.lblLive);
  Draw(cmdZeroOffset_, s.cmdZeroOffset);
  Draw(cmdCertificate_, s.cmdCertificate);
  Draw(cmdDone_, s.cmdDone);
  const TurnAdvice advice = form_->Advice();
  guidance_->SetAdvice(advice);
  guidance_->setVisible(advice.shown);
  if (s.tmrLive.enabled && !tmrLive_->isActive()) tmrLive_->start(s.tmrLive.intervalMs);
  if (!s.tmrLive.enabled && tmrLive_->isActive()) tmrLive_->stop();
}

void VerifyWindow::showEvent(QShowEvent* event) {
  // Each opening checks the current channel afresh; a window restored from
  // its icon keeps its points.
  if (!event->spontaneous()) form_->Load();
  Redraw();
  QDialog::showEvent(event);
}

void VerifyWindow::reject() {
  if (!form_->closeRequested) {
    Forward([this] { form_->DoneClick(); });
    return;
  }
  QDialog::reject();
}

}  // namespace vernium::qtui
