#include "platform/win32/win32_shell_namespace.h"

#include <exception>
#include <thread>

#include "common/app_error.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell_items.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

// wParam: the request whose answer a worker left in answers_. Any program can post it, so it
// carries nothing else.
constexpr UINT kAnswerMessage = WM_APP + 0x51;

// A worker must not die of an exception: it answers Failed instead.
Win32ShellNamespace::Answer runWork(const std::function<Win32ShellNamespace::Answer()>& work) {
  try {
    return work();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

Win32ShellNamespace::Win32ShellNamespace(Windowing& windowing, unsigned timeLimitMs)
    : windowing_(windowing), timeLimitMs_(timeLimitMs) {}

Win32ShellNamespace::~Win32ShellNamespace() {
  // Workers still running post into a window that is gone; their answers are dropped.
  if (window_) windowing_.destroyWindow(window_);
}

// The main thread's apartment comes with the first call that needs it, not with the program:
// under Wine the idle program would hold some 300 kB for it.
void Win32ShellNamespace::enterApartment() {
  if (!apartment_) apartment_.emplace(COINIT_APARTMENTTHREADED);
}

ShellFolder Win32ShellNamespace::desktop() {
  enterApartment();
  return describeDesktop();
}

ImageListHandle Win32ShellNamespace::smallIcons() {
  enterApartment();
  return systemSmallIcons();
}

ShellRequestId Win32ShellNamespace::start(std::function<Answer()> work,
                                          std::function<void(Answer&)> deliver) {
  if (!window_) window_ = windowing_.createHiddenWindow("VirelocShellAnswers", "", *this);
  const ShellRequestId request = nextRequest_++;
  HWND window = toHwnd(window_);
  std::thread([window, request, answers = answers_, work = std::move(work)] {
    ComApartment apartment(COINIT_MULTITHREADED);
    answers->put(request, runWork(work));
    if (!PostMessageW(window, kAnswerMessage, request, 0)) answers->take(request);
  }).detach();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs_);
  pending_[request] = {std::move(deliver), deadline};
  SetTimer(window, request, timeLimitMs_, nullptr);
  return request;
}

ShellRequestId Win32ShellNamespace::listSubfolders(const ShellItemId& parent, ListingDone done) {
  return start(
      [parent] {
        std::optional<std::vector<ShellFolder>> folders = listSubfoldersNow(parent);
        if (!folders) return Answer{};
        return Answer{ShellAnswer::Done, std::move(*folders), {}};
      },
      [done = std::move(done)](Answer& answer) { done(answer.outcome, std::move(answer.folders)); });
}

ShellRequestId Win32ShellNamespace::lookUpFolder(const std::string& path, LookupDone done) {
  return start([path] { return Answer{ShellAnswer::Done, {}, lookUpFolderNow(path)}; },
               [done = std::move(done)](Answer& answer) { done(answer.outcome, std::move(answer.chain)); });
}

void Win32ShellNamespace::cancel(ShellRequestId request) {
  if (pending_.erase(request) && window_) KillTimer(toHwnd(window_), request);
}

void Win32ShellNamespace::finish(ShellRequestId request, Answer& answer) {
  auto found = pending_.find(request);
  if (found == pending_.end()) return;  // cancelled, or given up already
  KillTimer(toHwnd(window_), request);
  const std::function<void(Answer&)> deliver = std::move(found->second.deliver);
  pending_.erase(found);
  deliver(answer);
}

LResult Win32ShellNamespace::handleMessage(WindowHandle window, std::uint32_t message,
                                           WParam wParam, LParam lParam) {
  if (message == kAnswerMessage) {
    const auto request = static_cast<ShellRequestId>(wParam);
    if (std::optional<Answer> answer = answers_->take(request)) finish(request, *answer);
    return 0;
  }
  if (message == WM_TIMER) {
    // Any program can send a timer message too: a request gives up only once its time is up.
    const auto request = static_cast<ShellRequestId>(wParam);
    const auto found = pending_.find(request);
    if (found == pending_.end() || std::chrono::steady_clock::now() < found->second.deadline)
      return 0;
    Answer timedOut{ShellAnswer::TimedOut, {}, {}};
    finish(request, timedOut);
    return 0;
  }
  return windowing_.defaultWindowProc(window, message, wParam, lParam);
}

std::string Win32ShellNamespace::fileSystemPath(const ShellItemId& item) {
  enterApartment();
  return fileSystemPathOf(item);
}

bool Win32ShellNamespace::sameItem(const ShellItemId& a, const ShellItemId& b) {
  enterApartment();
  return isSameItem(a, b);
}

}  // namespace vireloc
