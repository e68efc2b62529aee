#include "diagram/ui/card_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QFontMetricsF>
#include <algorithm>
#include <array>

#include "diagram/card_pic_state.h"

namespace vernium::qtui {

namespace L = card_layout;

namespace {

const QColor kBoard(22, 96, 58);
const QColor kBoardEdge(10, 58, 32);
const QColor kSilk(240, 240, 232);
const QColor kGold(214, 170, 60);
const QColor kHeader(28, 28, 28);
const QColor kTrimBody(52, 104, 196);
const QColor kBrass(226, 190, 96);
const QColor kHighlight(255, 214, 0);

void SilkText(QPainter& p, const QRectF& r, const QString& text, int size, int flags,
              bool bold = false) {
  QFont f("DejaVu Sans");
  f.setPixelSize(size);
  f.setBold(bold);
  // A text too long for its place is set smaller rather than run over its
  // neighbour.
  const double wide = QFontMetricsF(f).horizontalAdvance(text);
  if (wide > r.width() && wide > 0) f.setPixelSize(std::max(1, static_cast<int>(size * r.width() / wide)));
  p.setFont(f);
  p.setPen(kSilk);
  p.drawText(r, flags, text);
}

// A trimpot seen from above: blue body, brass adjusting screw with its slot.
void Trimpot(QPainter& p, double x, double y, double size, const QString& name) {
  p.setPen(QPen(Qt::black, 8));
  p.setBrush(kTrimBody);
  p.drawRoundedRect(QRectF(x, y, size, size), 20, 20);
  const QPointF c(x + size * 0.5, y + size * 0.45);
  const double r = size * 0.27;
  p.setBrush(kBrass);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(90, 60, 10), 14));
  p.drawLine(QPointF(c.x() - r * 0.7, c.y() + r * 0.7), QPointF(c.x() + r * 0.7, c.y() - r * 0.7));
  SilkText(p, QRectF(x - 40, y + size + 4, size + 80, 100), name, 80,
           Qt::AlignHCenter | Qt::AlignTop);
}

// A row or column of header pins on a black body.
void Header(QPainter& p, const QRectF& body, int pins, bool vertical) {
  p.setPen(Qt::NoPen);
  p.setBrush(kHeader);
  p.drawRect(body);
  p.setBrush(kGold);
  const double pitch = (vertical ? body.height() : body.width()) / pins;
  const double pin = std::min(body.width(), body.height()) * 0.35;
  for (int i = 0; i < pins; ++i) {
    const QPointF c = vertical ? QPointF(body.center().x(), body.top() + pitch * (i + 0.5))
                               : QPointF(body.left() + pitch * (i + 0.5), body.center().y());
    p.drawRect(QRectF(c.x() - pin / 2, c.y() - pin / 2, pin, pin));
  }
}

// Two gold pads of a resistor footprint and its outline.
void ResistorFootprint(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kSilk, 10));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  const double pad = r.height() * 0.7;
  p.drawRect(QRectF(r.left() + 30, r.center().y() - pad / 2, pad, pad));
  p.drawRect(QRectF(r.right() - 30 - pad, r.center().y() - pad / 2, pad, pad));
}

// An integrated circuit with pins on its long sides.
void Chip(QPainter& p, const QRectF& r, const QString& name) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(190, 190, 190));
  const int pins = 4;
  for (int i = 0; i < pins; ++i) {
    const double x = r.left() + r.width() * (i + 0.5) / pins - 20;
    p.drawRect(QRectF(x, r.top() - 40, 40, 40));
    p.drawRect(QRectF(x, r.bottom(), 40, 40));
  }
  p.setBrush(QColor(30, 30, 30));
  p.drawRoundedRect(r, 10, 10);
  SilkText(p, r, name, 70, Qt::AlignCenter);
}

