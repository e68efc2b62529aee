#include "simulator/ui/bench_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/control_binding.h"
#include "simulator/ui/bench_widgets.h"

namespace vernium::qtui {

namespace {

// What the window manager's frame and title bar add around the window.
constexpr QSize kFrameAllowance(24, 68);

constexpr char kRefusedLook[] = "QLineEdit { border: 2px solid #c62828; }";

// A typed field: what is typed, and what is selected, go to the form's
// record at once, so that the meters' redraws leave both as they are; the
// handler runs on Enter or when the field is left.
template <typename OnDone>
QLineEdit* TypedField(QWidget* parent, std::string_view name, TextBox& record, OnDone done) {
  auto* edit = Named<QLineEdit>(parent, name);
  QObject::connect(edit, &QLineEdit::textEdited, edit,
                   [&record](const QString& text) { record.text = FromQt(text); });
  QObject::connect(edit, &QLineEdit::selectionChanged, edit, [&record, edit] {
    record.selStart = std::max(0, edit->selectionStart());
    record.selLength = edit->selectionLength();
  });
  QObject::connect(edit, &QLineEdit::editingFinished, edit, done);
  return edit;
}

// A typed field whose text the form may refuse: the refusal is its tooltip
// and a red border until the text is corrected.
void DrawChecked(QLineEdit* edit, const CheckedTextBox& box) {
  Draw(edit, box);
  const QString refusal = ToQt(box.refusal);
  if (edit->toolTip() == refusal) return;
  edit->setToolTip(refusal);
  edit->setAccessibleDescription(refusal);
  edit->setStyleSheet(refusal.isEmpty() ? QString() : QString(kRefusedLook));
}

}  // namespace

BenchWindow::BenchWindow(BenchForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("Bench");
  setWindowFlag(Qt::WindowMinimizeButtonHint);
  auto* root = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  lblBenchChannel_ = Named<QLabel>(this, "lblBenchChannel");
  cboBenchChannel_ = Named<QComboBox>(this, "cboBenchChannel");
  cboBenchChannel_->setAccessibleName("Channel on the bench");
  lblBenchChannel_->setBuddy(cboBenchChannel_);
  chkFollowGrid_ = Named<QCheckBox>(this, "chkFollowGrid");
  top->addWidget(lblBenchChannel_);
  top->addWidget(cboBenchChannel_, 1);
  top->addWidget(chkFollowGrid_);
  root->addLayout(top);
  connect(cboBenchChannel_, &QComboBox::activated, this, [this](int index) {
    form_.cboBenchChannel.listIndex = index;
    Forward([this] { form_.BenchChannelClick(); });
  });
  connect(chkFollowGrid_, &QCheckBox::clicked, this, [this](bool checked) {
    form_.chkFollowGrid.checked = checked;
    Forward([this] { form_.FollowGridClick(); });
  });

  // Below the chooser the bench scrolls, so that a window smaller than the
  // bench, on a small screen, still reaches every part and meter.
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* content = new QWidget(scroll);
  auto* body = new QVBoxLayout(content);
  body->setContentsMargins(0, 0, 0, 0);

  auto* middle = new QHBoxLayout;
  frames_[0] = Named<QGroupBox>(this, "fraTrimpots");
  auto* pots = new QHBoxLayout(frames_[0]);
  pots->addWidget(MakeDial(Trimpot::Excitation, "dialExcitation", "txtExcitationTurns",
                           "Excitation trimpot"));
  pots->addWidget(MakeDial(Trimpot::Offset, "dialOffset", "txtOffsetTurns", "Offset trimpot"));
  pots->addWidget(
      MakeDial(Trimpot::InputGain, "dialInputGain", "txtInputGainTurns", "Input gain trimpot"));
  pots->addWidget(
      MakeDial(Trimpot::ScaleGain, "dialScaleGain", "txtScaleGainTurns", "Scale gain trimpot"));
  middle->addWidget(frames_[0], 1);
  middle->addWidget(MakeMeters());
  body->addLayout(middle);

  auto* lower = new QHBoxLayout;
  lower->addWidget(MakeLoad());
  frames_[2] = Named<QGroupBox>(this, "fraParts");
  auto* partsRow = new QHBoxLayout(frames_[2]);
  for (auto& [name, record] : form_.Parts()) {
    auto* part = Named<BenchPart>(frames_[2], name);
    partsRow->addWidget(part);
    parts_.push_back({part, record});
    // The last part's place is kept on the cards without it: every card
    // shows at most that many parts, so the bench needs the same room for
    // each.
    if (record == &form_.optCal2) {
      QSizePolicy keep = part->sizePolicy();
      keep.setRetainSizeWhenHidden(true);
      part->setSizePolicy(keep);
    }
    const std::string partName(name);
    connect(part, &BenchPart::clicked, this,
            [this, partName] { Forward([this, &partName] { form_.PartClick(partName); }); });
  }
  partsRow->addStretch(1);
  lower->addWidget(frames_[2], 1);
  body->addLayout(lower);
  body->addWidget(MakeFaults());
  scroll->setWidget(content);
  root->addWidget(scroll, 1);

  // Enter in a typed field sets that field's value; no button is the
  // window's default.
  for (auto* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

  meters_.setInterval(kBenchMeterIntervalMs);
  connect(&meters_, &QTimer::timeout, this, [this] { Forward([this] { form_.MeterTick(); }); });
  form_.Load();
  Redraw();

  // The whole bench if the screen has room, else what it has room for; the
  // size stays when the bench follows another card. Measured afresh: the
  // scroll area measured the bench before the redraw hid the parts that
  // this card does not have.
  body->invalidate();
  body->activate();
  const QMargins margins = root->contentsMargins();
  const QSize bench(std::max(top->sizeHint().width(), content->sizeHint().width()) +
                        margins.left() + margins.right(),
                    top->sizeHint().height() + root->spacing() + content->sizeHint().height() +
                        margins.top() + margins.bottom());
  resize(bench.boundedTo(screen()->availableGeometry().size() - kFrameAllowance));
}

BenchWindow::~BenchWindow() {
  // A field losing the focus while the window is taken apart would report
  // its edit to a window that is half gone.
  meters_.stop();
  for (auto* edit : findChildren<QLineEdit*>()) edit->blockSignals(true);
}

QWidget* BenchWindow::MakeDial(Trimpot trimpot, const char* name, const char* turnsName,
                               const char* accessible) {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(2, 2, 2, 2);
  DialWidgets w{trimpot, Named<TrimpotDial>(box, name), new QLabel(box), new QLabel(box), nullptr};
  w.dial->setAccessibleName(accessible);
  w.caption->setAlignment(Qt::AlignCenter);
  QFont bold = w.caption->font();
  bold.setBold(true);
  w.caption->setFont(bold);
  w.value->setAlignment(Qt::AlignCenter);
  w.turns = TypedField(box, turnsName, form_.DialTurns(trimpot),
                       [this, trimpot] { Forward([this, trimpot] { form_.DialTurnsEntered(trimpot); }); });
  w.turns->setAccessibleName(QString(accessible) + " position in turns");
  w.turns->setAlignment(Qt::AlignRight);
  w.turns->setMaximumWidth(90);
  auto* turnsRow = new QHBoxLayout;
  turnsRow->addStretch(1);
  turnsRow->addWidget(w.turns);
  turnsRow->addWidget(new QLabel(QStringLiteral("turns"), box));
  turnsRow->addStretch(1);
  column->addWidget(w.caption);
  column->addWidget(w.dial, 1, Qt::AlignHCenter);
  column->addWidget(w.value);
  column->addLayout(turnsRow);
  connect(w.dial, &TrimpotDial::turned, this, [this, trimpot](double turns) {
    Forward([this, trimpot, turns] { form_.TurnDial(trimpot, turns); });
  });
  dials_.push_back(w);
  return box;
}

QWidget* BenchWindow::MakeLoad() {
  frames_[1] = Named<QGroupBox>(this, "fraLoad");
  auto* grid = new QGridLayout(frames_[1]);
  sldLoad_ = Named<QSlider>(frames_[1], "sldLoad");
  sldLoad_->setOrientation(Qt::Horizontal);
  sldLoad_->setAccessibleName("Applied load");
  sldLoad_->setSingleStep(10);
  sldLoad_->setPageStep(500);
  sldLoad_->setMinimumWidth(220);
  connect(sldLoad_, &QSlider::valueChanged, this, [this](int value) {
    form_.sldLoad.value = value;
    Forward([this] { form_.LoadSliderMoved(); });
  });
  txtLoad_ = TypedField(frames_[1], "txtLoad", form_.txtLoad,
                        [this] { Forward([this] { form_.LoadEntered(); }); });
  txtLoad_->setAccessibleName("Applied load in sensor units");
  txtLoad_->setMaximumWidth(90);
  txtLoad_->setAlignment(Qt::AlignRight);
  cmdZeroLoad_ = Named<QPushButton>(frames_[1], "cmdZeroLoad");
  connect(cmdZeroLoad_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ZeroLoadClick(); }); });
  lblLoadRange_ = Named<QLabel>(frames_[1], "lblLoadRange");
  grid->addWidget(sldLoad_, 0, 0, 1, 3);
  grid->addWidget(txtLoad_, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("sensor units"), frames_[1]), 1, 1);
  grid->addWidget(cmdZeroLoad_, 1, 2);
  grid->addWidget(lblLoadRange_, 2, 0, 1, 3);
  return frames_[1];
}

