// Background work on real Windows: one worker thread, started with a job and ended when none
// has come for a few seconds, takes the jobs in order and leaves each continuation for the main thread, woken by
// a message to a hidden window that names the job only (a forged one can name an id at most,
// and an id with nothing waiting runs nothing).
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/background_work.h"
#include "platform/windowing.h"
#include "platform/worker_answers.h"

namespace vireloc {

class Win32BackgroundWork final : public BackgroundWork, private MessageHandler {
 public:
  explicit Win32BackgroundWork(Windowing& windowing) : windowing_(windowing) {}
  // Waits for the job at work; jobs not begun are dropped (finishAll runs them).
  ~Win32BackgroundWork() override;
  Win32BackgroundWork(const Win32BackgroundWork&) = delete;
  Win32BackgroundWork& operator=(const Win32BackgroundWork&) = delete;

  void run(Job job) override;
  void finishAll() override;

 private:
  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;
  void work();
  void deliver(std::uint64_t id);

  Windowing& windowing_;
  WindowHandle window_ = 0;
  std::uint64_t nextId_ = 1;
  std::deque<std::uint64_t> undelivered_;  // main thread only, in the order given
  WorkerAnswers<Continuation> answers_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::pair<std::uint64_t, Job>> jobs_;
  bool working_ = false;
  bool running_ = false;  // a worker is in its loop, or about to be
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace vireloc