// The headers, footprints and printed designators of one channel's
// coupling jumper, filter jumper and filter-gain resistor, at the place the
// form puts that channel's shunts. The current channel's designators are the
// window's labels, laid over the drawing, so they are not printed twice.
void ChannelSettingsFootprint(QPainter& p, double x0, double top, const QString& coupling,
                              const QString& filter, const QString& resistor,
                              bool printDesignators) {
  const double filterLeft = x0 + L::kFilterShuntOffset;
  for (double x : {x0, filterLeft}) {
    Header(p, QRectF(x + 60, top + 40, L::kShuntWidth - 120, L::kShuntHeight - 80), 3, false);
  }
  const double resistorTop = top + L::kShuntHeight + L::kResistorGap;
  ResistorFootprint(p, QRectF(x0, resistorTop, L::kResistorWidth, L::kResistorHeight));
  if (!printDesignators) return;
  SilkText(p, QRectF(x0, top - 220, L::kShuntWidth, 200), coupling, 100,
           Qt::AlignLeft | Qt::AlignBottom);
  SilkText(p, QRectF(filterLeft, top - 220, L::kShuntWidth, 200), filter, 100,
           Qt::AlignLeft | Qt::AlignBottom);
  SilkText(p, QRectF(x0, resistorTop + L::kResistorHeight + 20, L::kResistorWidth, 200), resistor,
           100, Qt::AlignLeft | Qt::AlignTop);
}