QWidget* BenchWindow::MakeMeters() {
  frames_[3] = Named<QGroupBox>(this, "fraMeters");
  auto* column = new QVBoxLayout(frames_[3]);
  lblVoltmeterExcitation_ = Named<VoltmeterDisplay>(frames_[3], "lblVoltmeterExcitation");
  lblVoltmeterExcitation_->setAccessibleName("Excitation at the card's terminals");
  lblVoltmeterOutput_ = Named<VoltmeterDisplay>(frames_[3], "lblVoltmeterOutput");
  lblVoltmeterOutput_->setAccessibleName("Card output");
  column->addWidget(new QLabel(QStringLiteral("Excitation (card terminals)"), frames_[3]));
  column->addWidget(lblVoltmeterExcitation_);
  column->addWidget(new QLabel(QStringLiteral("Card output"), frames_[3]));
  column->addWidget(lblVoltmeterOutput_);
  column->addStretch(1);
  return frames_[3];
}

QWidget* BenchWindow::MakeFaults() {
  frames_[4] = Named<QGroupBox>(this, "fraFaults");
  auto* grid = new QGridLayout(frames_[4]);
  chkOffline_ = Named<QCheckBox>(frames_[4], "chkOffline");
  connect(chkOffline_, &QCheckBox::clicked, this, [this](bool checked) {
    form_.chkOffline.checked = checked;
    Forward([this] { form_.OfflineClick(); });
  });
  cboFaultOperation_ = Named<QComboBox>(frames_[4], "cboFaultOperation");
  cboFaultOperation_->setAccessibleName("Library operation to fail");
  connect(cboFaultOperation_, &QComboBox::activated, this,
          [this](int index) { Forward([this, index] { form_.cboFaultOperation.Select(index); }); });
  txtFaultCode_ = TypedField(frames_[4], "txtFaultCode", form_.txtFaultCode, [] {});
  txtFaultCode_->setAccessibleName("Error code");
  txtFaultCode_->setMaximumWidth(60);
  cmdFailNext_ = Named<QPushButton>(frames_[4], "cmdFailNext");
  cmdStallTransfer_ = Named<QPushButton>(frames_[4], "cmdStallTransfer");
  cmdClearFaults_ = Named<QPushButton>(frames_[4], "cmdClearFaults");
  connect(cmdFailNext_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.FailNextClick(); }); });
  connect(cmdStallTransfer_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.StallTransferClick(); }); });
  connect(cmdClearFaults_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ClearFaultsClick(); }); });
  lblFaultStatus_ = Named<QLabel>(frames_[4], "lblFaultStatus");
  grid->addWidget(chkOffline_, 0, 0);
  grid->addWidget(cboFaultOperation_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("code"), frames_[4]), 0, 2);
  grid->addWidget(txtFaultCode_, 0, 3);
  grid->addWidget(cmdFailNext_, 0, 4);
  grid->addWidget(cmdStallTransfer_, 0, 5);
  grid->addWidget(cmdClearFaults_, 0, 6);
  grid->addWidget(lblFaultStatus_, 1, 0, 1, 7);
  grid->setColumnStretch(7, 1);
  return frames_[4];
}

