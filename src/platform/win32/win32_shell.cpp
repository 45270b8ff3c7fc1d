#include <windows.h>

#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

bool Win32Shell::startProcess(const std::string& commandLine) {
  // CreateProcessW may write into the command line, so it gets its own buffer.
  const std::wstring wide = toWide(commandLine);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  // The program runs on its own; nothing here waits for it.
  KernelHandle processHandle(process.hProcess);
  KernelHandle threadHandle(process.hThread);
  return true;
}

}  // namespace vireloc
