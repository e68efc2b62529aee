#pragma once
// The painted card drawings of the card diagram: the SGC10 board (two
// channels) and the SGC50-family board (eight channels), each with its edge
// connector, the four trimpots of every channel, the jumper headers, the
// filter-gain resistors, the address and base-channel headers and the
// designators printed on the board. Drawn as vectors in twips, so they stay
// crisp at any screen scale; the live parts (shunts, resistor, markers,
// address jumpers) are separate widgets laid over them.

#include <QAbstractButton>
#include <QWidget>

namespace vernium {
struct CardPicState;
}

namespace vernium::qtui {

// Pixels per twip on the card diagram (drawn larger than design size).
inline constexpr double kDiagramPixelsPerTwip = 1.4 / 15.0;
int DiagramPixels(double twips);

class CardDrawing : public QWidget {
 public:
  // `kind` 0 draws the SGC10, 1 the SGC50-family card.
  CardDrawing(int kind, const CardPicState& state, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintSgc10(class QPainter& p) const;
  void PaintSgc50(class QPainter& p) const;

  int kind_;
  const CardPicState& state_;
};

// A drawn jumper shunt or filter-gain resistor that the technician presses.
// A shunt shows its block over the two pins when pressed and parked on one
// pin when released; the resistor shows its body when released (in place)
// and bare pads when pressed (removed). Space and Enter press it too.
class DrawnPart : public QAbstractButton {
 public:
  enum class Kind { Shunt, Resistor };
  DrawnPart(Kind kind, QWidget* parent);
  void SetPressed(bool pressed);
  bool IsPressed() const { return isChecked(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
};

// A jumper shunt drawn over a header to mark a position (not pressable).
class ShuntMarker : public QWidget {
 public:
  explicit ShuntMarker(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vernium::qtui
