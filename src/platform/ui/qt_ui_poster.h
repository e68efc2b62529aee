#pragma once
// Hands a function from any thread to the user-interface thread: it is
// queued on the event loop of `context` and runs there, followed by
// `after` (a window's redraw). Functions still queued when `context` is
// destroyed are dropped.
//
// The functions wait in a queue of the poster's own, under a standard
// mutex, and a queued call of PostReceiver::TakeNext tells the
// user-interface thread to take the next one. So what a worker wrote before
// posting is seen as written before the function runs, by the thread
// sanitizer too, which cannot see into Qt's own locks; Qt carries nothing
// of ours across, only its own call event.

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/background_runner.h"

namespace vernium::qtui {

// Lives as a child of the context, and goes with it.
class PostReceiver : public QObject {
  Q_OBJECT
 public:
  PostReceiver(QObject* context, std::function<void()> after)
      : QObject(context), after_(std::move(after)) {}

  void Queue(std::function<void()> fn) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(fn));
  }
  Q_INVOKABLE void TakeNext() {
    std::function<void()> next;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return;
      next = std::move(queue_.front());
      queue_.pop_front();
    }
    next();
    if (after_) after_();
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> queue_;
  std::function<void()> after_;
};

class QtUiPoster : public UiPoster {
 public:
  QtUiPoster(QObject* context, std::function<void()> after)
      : receiver_(new PostReceiver(context, std::move(after))) {}

  void Post(std::function<void()> fn) override {
    receiver_->Queue(std::move(fn));
    QMetaObject::invokeMethod(receiver_, "TakeNext", Qt::QueuedConnection);
  }

 private:
  PostReceiver* receiver_;
};

}  // namespace vernium::qtui
