#include "platform/ui/qt_mouse_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace vernium {

void QtMousePointer::Set(PointerShape shape) {
  if (shape == shape_) return;
  if (shape == PointerShape::Hourglass) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else {
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
  }
  shape_ = shape;
}

}  // namespace vernium
