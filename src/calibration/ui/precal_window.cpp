#include "calibration/ui/precal_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "calibration/numeric_fields.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/scrolling_body.h"

namespace vernium::qtui {

PreCalWindow::PreCalWindow(PreCalForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("PreCal");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  PreCalState& s = form_.state();

  Frame3D2_ = Named<QGroupBox>(this, "Frame3D2");
  auto* methods = new QVBoxLayout(Frame3D2_);
  for (int i = 0; i < 3; ++i) {
    auto* option = Named<QRadioButton>(Frame3D2_, FromQt(ArrayName("optCalMethod", i)));
    optCalMethod_[static_cast<std::size_t>(i)] = option;
    methods->addWidget(option);
    connect(option, &QRadioButton::clicked, this,
            [this, i] { Forward([this, i] { form_.MethodClick(i); }); });
  }
  methods->addStretch(1);

  fraTwoPoint_ = Named<QGroupBox>(this, "fraTwoPoint");
  auto* grid = new QGridLayout(fraTwoPoint_);
  grid->setHorizontalSpacing(8);
  auto addLabel = [&](Label& state, const char* name, int row, int col) {
    auto* label = Named<QLabel>(fraTwoPoint_, name);
    labels_.emplace_back(label, &state);
    grid->addWidget(label, row, col);
    return label;
  };
  auto addField = [&](TextBox& state, const char* name, int row, int col) {
    auto* edit = Named<QLineEdit>(fraTwoPoint_, name);
    edit->setMinimumWidth(90);
    edit->installEventFilter(this);
    fields_.push_back({edit, &state});
    TextBox* box = &state;
    connect(edit, &QLineEdit::textEdited, this, [box, edit](const QString& text) {
      box->text = FromQt(text);
      box->selStart = edit->cursorPosition();
      box->selLength = 0;
    });
    grid->addWidget(edit, row, col);
  };
  auto addUnits = [&](int index, int row, int col) {
    auto* label = Named<QLabel>(fraTwoPoint_, FromQt(ArrayName("lblUnits", index)));
    lblUnits_[static_cast<std::size_t>(index)] = label;
    grid->addWidget(label, row, col);
  };
  addLabel(s.lblExcite, "lblExcite", 0, 0);
  addField(s.txtExcite, "txtExcite", 0, 1);
  addLabel(s.lblExciteUnit, "lblExciteUnit", 0, 2);
  addLabel(s.lblSense, "lblSense", 1, 0);
  addField(s.txtSense, "txtSense", 1, 1);
  addLabel(s.lblSenseUnit, "lblSenseUnit", 1, 2);
  addLabel(s.lblFullLoad, "lblFullLoad", 2, 0);
  addField(s.txtFullLoad, "txtFullLoad", 2, 1);
  addUnits(0, 2, 2);
  addLabel(s.lblMaxLoad, "lblMaxLoad", 3, 0);
  addField(s.txtMaxLoad, "txtMaxLoad", 3, 1);
  addUnits(1, 3, 2);
  addLabel(s.lblOffset, "lblOffset", 4, 0);
  addField(s.txtOffset, "txtOffset", 4, 1);
  addUnits(2, 4, 2);
  addLabel(s.lblUnitsCaption, "lblUnitsCaption", 5, 0);
  addField(s.txtUnits, "txtUnits", 5, 1);
  addLabel(s.lblPnt1mVolts, "lblPnt1mVolts", 6, 0);
  addField(s.txtPnt1mVolts, "txtPnt1mVolts", 6, 1);
  grid->addWidget(new QLabel("mV", fraTwoPoint_), 6, 2);
  addLabel(s.lblPnt1Value, "lblPnt1Value", 6, 3);
  addField(s.txtPnt1Value, "txtPnt1Value", 6, 4);
  addLabel(s.lblPnt2mVolts, "lblPnt2mVolts", 7, 0);
  addField(s.txtPnt2mVolts, "txtPnt2mVolts", 7, 1);
  grid->addWidget(new QLabel("mV", fraTwoPoint_), 7, 2);
  addLabel(s.lblPnt2Value, "lblPnt2Value", 7, 3);
  addField(s.txtPnt2Value, "txtPnt2Value", 7, 4);
  addUnits(3, 6, 5);
  grid->addWidget(lblUnits_[3], 6, 5, 2, 1, Qt::AlignVCenter);
  addLabel(s.lblShuntCalValue, "lblShuntCalValue", 8, 0);
  addField(s.txtShuntCalValue, "txtShuntCalValue", 8, 1);
  addUnits(4, 8, 2);
  grid->setColumnMinimumWidth(2, 60);

  // Enter outside the fields presses Continue, or the button that has the
  // focus; in a field it checks the entry (FieldKeyDown).
  cmdContinue_ = Named<QPushButton>(this, "cmdContinue");
  cmdContinue_->setDefault(true);
  cmdAnyCalCancel_ = Named<QPushButton>(this, "cmdAnyCalCancel");
  connect(cmdContinue_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ContinueClick(); }); });
  connect(cmdAnyCalCancel_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.AnyCalCancelClick(); }); });

  // The sensor library, at the left of the buttons.
  cmdSensors_ = Named<QPushButton>(this, "cmdSensors");
  cmdSaveSensor_ = Named<QPushButton>(this, "cmdSaveSensor");
  for (QPushButton* b : {cmdSensors_, cmdSaveSensor_}) b->setAutoDefault(false);
  connect(cmdSensors_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.SensorsClick(); }); });
  connect(cmdSaveSensor_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.SaveSensorClick(); }); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdSensors_);
  buttons->addWidget(cmdSaveSensor_);
  buttons->addStretch(1);
  buttons->addWidget(cmdContinue_);
  buttons->addWidget(cmdAnyCalCancel_);

  // The headroom planner: closed at first, opened by its button.
  chkShowCalculation_ = Named<QToolButton>(this, "chkShowCalculation");
  chkShowCalculation_->setCheckable(true);
  chkShowCalculation_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  chkShowCalculation_->setAutoRaise(true);
  connect(chkShowCalculation_, &QToolButton::clicked, this,
          [this] { Forward([this] { form_.ShowCalculationClick(); }); });
  txtCalculation_ = Named<QPlainTextEdit>(this, "txtCalculation");
  txtCalculation_->setReadOnly(true);
  txtCalculation_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtCalculation_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Twelve lines: the verdict and its warnings come first; the arithmetic
  // scrolls. (Eighteen put Continue below a 144 dpi screen.)
  txtCalculation_->setMinimumHeight(txtCalculation_->fontMetrics().lineSpacing() * 12);
  txtCalculation_->setAccessibleName("Calculation");
  for (auto& field : fields_) {
    connect(field.edit, &QLineEdit::textEdited, this, [this] { RedrawCalculation(); });
  }

  auto* top = new QHBoxLayout;
  top->addWidget(Frame3D2_);
  top->addWidget(fraTwoPoint_, 1);
  // On a screen smaller than the window (the calculation open, a large
  // font) the fields and the calculation scroll; Continue stays in view.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* content = new QVBoxLayout(ScrollingBody(this, layout));
  content->setContentsMargins(0, 0, 0, 0);
  content->addLayout(top, 1);
  content->addWidget(chkShowCalculation_, 0, Qt::AlignLeft);
  content->addWidget(txtCalculation_, 1);
  layout->addLayout(buttons);

  Redraw();
  OpenAtWholeSize(this);
}

