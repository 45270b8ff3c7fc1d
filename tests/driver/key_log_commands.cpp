// Watching the keyboard from outside the program: a low-level hook sees every key event on
// the desktop, including those another process injects with keybd_event.
#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

#include <cstdio>

namespace vireloc::driver {

namespace {

unsigned long long eventsLeft = 0;  // the hook procedure has no context pointer

LRESULT CALLBACK logKey(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && eventsLeft > 0) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    char line[64];
    std::snprintf(line, sizeof line, "0x%02lX %s %s", static_cast<unsigned long>(key->vkCode),
                  up ? "up" : "down", (key->flags & LLKHF_INJECTED) ? "injected" : "physical");
    printLine(line);
    --eventsLeft;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

int keyLog(const Args& args) {
  if (args.size() != 1 && args.size() != 2)
    throw Failure("usage: key-log <seconds> [events]");
  const ULONGLONG deadline = GetTickCount64() + parseNumber(args[0], "seconds") * 1000;
  eventsLeft = args.size() == 2 ? parseNumber(args[1], "events") : ~0ULL;
  const HookHandle hook(SetWindowsHookExW(WH_KEYBOARD_LL, logKey, GetModuleHandleW(nullptr), 0));
  if (!hook) throw Failure("cannot install the keyboard hook, error " + std::to_string(GetLastError()));
  printLine("ready");  // events from now on are logged
  // The hook is called from this thread's message retrieval, so the thread keeps pumping.
  for (ULONGLONG now = GetTickCount64(); now < deadline && eventsLeft > 0; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace vireloc::driver
