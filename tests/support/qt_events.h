#pragma once
// Real input events for the widget tests: mouse clicks and key presses sent
// to a widget the way the window system delivers them, and a counter of a
// signal's emissions.

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace vernium::testing_qt {

inline void ProcessEvents() {
  QApplication::processEvents();
  QApplication::processEvents();
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void Click(QWidget* widget, QPoint pos) {
  SendMouse(widget, QEvent::MouseButtonPress, pos);
  SendMouse(widget, QEvent::MouseButtonRelease, pos);
}

inline void KeyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

// Counts a signal's emissions while it lives.
class SignalCounter {
 public:
  template <typename Sender, typename Signal>
  SignalCounter(Sender* sender, Signal signal) {
    connection_ = QObject::connect(sender, signal, [this] { ++count_; });
  }
  ~SignalCounter() { QObject::disconnect(connection_); }
  SignalCounter(const SignalCounter&) = delete;
  SignalCounter& operator=(const SignalCounter&) = delete;
  int count() const { return count_; }

 private:
  QMetaObject::Connection connection_;
  int count_ = 0;
};

// Where the tests leave pictures of the windows: VERNIUM_PNG_DIR, or else
// the build's screens/ folder beside the tests/ folder of the test program.
// Made when missing; empty when it cannot be made.
inline QString PngDir() {
  QString dir = qEnvironmentVariable("VERNIUM_PNG_DIR");
  if (dir.isEmpty()) dir = QDir(QApplication::applicationDirPath()).filePath("../screens");
  dir = QDir::cleanPath(dir);
  return QDir().mkpath(dir) ? dir : QString();
}

// Saves a picture of the widget as NAME.png in PngDir().
inline void Save(QWidget& widget, const QString& name) {
  const QString dir = PngDir();
  if (!dir.isEmpty()) widget.grab().save(QDir(dir).filePath(name + ".png"));
}

// Shows a window and lets it reach the screen.
inline void ShowAndWait(QWidget* window) {
  window->show();
  ProcessEvents();
}

}  // namespace vernium::testing_qt
