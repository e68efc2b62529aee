#pragma once
// The instruments of the bench window, drawn by us: a multi-turn trimpot
// dial, a card part with two positions (jumper, switch, fitted part) and a
// bench voltmeter's display.

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include "simulator/bench_form.h"

namespace vernium::qtui {

// A 25-turn trimpot seen from above. The outer arc shows where the wiper
// stands along its whole travel; the slotted screw head turns once per turn,
// so a small turn shows as the slot moving. It asks for turns, it does not
// move itself: the window turns the bench and redraws it from the form.
//   drag            a full circle around the centre is one turn
//   wheel           a twentieth of a turn a notch, a whole turn with Shift
//   Up/Right, Down/Left   a twentieth of a turn, a two-hundredth with Ctrl,
//                         a two-thousandth with Alt
//   Page Up/Down    a whole turn
//   Home/End        the ends of travel
class TrimpotDial : public QWidget {
  Q_OBJECT
 public:
  explicit TrimpotDial(QWidget* parent = nullptr);

  void SetState(const DialControl& state);
  double Turns() const { return turns_; }
  QSize sizeHint() const override { return {132, 132}; }
  QSize minimumSizeHint() const override { return {96, 96}; }

 signals:
  void turned(double turns);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  double AngleAt(QPointF point) const;  // degrees, counter-clockwise from 3 o'clock

  double turns_ = 0.0;
  bool dragging_ = false;
  double dragAngle_ = 0.0;
  double wheelRemainder_ = 0.0;
};

// A part of the card with two positions, pressed (clicked, Space) to move
// it to the other.
class BenchPart : public QAbstractButton {
  Q_OBJECT
 public:
  explicit BenchPart(QWidget* parent = nullptr);
  void SetState(const PartControl& state);
  QSize sizeHint() const override { return {118, 96}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintJumper(QPainter& p, const QRectF& area);
  void PaintSwitch(QPainter& p, const QRectF& area);
  void PaintFitted(QPainter& p, const QRectF& area);

  PartControl state_;
};

// A bench voltmeter's display: digits on a dark face with the unit.
class VoltmeterDisplay : public QLabel {
  Q_OBJECT
 public:
  explicit VoltmeterDisplay(QWidget* parent = nullptr);
  void SetReading(const std::string& volts);
};

}  // namespace vernium::qtui
