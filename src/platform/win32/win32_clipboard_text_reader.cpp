#include "platform/win32/win32_clipboard_text_reader.h"

#include <exception>
#include <mutex>
#include <optional>
#include <string>

#include "platform/win32/win32_services.h"
#include "platform/worker_answers.h"

namespace vireloc {

namespace {

// wParam: the read whose answer waits in Shared::answers.
constexpr UINT kReadMessage = WM_APP + 0x53;
// Reading and converting a text takes little stack; the program's default reserves 2 MB.
constexpr SIZE_T kStackBytes = 256 * 1024;
// At exit: enough for Wine to hand over a text of tens of megabytes on a busy machine, and
// no more, so that a program that never renders what it copied cannot hold the exit.
constexpr DWORD kExitWaitMs = 2000;

}  // namespace

struct Win32ClipboardTextReader::Shared {
  struct Request {
    std::uint64_t id;
    WindowHandle owner;
  };
  HWND window = nullptr;     // set before the first thread starts
  Win32Clipboard clipboard;  // keeps no state: the thread's own
  std::uint32_t lastSequence = 0;  // one thread at a time touches it
  WorkerAnswers<std::optional<std::string>> answers;

  std::mutex mutex;
  std::deque<Request> requests;
  bool running = false;  // a thread is at work, or about to start
  bool stopping = false;
};

Win32ClipboardTextReader::Win32ClipboardTextReader(Windowing& windowing)
    : windowing_(windowing), shared_(std::make_shared<Shared>()) {}

Win32ClipboardTextReader::~Win32ClipboardTextReader() {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stopping = true;
    shared_->requests.clear();
  }
  if (thread_) WaitForSingleObject(thread_.get(), kExitWaitMs);
  if (window_) windowing_.destroyWindow(window_);
}

void Win32ClipboardTextReader::readText(WindowHandle owner, Answer answer) {
  if (!window_) {
    window_ = windowing_.createHiddenWindow("VirelocClipboardText", "", *this);
    shared_->window = toHwnd(window_);
  }
  const std::uint64_t id = nextId_++;
  waiting_.emplace_back(id, std::move(answer));
  bool start = false;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->requests.push_back({id, owner});
    start = !std::exchange(shared_->running, true);
  }
  if (!start || startThread()) return;
  // No thread to read it: the text goes unrecorded, as when the clipboard stays held.
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->requests.clear();
    shared_->running = false;
  }
  waiting_.pop_back();
}

bool Win32ClipboardTextReader::startThread() {
  auto* parameter = new std::shared_ptr<Shared>(shared_);
  thread_.reset(CreateThread(nullptr, kStackBytes, work, parameter,
                             STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (thread_) return true;
  delete parameter;
  return false;
}

DWORD WINAPI Win32ClipboardTextReader::work(void* parameter) {
  const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(parameter));
  Shared& shared = **held;
  for (;;) {
    Shared::Request request;
    {
      std::lock_guard<std::mutex> lock(shared.mutex);
      if (shared.stopping || shared.requests.empty()) {
        shared.running = false;
        return 0;
      }
      request = shared.requests.front();
      shared.requests.pop_front();
    }
    std::optional<std::string> text;
    try {
      text = readClipboardText(shared.clipboard, request.owner, shared.lastSequence);
    } catch (const std::exception&) {
      // No memory for the text: there is nothing to record.
    }
    shared.answers.put(request.id, std::move(text));
    PostMessageW(shared.window, kReadMessage, static_cast<WPARAM>(request.id), 0);
  }
}

void Win32ClipboardTextReader::dropPending() {
  waiting_.clear();
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->requests.clear();
}

void Win32ClipboardTextReader::deliverReady() {
  // Answers in the order asked, whatever order the messages come in (any program can post one).
  while (!waiting_.empty()) {
    std::optional<std::optional<std::string>> text = shared_->answers.take(waiting_.front().first);
    if (!text) return;
    Answer answer = std::move(waiting_.front().second);
    waiting_.pop_front();
    answer(std::move(*text));
  }
}

LResult Win32ClipboardTextReader::handleMessage(WindowHandle window, std::uint32_t message,
                                                WParam wParam, LParam lParam) {
  if (message != kReadMessage) return windowing_.defaultWindowProc(window, message, wParam, lParam);
  // The answer of a dropped read is let go of: it may be tens of megabytes.
  const auto id = static_cast<std::uint64_t>(wParam);
  if (waiting_.empty() || id < waiting_.front().first) shared_->answers.take(id);
  deliverReady();
  return 0;
}

}  // namespace vireloc
