#include "simulator/ui/bench_widgets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

#include "platform/ui/control_binding.h"

namespace vernium::qtui {

namespace {

constexpr double kArcStart = 225.0;  // degrees: the low end of travel, lower left
constexpr double kArcSpan = 270.0;   // clockwise to the high end, lower right

const QColor kBoard(24, 92, 58);
const QColor kBody(33, 82, 160);
const QColor kBrass(206, 170, 92);
const QColor kSilk(236, 236, 228);

QPointF OnCircle(QPointF centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

}  // namespace

// ---- TrimpotDial ----------------------------------------------------------

TrimpotDial::TrimpotDial(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::OpenHandCursor);
}

void TrimpotDial::SetState(const DialControl& state) {
  DrawCommon(this, state);
  const QString description =
      QStringLiteral("%1 turns of %2, %3")
          .arg(state.turns, 0, 'f', 3)
          .arg(kTrimpotTurns, 0, 'f', 0)
          .arg(ToQt(state.valueText));
  if (turns_ != state.turns || accessibleDescription() != description) {
    turns_ = state.turns;
    setAccessibleDescription(description);
    setToolTip(description +
               QStringLiteral("\nArrow keys: 1/20 turn; with Ctrl 1/200, with Alt 1/2000"));
    update();
  }
}

double TrimpotDial::AngleAt(QPointF point) const {
  const QPointF c = QRectF(rect()).center();
  return std::atan2(-(point.y() - c.y()), point.x() - c.x()) * 180.0 / std::numbers::pi;
}

void TrimpotDial::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double side = std::min(width(), height()) - 4.0;
  const QPointF c = QRectF(rect()).center();
  const double outer = side / 2.0;
  const double share = std::clamp(turns_ / kTrimpotTurns, 0.0, 1.0);

  // The travel: a scale of 25 turns around the screw, filled to the wiper.
  const QRectF arcBox(c.x() - outer + 6, c.y() - outer + 6, 2 * outer - 12, 2 * outer - 12);
  p.setPen(QPen(palette().color(QPalette::Mid), 5, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(arcBox, static_cast<int>(kArcStart * 16), static_cast<int>(-kArcSpan * 16));
  p.setPen(QPen(isEnabled() ? QColor(230, 140, 20) : palette().color(QPalette::Mid), 5,
                Qt::SolidLine, Qt::FlatCap));
  p.drawArc(arcBox, static_cast<int>(kArcStart * 16), static_cast<int>(-kArcSpan * share * 16));
  p.setPen(QPen(palette().color(QPalette::WindowText), 1));
  for (int t = 0; t <= static_cast<int>(kTrimpotTurns); t += 5) {
    const double a = kArcStart - kArcSpan * t / kTrimpotTurns;
    p.drawLine(OnCircle(c, outer - 1, a), OnCircle(c, outer - 11, a));
  }

  // The trimpot's body and its brass screw, the slot at the turn's fraction.
  const double body = outer * 0.62;
  p.setPen(QPen(kBody.darker(140), 1.5));
  p.setBrush(isEnabled() ? kBody : palette().color(QPalette::Mid));
  p.drawRoundedRect(QRectF(c.x() - body, c.y() - body, 2 * body, 2 * body), 6, 6);
  const double screw = body * 0.62;
  QRadialGradient brass(c - QPointF(screw / 3, screw / 3), screw * 1.6);
  brass.setColorAt(0, kBrass.lighter(130));
  brass.setColorAt(1, kBrass.darker(150));
  p.setBrush(brass);
  p.setPen(QPen(kBrass.darker(200), 1));
  p.drawEllipse(c, screw, screw);
  const double slot = 90.0 - 360.0 * (turns_ - std::floor(turns_));
  p.setPen(QPen(QColor(60, 45, 20), std::max(2.0, screw / 5), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(OnCircle(c, screw * 0.8, slot), OnCircle(c, screw * 0.8, slot + 180.0));

  if (hasFocus()) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    p.drawEllipse(c, outer - 1, outer - 1);
  }
}

void TrimpotDial::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  dragAngle_ = AngleAt(event->position());
  setCursor(Qt::ClosedHandCursor);
}

void TrimpotDial::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const double angle = AngleAt(event->position());
  double delta = dragAngle_ - angle;  // clockwise raises, as a screwdriver does
  if (delta > 180.0) delta -= 360.0;
  if (delta < -180.0) delta += 360.0;
  dragAngle_ = angle;
  if (delta != 0.0) emit turned(delta / 360.0);
}

void TrimpotDial::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
  }
}

