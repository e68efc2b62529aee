#include "shell/ui/window_places.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
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

}  // namespace

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
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect free = screen->availableGeometry();
  // The frame the window manager draws around the window, once it has one.
  QSize frame = window->frameGeometry().size() - window->size();
  if (frame.height() <= 0) frame = QSize(0, kTitleBarGuess);
  const QSize size = window->size().boundedTo(free.size() - frame);
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
