#include "diagram/ui/card_pic_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "diagram/ui/card_drawing.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/scrolling_body.h"

namespace vernium::qtui {

namespace {

void Place(QWidget* widget, const Placement& at) {
  widget->setGeometry(DiagramPixels(at.left), DiagramPixels(at.top),
                      std::max(1, DiagramPixels(at.width)), std::max(1, DiagramPixels(at.height)));
}

// A label at its place, widened to the right when its text needs more room
// at the font in use.
void Place(QLabel* label, const Placement& at) {
  Place(static_cast<QWidget*>(label), at);
  const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
  if (label->width() < needed) label->resize(needed, label->height());
}

QLabel* SilkLabel(QWidget* parent, const QString& name, const QColor& colour) {
  auto* label = Named<QLabel>(parent, FromQt(name));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setStyleSheet(
      QString("color: %1; font-weight: bold; background: transparent;").arg(colour.name()));
  return label;
}

}  // namespace

CardPicWindow::CardPicWindow(CardPicForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("CardPic");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  lblInstruction_ = Named<QLabel>(this, "lblInstruction");
  QFont big = lblInstruction_->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  lblInstruction_->setFont(big);

  auto* canvas = Named<QWidget>(this, "CardCanvas");
  canvas->setFixedSize(DiagramPixels(card_layout::kCanvasWidth),
                       DiagramPixels(card_layout::kCanvasHeight));
  const CardPicState& s = form_.state();
  for (int k = 0; k < 2; ++k) {
    const auto at = static_cast<std::size_t>(k);
    auto* picture = new CardDrawing(k, s, canvas);
    picture->setObjectName(k == 0 ? "picSGC10" : "picSGC50");
    pictures_[at] = picture;
    couplingShunt_[at] = new DrawnPart(DrawnPart::Kind::Shunt, picture);
    couplingShunt_[at]->setObjectName(ArrayName("CouplingShunt", k));
    couplingShunt_[at]->setToolTip("Coupling jumper: pressed DC, released AC");
    filterShunt_[at] = new DrawnPart(DrawnPart::Kind::Shunt, picture);
    filterShunt_[at]->setObjectName(ArrayName("FilterShunt", k));
    filterShunt_[at]->setToolTip("Filter jumper: pressed filter on, released bypass");
    filterGainResistor_[at] = new DrawnPart(DrawnPart::Kind::Resistor, picture);
    filterGainResistor_[at]->setObjectName(ArrayName("FilterGainResistor", k));
    filterGainResistor_[at]->setToolTip(
        "Filter-gain resistor: in place for gain X2, removed (pressed) for gain X1");
    lblCouplingAcDc_[at] =
        SilkLabel(picture, ArrayName("lblCouplingAcDc", k), QColor(255, 230, 80));
    lblFilterOnOff_[at] = SilkLabel(picture, ArrayName("lblFilterOnOff", k), QColor(255, 230, 80));
    connect(couplingShunt_[at], &QAbstractButton::clicked, this,
            [this, k] { Forward([this, k] { form_.CouplingShuntClick(k); }); });
    connect(filterShunt_[at], &QAbstractButton::clicked, this,
            [this, k] { Forward([this, k] { form_.FilterShuntClick(k); }); });
    connect(filterGainResistor_[at], &QAbstractButton::clicked, this,
            [this, k] { Forward([this, k] { form_.FilterGainResistorClick(k); }); });
  }
  const QColor white(245, 245, 235);
  lblCouplingDesignator_ = SilkLabel(canvas, "lblCouplingDesignator", white);
  lblFilterDesignator_ = SilkLabel(canvas, "lblFilterDesignator", white);
  lblFilterGainDesignator_ = SilkLabel(canvas, "lblFilterGainDesignator", white);
  // The designators sit on the board over the channel's frame line, which
  // breaks under them instead of striking them through.
  for (QLabel* designator :
       {lblCouplingDesignator_, lblFilterDesignator_, lblFilterGainDesignator_}) {
    designator->setStyleSheet(
        designator->styleSheet().replace("background: transparent", "background: #16603a"));
    designator->setMargin(0);
  }
  for (int i = 0; i < 2; ++i) {
    picJP1_[static_cast<std::size_t>(i)] = new ShuntMarker(canvas);
    picJP1_[static_cast<std::size_t>(i)]->setObjectName(ArrayName("picJP1", i));
  }
  picUpperLowerShunt_ = new ShuntMarker(canvas);
  picUpperLowerShunt_->setObjectName("picUpperLowerShunt");
  for (int j = 0; j < 6; ++j) {
    auto* button = Named<QPushButton>(canvas, FromQt(ArrayName("cmdAddress", j)));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(
        "QPushButton { background: #c81e1e; color: white; font-weight: bold; border: 1px solid "
        "black; border-radius: 2px; padding: 0; }");
    button->setToolTip(QString("Address jumper A%1").arg(j % 3));
    cmdAddress_[static_cast<std::size_t>(j)] = button;
  }

  lblChanNumber_ = Named<QLabel>(this, "lblChanNumber");
  QFont chan = lblChanNumber_->font();
  chan.setPointSizeF(chan.pointSizeF() * 1.6);
  chan.setBold(true);
  lblChanNumber_->setFont(chan);
  lblChanNumber_->setAlignment(Qt::AlignCenter);
  auto* cards = new QGroupBox("Card", this);
  auto* cardsLayout = new QVBoxLayout(cards);
  for (int i = 0; i < 3; ++i) {
    auto* option = Named<QRadioButton>(cards, FromQt(ArrayName("whichCard", i)));
    whichCard_[static_cast<std::size_t>(i)] = option;
    cardsLayout->addWidget(option);
    connect(option, &QRadioButton::clicked, this,
            [this, i] { Forward([this, i] { form_.WhichCardClick(i); }); });
  }
  cmdOK_ = Named<QPushButton>(this, "cmdOK");
  cmdDone_ = Named<QPushButton>(this, "cmdDone");
  cmdCancel_ = Named<QPushButton>(this, "cmdCancel");
  for (QPushButton* button : {cmdOK_, cmdDone_, cmdCancel_}) button->setAutoDefault(false);
  connect(cmdOK_, &QPushButton::clicked, this, [this] { Forward([this] { form_.OKClick(); }); });
  connect(cmdDone_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.DoneClick(); }); });
  connect(cmdCancel_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.CancelClick(); }); });

  auto* side = new QVBoxLayout;
  auto* chanCaption = new QLabel("Channel", this);
  chanCaption->setAlignment(Qt::AlignCenter);
  side->addWidget(chanCaption);
  side->addWidget(lblChanNumber_);
  side->addWidget(cards);
  side->addStretch(1);
  side->addWidget(cmdOK_);
  side->addWidget(cmdDone_);
  side->addWidget(cmdCancel_);
  // The drawing scrolls on a small screen; the channel, the card and the
  // buttons beside it stay in view.
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInstruction_);
  auto* body = new QHBoxLayout;
  auto* drawing = new QVBoxLayout(ScrollingBody(this, body));
  drawing->setContentsMargins(0, 0, 0, 0);
  drawing->addWidget(canvas);
  body->addLayout(side);
  layout->addLayout(body, 1);

  Redraw();
  OpenAtWholeSize(this);
}

