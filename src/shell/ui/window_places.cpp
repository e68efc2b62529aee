#include "shell/ui/window_places.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace vernium::qtui {

namespace {

QString Key(const QWidget* window) {
  return QStringLiteral("windows/%1/geometry").arg(window->objectName());
}

// A window manager's title bar, before the window has one to measure.
constexpr int kTitleBarGuess = 30;

constexpr const char* kPlaced = "verniumPlaced";

// How long a window manager takes to frame a window that has just been shown.
constexpr int kFramedAfterMs = 150;

// The window at the top right takes about this share of the screen's height
// the first time, the window at the bottom right the rest, so that the two
// stand one above the other (the bottom one scrolls what does not fit).
constexpr double kTopRightShare = 0.53;

QRect FreeArea(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

void WindowPlaces::KeepOnScreen(QWidget* window) {
  const QRect free = FreeArea(window);
  if (free.isEmpty() || !window->isVisible()) return;
  const QSize frame = window->frameGeometry().size() - window->size();
  const QSize fit = window->size().boundedTo(free.size() - frame).expandedTo(window->minimumSize());
  if (fit != window->size()) window->resize(fit);
  const QRect framed(window->frameGeometry().topLeft(), fit + frame);
  QPoint shift;
  if (framed.right() > free.right()) shift.rx() = free.right() - framed.right();
  if (framed.left() + shift.x() < free.left()) shift.rx() = free.left() - framed.left();
  if (framed.bottom() > free.bottom()) shift.ry() = free.bottom() - framed.bottom();
  if (framed.top() + shift.y() < free.top()) shift.ry() = free.top() - framed.top();
  if (!shift.isNull()) window->move(window->pos() + shift);
}

WindowPlaces::~WindowPlaces() = default;

std::unique_ptr<QSettings> WindowPlaces::UserStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("Vernium"), QStringLiteral("vernium"));
}

void WindowPlaces::Track(QWidget* window, Corner corner) {
  corners_[window->objectName()] = corner;
  tracked_.append(window);
  window->installEventFilter(this);
}

void WindowPlaces::KeepAll() {
  for (const QPointer<QWidget>& window : tracked_) {
    if (window && window->isVisible()) Keep(window);
  }
  if (store_) store_->sync();
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event) {
  auto* window = qobject_cast<QWidget*>(watched);
  if (window != nullptr && window->isWindow()) {
    if (event->type() == QEvent::Show) {
      Place(window);
      // Once the window manager has framed it, the whole window, its title
      // bar too, is brought onto the screen.
      QTimer::singleShot(kFramedAfterMs, window, [window] { KeepOnScreen(window); });
    } else if (event->type() == QEvent::Hide) {
      Keep(window);
    }
  }
  return QObject::eventFilter(watched, event);
}

void WindowPlaces::Keep(QWidget* window) {
  const QByteArray geometry = window->saveGeometry();
  if (store_) {
    store_->setValue(Key(window), geometry);
  } else {
    kept_[Key(window)] = geometry;
  }
}

void WindowPlaces::Place(QWidget* window) {
  // Placed once: a window shown again is where it was when it hid.
  if (window->property(kPlaced).toBool()) return;
  window->setProperty(kPlaced, true);
  const QString key = Key(window);
  const QByteArray kept = store_ ? store_->value(key).toByteArray() : kept_.value(key);
  if (!kept.isEmpty() && window->restoreGeometry(kept)) return;

  const Corner corner = corners_.value(window->objectName(), Corner::Unplaced);
  if (corner == Corner::Unplaced) return;
  const QRect free = FreeArea(window);
  if (free.isEmpty()) return;
  // The frame the window manager draws around the window, once it has one.
  QSize frame = window->frameGeometry().size() - window->size();
  if (frame.height() <= 0) frame = QSize(0, kTitleBarGuess);
  QSize room = free.size() - frame;
  if (corner == Corner::BottomRight) {
    room.setHeight(static_cast<int>(free.height() * (1.0 - kTopRightShare)) - frame.height());
  }
  const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
  if (size != window->size()) window->resize(size);
  const int right = free.right() + 1 - size.width() - frame.width();
  const int bottom = free.bottom() + 1 - size.height() - frame.height();
  switch (corner) {
    case Corner::TopLeft:
      window->move(free.topLeft());
      break;
    case Corner::TopRight:
      window->move(std::max(free.left(), right), free.top());
      break;
    case Corner::BottomRight:
      window->move(std::max(free.left(), right), std::max(free.top(), bottom));
      break;
    case Corner::Unplaced:
      break;
  }
}

}  // namespace vernium::qtui
