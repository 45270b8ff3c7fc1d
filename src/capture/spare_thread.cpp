#include "capture/spare_thread.h"

#include <exception>
#include <utility>

namespace vireloc {

SpareThread::~SpareThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool SpareThread::start(std::function<void()> task) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (taken_ || stopping_) return false;
  if (!running_) {
    // The thread before has left its loop: joining it is a moment.
    if (thread_.joinable()) thread_.join();
    try {
      thread_ = std::thread([this] { run(); });
    } catch (const std::exception&) {
      return false;
    }
    running_ = true;
  }
  taken_ = working_ = true;
  task_ = std::move(task);
  lock.unlock();
  changed_.notify_all();
  return true;
}

void SpareThread::wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !working_; });
  taken_ = false;
}

void SpareThread::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (!changed_.wait_for(lock, linger_, [this] { return stopping_ || task_; }) ||
        (stopping_ && !task_)) {
      running_ = false;
      return;
    }
    std::function<void()> task = std::exchange(task_, nullptr);
    lock.unlock();
    task();
    task = nullptr;  // what it holds goes before the caller is told
    lock.lock();
    working_ = false;
    changed_.notify_all();
  }
}

}  // namespace vireloc