// What both boards share: the board, the edge connector, the card's name,
// the address header, the base-channel headers and the group header.
void PaintCommon(QPainter& p, const QString& name) {
  const QRectF board(L::kBoardLeft, L::kBoardTop, L::kBoardRight - L::kBoardLeft,
                     L::kBoardBottom - L::kBoardTop);
  // Edge connector tab with gold fingers along the bottom edge.
  const QRectF tab(700, L::kBoardBottom - 20, 3400, 200);
  p.setPen(QPen(kBoardEdge, 16));
  p.setBrush(kBoard);
  p.drawRect(tab);
  p.drawRoundedRect(board, 60, 60);
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  for (double x = tab.left() + 50; x + 60 < tab.right(); x += 110) {
    p.drawRect(QRectF(x, L::kBoardBottom + 20, 60, 150));
  }
  // Mounting holes.
  p.setBrush(QColor(200, 200, 190));
  for (QPointF c : {QPointF(board.left() + 130, board.top() + 130),
                    QPointF(board.right() - 130, board.top() + 130),
                    QPointF(board.right() - 130, board.bottom() - 130)}) {
    p.drawEllipse(c, 60, 60);
  }
  SilkText(p, QRectF(board.left() + 260, board.top() + 20, 2850, 150), name, 120,
           Qt::AlignLeft | Qt::AlignTop, true);

  // Address header: three jumpers, one per bit of the card's index.
  SilkText(p, QRectF(L::kAddressLeft - 200, L::kAddressTop - 290, 1300, 120), "CARD ADDRESS", 80,
           Qt::AlignLeft | Qt::AlignBottom);
  for (int j = 0; j < 3; ++j) {
    const double x = L::kAddressLeft + L::kAddressPitch * j;
    Header(p,
           QRectF(x + 30, L::kAddressTop + 10, L::kAddressSize - 60,
                  L::kAddressSetOffset + L::kAddressSize - 20),
           3, true);
    SilkText(p, QRectF(x - 40, L::kAddressTop - 170, L::kAddressSize + 80, 150),
             QString("A%1").arg(j), 90, Qt::AlignHCenter | Qt::AlignBottom);
  }
  SilkText(p, QRectF(L::kAddressLeft + 3 * L::kAddressPitch - 60, L::kAddressTop, 200, 200), "0",
           80, Qt::AlignLeft | Qt::AlignVCenter);
  SilkText(p,
           QRectF(L::kAddressLeft + 3 * L::kAddressPitch - 60,
                  L::kAddressTop + L::kAddressSetOffset, 200, 200),
           "1", 80, Qt::AlignLeft | Qt::AlignBottom);

  // Base channel: a column of sixteen pins (0 at the bottom) and a row of
  // sixteen pins (0 at the left), JP1.
  Header(p, QRectF(L::kJP1ColumnLeft, 660, 180, 16 * 135.0), 16, true);
  Header(p, QRectF(5250, L::kJP1RowTop, 16 * 106.0, 180), 16, false);
  SilkText(p, QRectF(L::kJP1ColumnLeft - 60, 480, 600, 170), "JP1", 100,
           Qt::AlignLeft | Qt::AlignBottom, true);
  for (int b = 0; b < 16; ++b) {
    SilkText(p, QRectF(L::kJP1ColumnLeft + 200, 2685.0 - 135.0 * b, 220, 135), QString::number(b),
             70, Qt::AlignLeft | Qt::AlignVCenter);
    // Below the reach of the shunt that marks the base channel.
    SilkText(p, QRectF(5250.0 + 106.0 * b - 20, L::kJP1RowTop + 250, 146, 120), QString::number(b),
             60, Qt::AlignHCenter | Qt::AlignTop);
  }
  SilkText(p, QRectF(5350, 2600, 1700, 380), "BASE CHANNEL", 90, Qt::AlignCenter);

  // The group of eight channels the card answers to.
  Header(p, QRectF(L::kUpperLowerLeft + 20, 2070, 110, 430), 3, true);
  SilkText(p, QRectF(L::kUpperLowerLeft - 760, 2070, 740, 150), "CH 0-7", 75,
           Qt::AlignRight | Qt::AlignVCenter);
  SilkText(p, QRectF(L::kUpperLowerLeft - 760, 2360, 740, 150), "CH 8-15", 75,
           Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

int DiagramPixels(double twips) {
  return static_cast<int>(twips * kDiagramPixelsPerTwip + 0.5);
}

CardDrawing::CardDrawing(int kind, const CardPicState& state, QWidget* parent)
    : QWidget(parent), kind_(kind), state_(state) {
  setFixedSize(DiagramPixels(L::kCanvasWidth), DiagramPixels(L::kCanvasHeight));
}

void CardDrawing::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(kDiagramPixelsPerTwip, kDiagramPixelsPerTwip);
  if (kind_ == 0) {
    PaintSgc10(p);
  } else {
    PaintSgc50(p);
  }
}

void CardDrawing::PaintSgc10(QPainter& p) const {
  PaintCommon(p, "SGC10  STRAIN GAGE CONDITIONER  2 CH");
  static const std::array<QString, 4> kPots{"EXC", "OFS", "IN", "SCL"};
  static const std::array<std::array<QString, 3>, 2> kDesignators{
      {{"JP2", "JP5", "R46"}, {"JP3", "JP4", "R44"}}};
  for (std::size_t s = 0; s < 2; ++s) {
    const double x0 = L::kSgc10SectionLeft[s];
    const QRectF section(x0 - 80, 640, 1420, 2700);
    if (static_cast<int>(s) == state_.placeOnCard) {
      p.setPen(QPen(kHighlight, 18, Qt::DashLine));
    } else {
      p.setPen(QPen(kSilk, 8, Qt::DashLine));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(section, 40, 40);
    SilkText(p, QRectF(x0, 650, 1300, 130), s == 0 ? "EVEN CHANNEL" : "ODD CHANNEL", 85,
             Qt::AlignLeft | Qt::AlignTop, true);
    for (std::size_t i = 0; i < 4; ++i) {
      Trimpot(p, x0 + 10 + 330.0 * static_cast<double>(i), 820, 250, kPots[i]);
    }
    ChannelSettingsFootprint(p, x0, L::kSgc10ShuntTop, kDesignators[s][0], kDesignators[s][1],
                             kDesignators[s][2], static_cast<int>(s) != state_.placeOnCard);
    Chip(p, QRectF(x0 + 40, 2960, 560, 240), s == 0 ? "U1" : "U3");
    Chip(p, QRectF(x0 + 720, 2960, 560, 240), s == 0 ? "U2" : "U4");
  }
}

void CardDrawing::PaintSgc50(QPainter& p) const {
  PaintCommon(p, "SGC50 / 50A / 50B  STRAIN GAGE CONDITIONER  8 CH");
  static const std::array<QString, 4> kPots{"EXC", "OFS", "IN", "SCL"};
  for (int k = 0; k < 8; ++k) {
    const double x = L::kSgc50StripLeft + L::kSgc50StripWidth * k;
    const QRectF strip(x, 640, L::kSgc50StripWidth - 30, 1160);
    if (k == state_.placeOnCard) {
      p.setPen(QPen(kHighlight, 18));
    } else {
      p.setPen(QPen(kSilk, 8, Qt::DashLine));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(strip, 30, 30);
    SilkText(p, QRectF(x, 650, L::kSgc50StripWidth - 30, 110), QString("CH%1").arg(k + 1), 75,
             Qt::AlignHCenter | Qt::AlignTop, true);
    for (std::size_t i = 0; i < 4; ++i) {
      Trimpot(p, x + 90, 770 + 250.0 * static_cast<double>(i), 150, QString());
    }
    // The channel's own jumpers and resistor, small, with their designators.
    SilkText(p, QRectF(x, 1760 - 60, L::kSgc50StripWidth - 30, 100), QString("R%144").arg(k + 1),
             60, Qt::AlignHCenter | Qt::AlignTop);
  }
  for (std::size_t i = 0; i < 4; ++i) {
    SilkText(p, QRectF(60, 770 + 250.0 * static_cast<double>(i), 340, 150), kPots[i], 65,
             Qt::AlignRight | Qt::AlignVCenter);
  }
  const int x = state_.placeOnCard + 1;
  const QRectF detail(L::kSgc50DetailLeft - 420, 1840, 3200, 1560);
  p.setPen(QPen(kHighlight, 14));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(detail, 40, 40);
  SilkText(p, QRectF(detail.left() + 40, detail.top() + 10, 400, 400), QString("CH%1").arg(x), 100,
           Qt::AlignLeft | Qt::AlignTop, true);
  ChannelSettingsFootprint(p, L::kSgc50DetailLeft, L::kSgc50ShuntTop, QString("JP%103").arg(x),
                           QString("JP%104").arg(x), QString("R%144").arg(x), false);
  Chip(p, QRectF(2600, 2150, 560, 240), "U9");
  Chip(p, QRectF(2600, 2800, 560, 240), "U10");
}

DrawnPart::DrawnPart(Kind kind, QWidget* parent) : QAbstractButton(parent), kind_(kind) {
  // Checked is pressed, so the jumper's setting is there for whatever reads
  // the button (a screen reader, a scenario), not only in the drawing. A
  // click toggles it at once; the redraw after the form's handler sets it
  // to what the form decided.
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void DrawnPart::SetPressed(bool pressed) {
  if (isChecked() == pressed) return;
  setChecked(pressed);
}

void DrawnPart::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  // The 3-D button face: raised when released, sunk when pressed.
  p.setPen(Qt::NoPen);
  p.setBrush(isChecked() ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 40));
  p.drawRoundedRect(r, 3, 3);
  p.setPen(QPen(isChecked() ? QColor(0, 0, 0, 160) : QColor(255, 255, 255, 200), 1.5));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(QPen(isChecked() ? QColor(255, 255, 255, 200) : QColor(0, 0, 0, 160), 1.5));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (kind_ == Kind::Shunt) {
    // The shunt block across pins 1-2 (pressed) or parked on pin 3.
    const double w = r.width() / 3.0;
    const QRectF block = isChecked()
                             ? QRectF(r.left() + 3, r.top() + 3, 2 * w - 3, r.height() - 6)
                             : QRectF(r.left() + 2 * w + 1, r.top() + 3, w - 4, r.height() - 6);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 30, 30));
    p.drawRoundedRect(block, 2, 2);
  } else if (!isChecked()) {
    // The resistor in place: a beige body with colour bands on its leads.
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.drawLine(QPointF(r.left() + 4, r.center().y()), QPointF(r.right() - 4, r.center().y()));
    const QRectF body(r.left() + r.width() * 0.25, r.top() + 2, r.width() * 0.5, r.height() - 4);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(222, 196, 150));
    p.drawRoundedRect(body, 4, 4);
    const std::array<QColor, 4> bands{QColor(150, 75, 0), Qt::black, QColor(255, 140, 0),
                                      QColor(212, 175, 55)};
    for (std::size_t i = 0; i < bands.size(); ++i) {
      p.fillRect(QRectF(body.left() + body.width() * (0.15 + 0.2 * static_cast<double>(i)),
                        body.top() + 1, body.width() * 0.08, body.height() - 2),
                 bands[i]);
    }
  }
  if (hasFocus()) {
    p.setPen(QPen(kHighlight, 1.5, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
  }
}

ShuntMarker::ShuntMarker(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShuntMarker::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 30, 30));
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
}

}  // namespace vernium::qtui
