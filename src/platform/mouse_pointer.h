#pragma once
// The screen's mouse pointer: normal or the hourglass shown during a lengthy
// procedure. ClsWaitCursor shows the hourglass for as long as it lives and
// then puts back the pointer it found.

namespace vernium {

enum class PointerShape { Normal, Hourglass };

class MousePointer {
 public:
  virtual ~MousePointer() = default;
  virtual PointerShape Get() const = 0;
  virtual void Set(PointerShape shape) = 0;
};

// Keeps the pointer shape in memory; what tests and headless runs use.
class RecordedMousePointer : public MousePointer {
 public:
  PointerShape Get() const override { return shape_; }
  void Set(PointerShape shape) override {
    shape_ = shape;
    if (shape == PointerShape::Hourglass) ++hourglassCount_;
  }
  int HourglassCount() const { return hourglassCount_; }

 private:
  PointerShape shape_ = PointerShape::Normal;
  int hourglassCount_ = 0;
};

class ClsWaitCursor {
 public:
  explicit ClsWaitCursor(MousePointer& pointer) : pointer_(pointer), previous_(pointer.Get()) {
    pointer_.Set(PointerShape::Hourglass);
  }
  ~ClsWaitCursor() { pointer_.Set(previous_); }
  ClsWaitCursor(const ClsWaitCursor&) = delete;
  ClsWaitCursor& operator=(const ClsWaitCursor&) = delete;

  void Cursor(PointerShape shape) { pointer_.Set(shape); }

 private:
  MousePointer& pointer_;
  PointerShape previous_;
};

}  // namespace vernium
