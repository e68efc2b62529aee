#include "platform/background_runner.h"

#include <chrono>

namespace vernium {

ThreadedRunner::ThreadedRunner(UiPoster& poster) : poster_(poster), worker_([this] { Loop(); }) {}

ThreadedRunner::~ThreadedRunner() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void ThreadedRunner::Run(std::function<void()> work, std::function<void()> done) {
  {
    // The completion of the previous job is queued just before its job
    // counts as finished, so a new job asked for from that completion may
    // find the worker a moment from idle.
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_; });
    work_ = std::move(work);
    done_ = std::move(done);
    busy_ = true;
  }
  wake_.notify_all();
}

bool ThreadedRunner::Busy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

void ThreadedRunner::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_; });
}

void ThreadedRunner::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || busy_; });
    if (!busy_) return;  // stopping with nothing to do
    auto work = std::move(work_);
    auto done = std::move(done_);
    lock.unlock();
    work();
    // Queued before the job counts as finished, so completions keep the
    // order of their jobs.
    poster_.Post(std::move(done));
    lock.lock();
    busy_ = false;
    idle_.notify_all();
  }
}

void DeferredRunner::Run(std::function<void()> work, std::function<void()> done) {
  ++runs_;
  work();
  pending_.push_back(std::move(done));
}

bool DeferredRunner::Deliver() {
  if (pending_.empty()) return false;
  auto done = std::move(pending_.front());
  pending_.pop_front();
  done();
  return true;
}

void QueuedPoster::Post(std::function<void()> fn) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(fn));
  }
  posted_.notify_all();
}

int QueuedPoster::Drain(int timeoutMs) {
  std::deque<std::function<void()>> ready;
  {
    std::unique_lock lock(mutex_);
    posted_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                     [this] { return !queue_.empty(); });
    ready.swap(queue_);
  }
  for (auto& fn : ready) fn();
  return static_cast<int>(ready.size());
}

}  // namespace vernium
