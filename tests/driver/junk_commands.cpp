// What a careless or hostile program might send a program's windows: private messages with
// request ids, pointer-like values and plain junk, and clipboard chain notices no honest viewer
// sends. Each is waited for, so a crash or a hang shows at once. Besides made-up values, the
// pointers are the program's own: what its windows hold as user data, which any program can read.
#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

struct Forgery {
  WPARAM wParam;
  LPARAM lParam;
};

// Small numbers are what request ids look like; the rest point into memory or nowhere, or are
// no valid size or handle in any process.
const Forgery kForgeries[] = {
    {1, 0x12345678},
    {2, static_cast<LPARAM>(0x7FFE0000)},  // readable in every process
    {3, 1},
    {0, static_cast<LPARAM>(~0x0Full)},
    {static_cast<WPARAM>(~0ull), 0x10000},
    {0, 0},
    {static_cast<WPARAM>(-1), -1},
    {0x7FFFFFFF, static_cast<LPARAM>(0xDEADBEEF)},
    {0x10000, static_cast<LPARAM>(0x8000000000000000ull)},
};

// A program that does not answer within a few seconds counts as hung here.
bool sendAnswered(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

DWORD processOf(HWND window) {
  DWORD process = 0;
  if (!GetWindowThreadProcessId(window, &process)) throw Failure("no such window");
  return process;
}

// A callback of the system's own calling convention, which a lambda lacks in a 32-bit build.
BOOL CALLBACK addChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Top-level and message-only windows, with their children when asked.
std::vector<HWND> windowsOfProcess(DWORD processId, bool withChildren) {
  std::vector<HWND> found;
  auto ofProcess = [processId](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
  };
  for (HWND window : topLevelWindows()) {
    if (!ofProcess(window)) continue;
    found.push_back(window);
    if (withChildren) EnumChildWindows(window, addChild, reinterpret_cast<LPARAM>(&found));
  }
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
    if (ofProcess(window)) found.push_back(window);
  return found;
}

// WM_USER and above mean something of their own to the system's windows in the program (its
// controls, and COM's hidden window, which takes pointers in them by design): those get WM_APP
// and above only. The program's own classes are named "Vireloc..." or after its forms ("TForm1").
bool ofProgramClass(HWND window) {
  const std::wstring name = windowClass(window);
  return name.rfind(L"Vireloc", 0) == 0 || (name.size() > 1 && name[0] == L'T' && iswupper(name[1]));
}

}  // namespace

int programWindows(const Args& args) {
  requireArgs(args, 1, "program-windows <hwnd>");
  for (HWND window : windowsOfProcess(processOf(parseWindow(args[0])), false))
    printLine(hexHandle(window) + "\t" + toUtf8(windowClass(window)));
  return 0;
}

int junkMessages(const Args& args) {
  if (args.size() != 1) requireArgs(args, 4, "junk-messages <hwnd> [<first> <last> <step>]");
  const DWORD processId = processOf(parseWindow(args[0]));
  const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed: " + std::to_string(GetLastError()));
  const std::vector<HWND> windows = windowsOfProcess(processId, true);
  std::vector<Forgery> forgeries(std::begin(kForgeries), std::end(kForgeries));
  std::size_t ownPointers = 0;
  for (HWND window : windows)
    if (const LONG_PTR data = GetWindowLongPtrW(window, GWLP_USERDATA)) {
      forgeries.push_back({1, data});
      ++ownPointers;
    }

  // Without a range: where programs put their own messages, each with every forgery. With one:
  // each message of it with the next forgery, so that over a range every forgery meets many.
  std::vector<UINT> messages;
  const bool everyForgery = args.size() == 1;
  if (everyForgery) {
    // Notifications and timer messages carry pointers and ids that only the system may give.
    messages = {WM_NOTIFY, WM_TIMER};
    for (UINT offset = 0; offset < 0x40; ++offset) messages.push_back(WM_USER + offset);
    for (UINT offset = 0; offset < 0x80; ++offset) messages.push_back(WM_APP + offset);
  } else {
    const auto first = static_cast<UINT>(parseNumber(args[1], "first"));
    const auto last = static_cast<UINT>(parseNumber(args[2], "last"));
    const auto step = static_cast<UINT>(parseNumber(args[3], "step"));
    if (step == 0) throw Failure("the step must be 1 or more");
    for (UINT message = first; message <= last && message >= first; message += step)
      messages.push_back(message);
  }

  unsigned long sent = 0;
  std::size_t next = 0;
  for (HWND window : windows) {
    const bool own = ofProgramClass(window);
    for (UINT message : messages) {
      if (message < WM_APP && !own) continue;
      const std::size_t count = everyForgery ? forgeries.size() : 1;
      for (std::size_t i = 0; i < count && IsWindow(window); ++i) {
        const Forgery& forgery = forgeries[everyForgery ? i : next++ % forgeries.size()];
        // Some systems refuse to carry a notification across processes: the window still
        // answering a null message tells a refusal from a hang.
        if (!sendAnswered(window, message, forgery.wParam, forgery.lParam) && IsWindow(window) &&
            !(message == WM_NOTIFY && sendAnswered(window, WM_NULL, 0, 0)))
          throw Failure("window " + hexHandle(window) + " (" + toUtf8(windowClass(window)) + ") did not answer message " +
                        std::to_string(message) + " (error " + std::to_string(GetLastError()) +
                        ") after " + std::to_string(sent));
        ++sent;
        // Posted, a notification reaches the window without the system's checks of a send.
        if (message == WM_NOTIFY && PostMessageW(window, message, forgery.wParam, forgery.lParam))
          ++sent;
      }
    }
  }
  if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
    throw Failure("the program ended after " + std::to_string(sent) + " messages");
  printLine(std::to_string(sent) + " messages to " + std::to_string(windows.size()) + " windows, " +
            std::to_string(ownPointers) + " of their pointers among the values");
  return 0;
}

int sendChainNotice(const Args& args) {
  requireArgs(args, 3, "send-chain-notice <hwnd> <removed> <following>");
  HWND window = parseWindow(args[0]);
  const auto removed = static_cast<WPARAM>(parseNumber(args[1], "removed"));
  const auto following = static_cast<LPARAM>(parseNumber(args[2], "following"));
  if (!sendAnswered(window, WM_CHANGECBCHAIN, removed, following))
    throw Failure("WM_CHANGECBCHAIN was not answered, error " + std::to_string(GetLastError()));
  return 0;
}

}  // namespace vireloc::driver
