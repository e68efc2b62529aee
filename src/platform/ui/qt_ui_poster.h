#pragma once
// Hands a function from any thread to the user-interface thread: it is
// queued on the event loop of `context` and runs there, followed by
// `after` (a window's redraw). Functions still queued when `context` is
// destroyed are dropped.
//
// The functions wait in a queue of the poster's own, under a standard
// mutex, and an event tells the user-interface thread to take the next
// one. So what a worker wrote before posting is seen as written before the
// function runs, by the thread sanitizer too, which cannot see into Qt's
// own locks; Qt carries nothing but the event.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/background_runner.h"

namespace vernium::qtui {

class QtUiPoster : public UiPoster {
 public:
  QtUiPoster(QObject* context, std::function<void()> after)
      : receiver_(new Receiver(context, std::move(after))) {}

  void Post(std::function<void()> fn) override {
    {
      std::lock_guard lock(receiver_->mutex);
      receiver_->queue.push_back(std::move(fn));
    }
    QCoreApplication::postEvent(receiver_, new QEvent(kTakeNext));
  }

 private:
  static constexpr QEvent::Type kTakeNext = QEvent::User;

  // Lives as a child of the context, and goes with it.
  struct Receiver : QObject {
    Receiver(QObject* context, std::function<void()> afterEach)
        : QObject(context), after(std::move(afterEach)) {}
    bool event(QEvent* e) override {
      if (e->type() != kTakeNext) return QObject::event(e);
      std::function<void()> next;
      {
        std::lock_guard lock(mutex);
        if (queue.empty()) return true;
        next = std::move(queue.front());
        queue.pop_front();
      }
      next();
      if (after) after();
      return true;
    }
    std::mutex mutex;
    std::deque<std::function<void()>> queue;
    std::function<void()> after;
  };
  Receiver* receiver_;
};

}  // namespace vernium::qtui