void TrimpotDial::wheelEvent(QWheelEvent* event) {
  // Some desktops turn a vertical wheel into a horizontal one under Shift.
  const QPoint delta = event->angleDelta();
  const int eighths = delta.y() != 0 ? delta.y() : delta.x();
  const double step =
      event->modifiers().testFlag(Qt::ShiftModifier) ? kDialPageStep : kDialWheelStep;
  wheelRemainder_ += eighths / 120.0;
  const double notches = std::trunc(wheelRemainder_);
  wheelRemainder_ -= notches;
  if (notches != 0.0) emit turned(notches * step);
  event->accept();
}

void TrimpotDial::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers();
  const double small = held.testFlag(Qt::AltModifier)       ? kDialFinestStep
                       : held.testFlag(Qt::ControlModifier) ? kDialFineStep
                                                            : kDialWheelStep;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      emit turned(small);
      break;
    case Qt::Key_Down:
    case Qt::Key_Left:
      emit turned(-small);
      break;
    case Qt::Key_PageUp:
      emit turned(kDialPageStep);
      break;
    case Qt::Key_PageDown:
      emit turned(-kDialPageStep);
      break;
    case Qt::Key_Home:
      emit turned(-turns_);
      break;
    case Qt::Key_End:
      emit turned(kTrimpotTurns - turns_);
      break;
    default:
      return QWidget::keyPressEvent(event);
  }
  event->accept();
}

// ---- BenchPart ------------------------------------------------------------

BenchPart::BenchPart(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void BenchPart::SetState(const PartControl& state) {
  DrawCommon(this, state);
  const bool changed = state.position != state_.position || state.designator != state_.designator ||
                       state.kind != state_.kind || state.caption != state_.caption;
  state_ = state;
  if (!changed) return;
  const QString now = ToQt(state.positions[static_cast<std::size_t>(state.position)]);
  setAccessibleName(ToQt(state.caption + " " + state.designator));
  setAccessibleDescription(now);
  setToolTip(QStringLiteral("%1 %2: %3 (click to move)")
                 .arg(ToQt(state.caption), ToQt(state.designator), now));
  update();
}

void BenchPart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF all = QRectF(rect()).adjusted(1, 1, -1, -1);
  p.setPen(Qt::NoPen);
  p.setBrush(isEnabled() ? kBoard : palette().color(QPalette::Mid));
  p.drawRoundedRect(all, 5, 5);

  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  p.setFont(small);
  p.setPen(kSilk);
  const QRectF top(all.left(), all.top() + 2, all.width(), 16);
  p.drawText(top, Qt::AlignCenter, ToQt(state_.designator));
  const QRectF bottom(all.left(), all.bottom() - 18, all.width(), 16);
  p.drawText(bottom, Qt::AlignCenter, ToQt(state_.caption));

  const QRectF area = all.adjusted(8, 20, -8, -38);
  switch (state_.kind) {
    case PartKind::Jumper: PaintJumper(p, area); break;
    case PartKind::Switch: PaintSwitch(p, area); break;
    case PartKind::Fitted: PaintFitted(p, area); break;
  }

  // The two positions' names, the one in use bright.
  for (int i = 0; i < 2; ++i) {
    const QRectF r(i == 0 ? all.left() + 4 : all.center().x(), all.bottom() - 34,
                   all.width() / 2 - 4, 14);
    p.setPen(i == state_.position ? QColor(255, 220, 80) : kSilk.darker(160));
    p.drawText(r, (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
               ToQt(state_.positions[static_cast<std::size_t>(i)]));
  }
  if (hasFocus()) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    p.drawRoundedRect(all.adjusted(1, 1, -1, -1), 5, 5);
  }
}

