// One thread that does work in the order given, away from the message loop. It starts when
// work is given and ends when none has come for a while, so that an idle program keeps no
// thread. What each piece of work found is handed to the main thread in the order given,
// woken by a message to a hidden window that names the work only: a forged message can name
// an id at most, and an id with nothing waiting takes nothing.
#pragma once
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_system_error.h"
#include "platform/windowing.h"
#include "platform/worker_answers.h"

namespace vireloc {

struct WorkerThreadOptions {
  const char* windowClass = "";
  SIZE_T stackReservation = 0;  // 0: the program's default
  // How long the thread waits for more work before it ends.
  std::chrono::milliseconds linger{0};
  // How long destruction waits for the work in progress. A thread the system keeps longer is
  // left to end with the process: what it touches, it holds.
  DWORD exitWaitMs = INFINITE;
};

template <typename Result>
class Win32WorkerThread final : private MessageHandler {
 public:
  // Runs on the thread; may touch only what it holds and must not throw (if it does, its
  // result is Result{}).
  using Work = std::function<Result()>;
  // Runs on the main thread with what the work found.
  using Deliver = std::function<void(Result)>;

  Win32WorkerThread(Windowing& windowing, WorkerThreadOptions options)
      : windowing_(windowing), options_(options), shared_(std::make_shared<Shared>()) {
    shared_->linger = options.linger;
  }
  // Work not begun is dropped and nothing more is delivered.
  ~Win32WorkerThread() override {
    {
      std::lock_guard<std::mutex> lock(shared_->mutex);
      shared_->stopping = true;
      shared_->work.clear();
    }
    shared_->changed.notify_all();
    if (thread_) WaitForSingleObject(thread_.get(), options_.exitWaitMs);
    if (window_) windowing_.destroyWindow(window_);
  }
  Win32WorkerThread(const Win32WorkerThread&) = delete;
  Win32WorkerThread& operator=(const Win32WorkerThread&) = delete;

  // Throws when no thread can be started; the work is then not done and deliver never runs.
  void post(Work work, Deliver deliver) {
    if (!window_) {
      window_ = windowing_.createHiddenWindow(options_.windowClass, "", *this);
      shared_->window = toHwnd(window_);
    }
    const std::uint64_t id = nextId_++;
    waiting_.emplace_back(id, std::move(deliver));
    bool start = false;
    {
      std::lock_guard<std::mutex> lock(shared_->mutex);
      shared_->work.emplace_back(id, std::move(work));
      start = !std::exchange(shared_->running, true);
    }
    if (!start) {
      shared_->changed.notify_all();
      return;
    }
    try {
      startThread();
    } catch (...) {
      {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->work.clear();  // this work only: no thread was left to take any other
        shared_->running = false;
      }
      waiting_.pop_back();
      throw;
    }
  }

  // Work not begun is dropped and nothing given so far is delivered.
  void dropPending() {
    waiting_.clear();
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->work.clear();
  }

  // Waits for all work given, and any that the deliveries give, and delivers it.
  void finishAll() {
    while (!waiting_.empty()) {
      {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->changed.wait(lock, [this] { return shared_->work.empty() && !shared_->busy; });
      }
      deliverReady();
    }
  }

 private:
  struct Shared {
    HWND window = nullptr;  // set before the first thread starts
    std::chrono::milliseconds linger{0};
    WorkerAnswers<Result> answers;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<std::uint64_t, Work>> work;
    bool busy = false;     // the thread is doing a piece of work
    bool running = false;  // a thread is in its loop, or about to start
    bool stopping = false;
  };
  static constexpr UINT kDoneMessage = WM_APP + 0x52;  // wParam: the work's id

  void startThread() {
    auto* parameter = new std::shared_ptr<Shared>(shared_);
    HANDLE thread = CreateThread(nullptr, options_.stackReservation, threadMain, parameter,
                                 options_.stackReservation ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0,
                                 nullptr);
    if (!thread) {
      const DWORD error = GetLastError();
      delete parameter;
      throwSystemError(error);
    }
    // A thread before this one has left its loop and holds what it touches.
    thread_.reset(thread);
  }

  static DWORD WINAPI threadMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(parameter));
    Shared& shared = **held;
    for (;;) {
      std::pair<std::uint64_t, Work> next;
      {
        std::unique_lock<std::mutex> lock(shared.mutex);
        const auto givenOrStopping = [&] { return shared.stopping || !shared.work.empty(); };
        if (!shared.changed.wait_for(lock, shared.linger, givenOrStopping) || shared.stopping) {
          shared.running = false;
          return 0;
        }
        next = std::move(shared.work.front());
        shared.work.pop_front();
        shared.busy = true;
      }
      Result result{};
      try {
        result = next.second();
      } catch (...) {
      }
      shared.answers.put(next.first, std::move(result));
      PostMessageW(shared.window, kDoneMessage, static_cast<WPARAM>(next.first), 0);
      {
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.busy = false;
      }
      shared.changed.notify_all();
    }
  }

  // In the order given, whatever order the messages come in (any program can post one).
  void deliverReady() {
    while (!waiting_.empty()) {
      std::optional<Result> result = shared_->answers.take(waiting_.front().first);
      if (!result) return;
      Deliver deliver = std::move(waiting_.front().second);
      waiting_.pop_front();
      deliver(std::move(*result));
    }
  }

  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override {
    if (message != kDoneMessage) return windowing_.defaultWindowProc(window, message, wParam, lParam);
    // What dropped work found is let go of at once: it may be tens of megabytes.
    const auto id = static_cast<std::uint64_t>(wParam);
    if (waiting_.empty() || id < waiting_.front().first) shared_->answers.take(id);
    deliverReady();
    return 0;
  }

  Windowing& windowing_;
  WorkerThreadOptions options_;
  std::shared_ptr<Shared> shared_;  // the thread holds it too
  WindowHandle window_ = 0;
  KernelHandle thread_;  // the latest thread started
  std::uint64_t nextId_ = 1;
  std::deque<std::pair<std::uint64_t, Deliver>> waiting_;  // main thread only, in order given
};

}  // namespace vireloc