template <typename Handler>
void CardPicWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_.closeRequested && isVisible()) done(QDialog::Rejected);
}

void CardPicWindow::Redraw() {
  const CardPicState& s = form_.state();
  setWindowTitle(ToQt(s.caption));
  Draw(lblInstruction_, s.lblInstruction);
  Draw(lblChanNumber_, s.lblChanNumber);
  for (std::size_t i = 0; i < 3; ++i) Draw(whichCard_[i], s.whichCard[i]);
  DrawCommon(pictures_[0], s.picSGC10);
  DrawCommon(pictures_[1], s.picSGC50);
  for (std::size_t k = 0; k < 2; ++k) {
    const std::array<std::pair<DrawnPart*, const ShuntButton*>, 3> parts{
        {{couplingShunt_[k], &s.CouplingShunt[k]},
         {filterShunt_[k], &s.FilterShunt[k]},
         {filterGainResistor_[k], &s.FilterGainResistor[k]}}};
    for (const auto& [widget, state] : parts) {
      DrawCommon(widget, *state);
      widget->SetPressed(state->pressed);
      Place(widget, state->at);
    }
    Draw(lblCouplingAcDc_[k], s.lblCouplingAcDc[k]);
    Place(lblCouplingAcDc_[k], s.lblCouplingAcDc[k].at);
    Draw(lblFilterOnOff_[k], s.lblFilterOnOff[k]);
    Place(lblFilterOnOff_[k], s.lblFilterOnOff[k].at);
    pictures_[k]->update();
  }
  const std::array<std::pair<QLabel*, const PlacedLabel*>, 3> designators{
      {{lblCouplingDesignator_, &s.lblCouplingDesignator},
       {lblFilterDesignator_, &s.lblFilterDesignator},
       {lblFilterGainDesignator_, &s.lblFilterGainDesignator}}};
  for (const auto& [widget, state] : designators) {
    Draw(widget, *state);
    Place(widget, state->at);
    widget->resize(widget->fontMetrics().horizontalAdvance(widget->text()) + 4, widget->height());
    widget->raise();
  }
  for (std::size_t i = 0; i < 2; ++i) {
    DrawCommon(picJP1_[i], s.picJP1[i]);
    Place(picJP1_[i], s.picJP1[i].at);
    picJP1_[i]->raise();
  }
  DrawCommon(picUpperLowerShunt_, s.picUpperLowerShunt);
  Place(picUpperLowerShunt_, s.picUpperLowerShunt.at);
  picUpperLowerShunt_->raise();
  for (std::size_t j = 0; j < 6; ++j) {
    Draw(cmdAddress_[j], s.cmdAddress[j]);
    Place(cmdAddress_[j], s.cmdAddress[j].at);
    cmdAddress_[j]->raise();
  }
  Draw(cmdOK_, s.cmdOK);
  Draw(cmdDone_, s.cmdDone);
  Draw(cmdCancel_, s.cmdCancel);
}

void CardPicWindow::showEvent(QShowEvent* event) {
  // Screen positions are in device-independent pixels: the drawing's own
  // scale covers the screen, so the layout scale stays 1.
  form_.Activate(1.0, 1.0);
  Redraw();
  QDialog::showEvent(event);
}

void CardPicWindow::reject() {
  form_.CancelClick();
  QDialog::reject();
}

}  // namespace vernium::qtui