void BenchPart::PaintJumper(QPainter& p, const QRectF& area) {
  // Three gold pins; the black shunt cap sits over the left pair or the right.
  const double pitch = std::min(area.width() / 3.2, 22.0);
  const QPointF c = area.center();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  p.drawRect(QRectF(c.x() - 1.5 * pitch, c.y() - pitch / 2, 3 * pitch, pitch));
  for (int i = -1; i <= 1; ++i) {
    p.setBrush(QColor(225, 190, 90));
    p.drawRect(QRectF(c.x() + i * pitch - 3, c.y() - 3, 6, 6));
  }
  const double capLeft = c.x() + (state_.position == 0 ? -1.5 : -0.5) * pitch - 2;
  p.setBrush(QColor(20, 20, 20, 235));
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawRoundedRect(QRectF(capLeft, c.y() - pitch * 0.7, 2 * pitch + 4, pitch * 1.4), 3, 3);
}

void BenchPart::PaintSwitch(QPainter& p, const QRectF& area) {
  // A slide switch: the housing and the actuator at one end.
  const QPointF c = area.center();
  const double w = std::min(area.width(), 70.0);
  const double h = std::min(area.height(), 24.0);
  const QRectF housing(c.x() - w / 2, c.y() - h / 2, w, h);
  p.setPen(QPen(QColor(20, 20, 20), 1));
  p.setBrush(QColor(70, 70, 78));
  p.drawRoundedRect(housing, 3, 3);
  const QRectF actuator(state_.position == 0 ? housing.left() + 3 : housing.center().x() + 1,
                        housing.top() + 3, housing.width() / 2 - 4, housing.height() - 6);
  p.setBrush(QColor(235, 235, 235));
  p.drawRoundedRect(actuator, 2, 2);
}

void BenchPart::PaintFitted(QPainter& p, const QRectF& area) {
  // Position 0 is the part in place: a resistor body across its two pads;
  // in position 1 only the pads and the outline printed on the board remain.
  const QPointF c = area.center();
  const double w = std::min(area.width(), 74.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(190, 190, 190));
  p.drawRect(QRectF(c.x() - w / 2, c.y() - 4, 8, 8));
  p.drawRect(QRectF(c.x() + w / 2 - 8, c.y() - 4, 8, 8));
  const QRectF body(c.x() - w / 2 + 12, c.y() - 8, w - 24, 16);
  if (state_.position == 0) {
    p.setPen(QPen(QColor(190, 190, 190), 2));
    p.drawLine(QPointF(c.x() - w / 2 + 4, c.y()), QPointF(c.x() + w / 2 - 4, c.y()));
    p.setPen(QPen(QColor(120, 90, 50), 1));
    p.setBrush(QColor(214, 190, 140));
    p.drawRoundedRect(body, 6, 6);
    for (int i = 0; i < 3; ++i) {
      p.fillRect(QRectF(body.left() + 10 + i * 9, body.top() + 1, 4, body.height() - 2),
                 i == 0 ? QColor(150, 80, 30) : (i == 1 ? QColor(20, 20, 20) : QColor(200, 40, 30)));
    }
  } else {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSilk, 1, Qt::DashLine));
    p.drawRoundedRect(body, 6, 6);
  }
}

// ---- VoltmeterDisplay -----------------------------------------------------

VoltmeterDisplay::VoltmeterDisplay(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont digits(QStringLiteral("DejaVu Sans Mono"));
  digits.setStyleHint(QFont::Monospace);
  digits.setPointSizeF(font().pointSizeF() * 2.0);
  digits.setBold(true);
  setFont(digits);
  setStyleSheet(QStringLiteral(
      "QLabel { background: #10161a; color: #7CFC9A; border: 3px solid #3a3f44;"
      " border-radius: 6px; padding: 4px 10px; }"));
  setMinimumWidth(180);
}

void VoltmeterDisplay::SetReading(const std::string& volts) {
  const QString text = volts.empty() ? QStringLiteral("----.---- V") : ToQt(volts) + " V";
  if (this->text() != text) setText(text);
}

}  // namespace vernium::qtui
