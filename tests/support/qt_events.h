#pragma once
// Real input events for the widget tests: mouse clicks and key presses sent
// to a widget the way the window system delivers them, and a counter of a
// signal's emissions.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>
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

// The shown labels and buttons of a window that are narrower than their
// text at the font in use, by object name ("lblAddOrDel: 131 < 162").
inline QStringList CutTexts(const QWidget& window) {
  QStringList cut;
  const auto widest = [](const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    for (const QString& line : text.split('\n')) width = std::max(width, metrics.horizontalAdvance(line));
    return width;
  };
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->wordWrap() || label->text().isEmpty()) continue;
    const int needed = widest(label->fontMetrics(), label->text());
    if (label->contentsRect().width() < needed) {
      cut << QStringLiteral("%1: %2 < %3").arg(label->objectName()).arg(label->contentsRect().width()).arg(needed);
    }
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty()) continue;
    QString text = button->text();
    text.remove('&');
    // Boxes and options need their size hint (indicator and text); a push
    // button its text and a little room either side.
    const bool box = qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button);
    const int needed = box ? button->sizeHint().width() : widest(button->fontMetrics(), text) + 8;
    if (button->width() < needed) {
      cut << QStringLiteral("%1: %2 < %3").arg(button->objectName()).arg(button->width()).arg(needed);
    }
  }
  return cut;
}

// The screen a window must fit at the font in use: 1024 x 768 at the usual
// 96 dpi, 1600 x 1000 with a larger font; the window's frame and a desktop
// panel take about 60 pixels of the height.
inline QSize RoomOnScreen(const QWidget& window) {
  return window.logicalDpiY() > 100 ? QSize(1600, 1000 - 60) : QSize(1024, 768 - 60);
}

}  // namespace vernium::testing_qt
