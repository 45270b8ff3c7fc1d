// Private messages another program could forge: request ids and pointer-like values sent to
// every window of a program, each waited for, so a crash or a hang shows at once. Besides
// made-up values, the pointers are the program's own: what its windows hold as user data,
// which any program can read.
#include <cwctype>
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

// Small numbers are what request ids look like; the rest point into memory or nowhere.
const Forgery kForgeries[] = {
    {1, 0x12345678},
    {2, static_cast<LPARAM>(0x7FFE0000)},  // readable in every process
    {3, 1},
    {0, static_cast<LPARAM>(~0x0Full)},
    {static_cast<WPARAM>(~0ull), 0x10000},
};

// A callback of the system's own calling convention, which a lambda lacks in a 32-bit build.
BOOL CALLBACK addChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> windowsOfProcess(DWORD processId) {
  std::vector<HWND> found;
  auto ofProcess = [processId](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
  };
  for (HWND window : topLevelWindows()) {
    if (!ofProcess(window)) continue;
    found.push_back(window);
    EnumChildWindows(window, addChild, reinterpret_cast<LPARAM>(&found));
  }
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
    if (ofProcess(window)) found.push_back(window);
  return found;
}

// WM_USER and above mean something of their own to the system's windows in the program (its
// controls, and COM's hidden window, which takes pointers in them by design): those get WM_APP
// only. The program's own classes are named "Vireloc..." or after its forms ("TForm1").
bool ofProgramClass(HWND window) {
  const std::wstring name = windowClass(window);
  return name.rfind(L"Vireloc", 0) == 0 || (name.size() > 1 && name[0] == L'T' && iswupper(name[1]));
}

}  // namespace

int junkMessages(const Args& args) {
  requireArgs(args, 1, "junk-messages <hwnd>");
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(parseWindow(args[0]), &processId)) throw Failure("no such window");
  const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed: " + std::to_string(GetLastError()));
  const std::vector<HWND> windows = windowsOfProcess(processId);
  std::vector<Forgery> ownPointers;
  for (HWND window : windows)
    if (const LONG_PTR data = GetWindowLongPtrW(window, GWLP_USERDATA))
      ownPointers.push_back({1, data});
  int sent = 0;
  for (HWND window : windows) {
    std::vector<UINT> messages;
    for (UINT offset = 0; offset < 0x80; ++offset) messages.push_back(WM_APP + offset);
    std::vector<Forgery> forgeries(std::begin(kForgeries), std::end(kForgeries));
    if (ofProgramClass(window)) {
      for (UINT offset = 0; offset < 0x40; ++offset) messages.push_back(WM_USER + offset);
      forgeries.insert(forgeries.end(), ownPointers.begin(), ownPointers.end());
    }
    for (UINT message : messages) {
      for (const Forgery& forgery : forgeries) {
        if (!IsWindow(window)) break;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, message, forgery.wParam, forgery.lParam,
                                 SMTO_ABORTIFHUNG, 5000, &result) && IsWindow(window))
          throw Failure("window " + hexHandle(window) + " did not answer message " +
                        std::to_string(message) + " (error " + std::to_string(GetLastError()) + ")");
        ++sent;
      }
    }
  }
  if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
    throw Failure("the program ended after " + std::to_string(sent) + " messages");
  printLine(std::to_string(sent) + " messages to " + std::to_string(windows.size()) + " windows, " +
            std::to_string(ownPointers.size()) + " of their pointers among the values");
  return 0;
}

}  // namespace vireloc::driver
