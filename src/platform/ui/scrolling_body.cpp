#include "platform/ui/scrolling_body.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace vernium::qtui {

namespace {

// What the window manager's frame and a desktop panel take of the screen.
constexpr QSize kFrameAllowance(16, 64);

// Asks for the whole content (a plain scroll area asks for a part of it at
// most), and lets the window be made as small as a few lines.
class BodyArea : public QScrollArea {
 public:
  explicit BodyArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
  }
  QSize sizeHint() const override {
    if (widget() == nullptr) return QScrollArea::sizeHint();
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
  }
  QSize minimumSizeHint() const override {
    return QSize(200, 120).boundedTo(sizeHint());
  }
};

}  // namespace

QWidget* ScrollingBody(QWidget* window, QBoxLayout* into, int stretch) {
  auto* area = new BodyArea(window);
  area->setObjectName(window->objectName() + "Body");
  auto* body = new QWidget(area);
  area->setWidget(body);
  into->addWidget(area, stretch);
  return body;
}

void OpenAtWholeSize(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  QSize size = window->sizeHint();
  if (screen != nullptr) size = size.boundedTo(screen->availableGeometry().size() - kFrameAllowance);
  window->resize(size);
}

}  // namespace vernium::qtui