template <typename Handler>
void PreCalWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  MoveFocusAsAsked();
}

void PreCalWindow::Redraw() {
  const PreCalState& s = form_.state();
  setWindowTitle(ToQt(s.caption));
  Draw(Frame3D2_, s.Frame3D2);
  Draw(fraTwoPoint_, s.fraTwoPoint);
  RedrawCalculation();
  for (std::size_t i = 0; i < optCalMethod_.size(); ++i) Draw(optCalMethod_[i], s.optCalMethod[i]);
  for (const auto& field : fields_) {
    Draw(field.edit, *field.box);
    // Each numeric field says its range, loads in the units entered.
    if (const NumericField* numeric = FindNumericField(FromQt(field.edit->objectName()))) {
      const QString tip = "Valid range: " + ToQt(RangeText(*numeric, s.lblUnits[0].caption));
      if (field.edit->toolTip() != tip) field.edit->setToolTip(tip);
    }
  }
  for (const auto& [widget, state] : labels_) Draw(widget, *state);
  for (std::size_t i = 0; i < lblUnits_.size(); ++i) Draw(lblUnits_[i], s.lblUnits[i]);
  Draw(cmdContinue_, s.cmdContinue);
  Draw(cmdAnyCalCancel_, s.cmdAnyCalCancel);
  Draw(cmdSensors_, s.cmdSensors);
  Draw(cmdSaveSensor_, s.cmdSaveSensor);
}

void PreCalWindow::MoveFocusAsAsked() {
  if (form_.focusRequest.empty()) return;
  auto* target = findChild<QWidget*>(ToQt(form_.focusRequest));
  form_.focusRequest.clear();
  // After the focus change under way has settled (a range check runs while
  // the focus is leaving the field).
  if (target != nullptr) QTimer::singleShot(0, target, [target] { target->setFocus(); });
}

PreCalWindow::FieldWidgets* PreCalWindow::FieldOf(QObject* object) {
  for (auto& field : fields_) {
    if (field.edit == object) return &field;
  }
  return nullptr;
}

bool PreCalWindow::eventFilter(QObject* watched, QEvent* event) {
  FieldWidgets* field = FieldOf(watched);
  if (field == nullptr || !isVisible()) return QDialog::eventFilter(watched, event);
  const std::string name = FromQt(watched->objectName());
  switch (event->type()) {
    case QEvent::FocusIn:
      Forward([&] { form_.FieldGotFocus(name); });
      break;
    case QEvent::FocusOut:
      Forward([&] { form_.FieldLostFocus(name); });
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        bool beep = false;
        Forward([&] { beep = form_.FieldKeyDown(name, kKeyEnter); });
        if (beep) QApplication::beep();
        return true;
      }
      const QString text = key->text();
      const bool typed = text.size() == 1 && (text[0].isPrint() || text[0] == QChar(kKeyBackspace));
      if (typed && !form_.FieldKeyPress(name, text[0].unicode())) return true;
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void PreCalWindow::RedrawCalculation() {
  const CheckBox& show = form_.state().chkShowCalculation;
  chkShowCalculation_->setText(ToQt(show.caption));
  chkShowCalculation_->setChecked(show.checked);
  chkShowCalculation_->setArrowType(show.checked ? Qt::DownArrow : Qt::RightArrow);
  if (txtCalculation_->isVisibleTo(this) != show.checked) {
    txtCalculation_->setVisible(show.checked);
    // Opened, the window grows to show the calculation as far as the screen
    // allows; closed again, it goes back to its size without it.
    if (isVisible()) OpenAtWholeSize(this);
  }
  if (!show.checked) return;
  const QString text = ToQt(form_.CalculationText());
  if (txtCalculation_->toPlainText() != text) txtCalculation_->setPlainText(text);
}

void PreCalWindow::showEvent(QShowEvent* event) {
  form_.Activate();
  Redraw();
  QDialog::showEvent(event);
  fields_.front().edit->setFocus();
}

void PreCalWindow::reject() {
  form_.AnyCalCancelClick();
  QDialog::reject();
}

}  // namespace vernium::qtui
