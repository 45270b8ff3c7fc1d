#include "platform/win32/win32_background_work.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/win32/win32_handles.h"

namespace vireloc {

namespace {

// wParam: the job whose continuation waits in answers_.
constexpr UINT kDoneMessage = WM_APP + 0x52;
// After its last job the worker waits this long for another before it ends: a thread start
// costs some milliseconds under Wine, which a burst of captures should pay once, and an idle
// thread keeps about a megabyte there.
constexpr auto kLinger = std::chrono::seconds(5);

}  // namespace

Win32BackgroundWork::~Win32BackgroundWork() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    jobs_.clear();
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
  if (window_) windowing_.destroyWindow(window_);
}

void Win32BackgroundWork::run(Job job) {
  if (!window_) window_ = windowing_.createHiddenWindow("VirelocBackgroundWork", "", *this);
  const std::uint64_t id = nextId_++;
  undelivered_.push_back(id);
  bool start = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.emplace_back(id, std::move(job));
    start = !std::exchange(running_, true);
  }
  if (!start) {
    changed_.notify_all();
    return;
  }
  // The thread before has left its loop: joining it is a moment.
  if (worker_.joinable()) worker_.join();
  try {
    worker_ = std::thread([this] { work(); });
  } catch (...) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      jobs_.clear();  // this job only: no thread was left to take others
      running_ = false;
    }
    undelivered_.pop_back();
    throw;
  }
}

void Win32BackgroundWork::work() {
  HWND window = toHwnd(window_);
  for (;;) {
    std::pair<std::uint64_t, Job> next;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (!changed_.wait_for(lock, kLinger, [this] { return stopping_ || !jobs_.empty(); }) ||
          stopping_) {
        running_ = false;
        return;
      }
      next = std::move(jobs_.front());
      jobs_.pop_front();
      working_ = true;
    }
    Continuation continuation;
    try {
      continuation = next.second();
    } catch (...) {
      // A job must not throw; if one does, it has nothing to report.
    }
    answers_.put(next.first, std::move(continuation));
    PostMessageW(window, kDoneMessage, static_cast<WPARAM>(next.first), 0);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      working_ = false;
    }
    changed_.notify_all();
  }
}

void Win32BackgroundWork::deliver(std::uint64_t id) {
  std::optional<Continuation> continuation = answers_.take(id);
  if (!continuation) return;  // delivered already, or no job of ours
  undelivered_.erase(std::find(undelivered_.begin(), undelivered_.end(), id));
  if (*continuation) (*continuation)();
}

void Win32BackgroundWork::finishAll() {
  while (!undelivered_.empty()) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return jobs_.empty() && !working_; });
    }
    // A continuation may give new jobs: the next round waits for those.
    const std::deque<std::uint64_t> waiting = undelivered_;
    for (std::uint64_t id : waiting) deliver(id);
  }
}

LResult Win32BackgroundWork::handleMessage(WindowHandle window, std::uint32_t message,
                                           WParam wParam, LParam lParam) {
  if (message == kDoneMessage) {
    // One worker posts in the order given, so continuations come in that order.
    deliver(static_cast<std::uint64_t>(wParam));
    return 0;
  }
  return windowing_.defaultWindowProc(window, message, wParam, lParam);
}

}  // namespace vireloc
