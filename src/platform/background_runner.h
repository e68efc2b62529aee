#pragma once
// Work that must not hold up a window: a job's work runs off the
// user-interface thread and its completion comes back to that thread, in the
// order the jobs ran. One job runs at a time.
//
//  - ThreadedRunner runs the work on a worker thread of its own and hands the
//    completion to a UiPoster, which queues it on the window system's event
//    loop (the Qt poster) or on a queue that a test drains.
//  - DeferredRunner runs the work at once in the caller's thread and keeps
//    the completion until Deliver() is called: a job stays "in flight" for
//    exactly as long as a test wants it to.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vernium {

// Queues a function to run later on the user-interface thread. Post may be
// called from any thread.
class UiPoster {
 public:
  virtual ~UiPoster() = default;
  virtual void Post(std::function<void()> fn) = 0;
};

class BackgroundRunner {
 public:
  virtual ~BackgroundRunner() = default;
  // Runs `work` off the user-interface thread, then `done` on it. A job asked
  // for while one runs starts when that one has finished.
  virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
  // True while a job's work runs.
  virtual bool Busy() const = 0;
  // Blocks until the work of the job in flight, if any, has finished. Its
  // completion still arrives through the poster afterwards.
  virtual void WaitIdle() = 0;
};

class ThreadedRunner : public BackgroundRunner {
 public:
  explicit ThreadedRunner(UiPoster& poster);
  ~ThreadedRunner() override;
  ThreadedRunner(const ThreadedRunner&) = delete;
  ThreadedRunner& operator=(const ThreadedRunner&) = delete;

  void Run(std::function<void()> work, std::function<void()> done) override;
  bool Busy() const override;
  void WaitIdle() override;

 private:
  void Loop();

  UiPoster& poster_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::function<void()> work_;
  std::function<void()> done_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread worker_;  // last: starts once the members above exist
};

class DeferredRunner : public BackgroundRunner {
 public:
  void Run(std::function<void()> work, std::function<void()> done) override;
  bool Busy() const override { return false; }
  void WaitIdle() override {}

  // Completions waiting to be delivered.
  int Pending() const { return static_cast<int>(pending_.size()); }
  // Delivers the oldest completion; false when none waits.
  bool Deliver();
  // Jobs run so far.
  int Runs() const { return runs_; }

 private:
  std::deque<std::function<void()>> pending_;
  int runs_ = 0;
};

// A poster whose functions run when the owner drains it (from the thread
// that calls Drain); what core tests of threaded work use.
class QueuedPoster : public UiPoster {
 public:
  void Post(std::function<void()> fn) override;
  // Waits up to `timeoutMs` for at least one function, then runs all that
  // are queued; returns how many ran.
  int Drain(int timeoutMs);

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace vernium
