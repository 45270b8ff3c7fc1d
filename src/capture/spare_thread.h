// A thread that does one task at a time beside the thread that gives it, started on first use
// and ended when unused for a while: starting a thread costs milliseconds under Wine, which a
// burst of captures should pay once, and an idle program keeps no thread.
#pragma once
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vireloc {

class SpareThread {
 public:
  explicit SpareThread(std::chrono::milliseconds linger) : linger_(linger) {}
  // Waits for the task at work.
  ~SpareThread();
  SpareThread(const SpareThread&) = delete;
  SpareThread& operator=(const SpareThread&) = delete;

  // Starts task on the thread and returns true; the caller must then call wait(). False when
  // another caller's task holds the thread or no thread can start: the caller does without.
  // The task must not throw.
  bool start(std::function<void()> task);
  // Returns once the task given to start has ended.
  void wait();

 private:
  void run();

  const std::chrono::milliseconds linger_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> task_;  // given and not yet taken
  bool taken_ = false;          // a caller holds the thread, from start to wait
  bool working_ = false;        // the task is at work
  bool running_ = false;        // a thread is in its loop
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace vireloc
