#pragma once
// Hands a function from any thread to the user-interface thread: it is
// queued on the event loop of `context` and runs there, followed by
// `after` (a window's redraw). Functions still queued when `context` is
// destroyed are dropped.

#include <QObject>
#include <functional>

#include "platform/background_runner.h"

namespace vernium::qtui {

class QtUiPoster : public UiPoster {
 public:
  QtUiPoster(QObject* context, std::function<void()> after)
      : context_(context), after_(std::move(after)) {}

  void Post(std::function<void()> fn) override {
    QMetaObject::invokeMethod(
        context_,
        [fn = std::move(fn), after = after_] {
          fn();
          if (after) after();
        },
        Qt::QueuedConnection);
  }

 private:
  QObject* context_;
  std::function<void()> after_;
};

}  // namespace vernium::qtui
