#include "platform/ui/scrolling_body.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

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
  // The window's layout keeps each item's size from before: the bodies ask
  // afresh for their content, which may have grown or shrunk since.
  for (QScrollArea* area : window->findChildren<QScrollArea*>(window->objectName() + "Body")) {
    if (area->widget() != nullptr && area->widget()->layout() != nullptr) {
      area->widget()->layout()->activate();
    }
    area->updateGeometry();
  }
  if (window->layout() != nullptr) window->layout()->activate();
  QSize size = window->sizeHint();
  if (screen == nullptr) {
    window->resize(size);
    return;
  }
  const QRect room = screen->availableGeometry();
  window->resize(size.boundedTo(room.size() - kFrameAllowance));
  // A window already shown that grows keeps its frame on the screen: it
  // moves up or left as far as it now reaches past the edge.
  if (window->isVisible()) {
    const QRect frame = window->frameGeometry();
    const QSize frameExtra = frame.size() - window->geometry().size();
    const QRect whole(frame.topLeft(), window->size() + frameExtra);
    QPoint move(std::min(0, room.right() - whole.right()), std::min(0, room.bottom() - whole.bottom()));
    if (move != QPoint()) window->move(window->pos() + move);
  }
}

}  // namespace vernium::qtui
