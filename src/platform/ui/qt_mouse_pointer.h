#pragma once
// The screen pointer through Qt's application-wide override cursor.

#include "platform/mouse_pointer.h"

namespace vernium {

class QtMousePointer : public MousePointer {
 public:
  PointerShape Get() const override { return shape_; }
  void Set(PointerShape shape) override;

 private:
  PointerShape shape_ = PointerShape::Normal;
};

}  // namespace vernium