template <typename Handler>
void BenchWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
}

void BenchWindow::Redraw() {
  setWindowTitle(ToQt(form_.caption));
  Draw(lblBenchChannel_, form_.lblBenchChannel);
  Draw(cboBenchChannel_, form_.cboBenchChannel);
  Draw(chkFollowGrid_, form_.chkFollowGrid);
  const std::array<const Frame*, 5> frames{&form_.fraTrimpots, &form_.fraLoad, &form_.fraParts,
                                           &form_.fraMeters, &form_.fraFaults};
  for (std::size_t i = 0; i < frames.size(); ++i) Draw(frames_[i], *frames[i]);
  for (const DialWidgets& w : dials_) {
    const DialControl& dial = form_.Dial(w.trimpot);
    w.dial->SetState(dial);
    w.caption->setText(ToQt(dial.caption));
    w.value->setText(ToQt(dial.valueText));
    DrawChecked(w.turns, form_.DialTurns(w.trimpot));
  }
  DrawChecked(txtLoad_, form_.txtLoad);
  {
    const QSignalBlocker blocker(sldLoad_);
    sldLoad_->setRange(form_.sldLoad.minimum, form_.sldLoad.maximum);
    sldLoad_->setValue(form_.sldLoad.value);
    DrawCommon(sldLoad_, form_.sldLoad);
  }
  Draw(cmdZeroLoad_, form_.cmdZeroLoad);
  Draw(lblLoadRange_, form_.lblLoadRange);
  for (auto& [widget, record] : parts_) widget->SetState(*record);
  lblVoltmeterExcitation_->SetReading(form_.lblVoltmeterExcitation.caption);
  lblVoltmeterOutput_->SetReading(form_.lblVoltmeterOutput.caption);
  Draw(chkOffline_, form_.chkOffline);
  Draw(cboFaultOperation_, form_.cboFaultOperation);
  Draw(txtFaultCode_, form_.txtFaultCode);
  Draw(cmdFailNext_, form_.cmdFailNext);
  Draw(cmdStallTransfer_, form_.cmdStallTransfer);
  Draw(cmdClearFaults_, form_.cmdClearFaults);
  Draw(lblFaultStatus_, form_.lblFaultStatus);
}

void BenchWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Forward([this] { form_.MeterTick(); });
  meters_.start();
}

void BenchWindow::hideEvent(QHideEvent* event) {
  meters_.stop();
  QDialog::hideEvent(event);
}

}  // namespace vernium::qtui
