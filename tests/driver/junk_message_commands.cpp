// Commands that send a program's windows what a careless or hostile program might: private
// messages with meaningless parameters, and clipboard chain notices no honest viewer sends.
#include <iterator>

#include "commands.h"
#include "driver_util.h"

namespace vireloc::driver {

namespace {

// Parameters that are no valid pointer, size or handle in any process.
const LPARAM kJunk[] = {0, 1, -1, 0x7FFFFFFF, static_cast<LPARAM>(0xDEADBEEF), 0x10000,
                        static_cast<LPARAM>(0x8000000000000000ull)};

// A program that does not answer within a few seconds counts as hung here.
bool sendAnswered(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

}  // namespace

int programWindows(const Args& args) {
  requireArgs(args, 1, "program-windows <hwnd>");
  DWORD wanted = 0;
  if (!GetWindowThreadProcessId(parseWindow(args[0]), &wanted)) throw Failure("no such window");
  for (HWND window : topLevelWindows()) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == wanted) printLine(hexHandle(window) + "\t" + toUtf8(windowClass(window)));
  }
  return 0;
}

int sendJunk(const Args& args) {
  if (args.size() != 4) requireArgs(args, 3, "send-junk <hwnd> <first msg> <last msg> [step]");
  HWND window = parseWindow(args[0]);
  const auto first = static_cast<UINT>(parseNumber(args[1], "first msg"));
  const auto last = static_cast<UINT>(parseNumber(args[2], "last msg"));
  const auto step = args.size() == 4 ? static_cast<UINT>(parseNumber(args[3], "step")) : 1u;
  if (step == 0) throw Failure("the step must be 1 or more");
  unsigned long sent = 0;
  for (UINT message = first; message <= last && message >= first; message += step) {
    // Each message with another pair, so that every pair meets every kind of message.
    const LPARAM wJunk = kJunk[message % std::size(kJunk)];
    const LPARAM lJunk = kJunk[(message / std::size(kJunk)) % std::size(kJunk)];
    if (!sendAnswered(window, message, static_cast<WPARAM>(wJunk), lJunk))
      throw Failure("message " + std::to_string(message) + " was not answered (error " +
                    std::to_string(GetLastError()) + ") after " + std::to_string(sent));
    ++sent;
  }
  printLine("answered " + std::to_string(sent));
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
