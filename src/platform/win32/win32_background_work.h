// Background work on real Windows: the captures' and the settings' jobs on one worker thread
// that stays a few seconds after its last job.
#pragma once
#include <chrono>
#include <utility>

#include "platform/background_work.h"
#include "platform/win32/win32_worker_thread.h"

namespace vireloc {

class Win32BackgroundWork final : public BackgroundWork {
 public:
  explicit Win32BackgroundWork(Windowing& windowing)
      : worker_(windowing, {.windowClass = "VirelocBackgroundWork", .linger = kLinger}) {}

  void run(Job job) override {
    worker_.post(std::move(job), [](Continuation continuation) {
      if (continuation) continuation();
    });
  }
  void finishAll() override { worker_.finishAll(); }

 private:
  // A thread start costs some milliseconds under Wine, which a burst of captures should pay
  // once, and an idle thread keeps about a megabyte there.
  static constexpr std::chrono::milliseconds kLinger{5000};

  // Destruction waits for the job at work: it may be writing the user's file.
  Win32WorkerThread<Continuation> worker_;
};

}  // namespace vireloc
