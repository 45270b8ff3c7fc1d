#include <windows.h>
#include <shellapi.h>

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

void Win32Shell::deleteWithShell(WindowHandle owner, const std::string& path) {
  // pFrom is a list of paths, each NUL-ended, the list ended by one more NUL.
  std::wstring from = toWide(path);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = toHwnd(owner);
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.pTo = nullptr;
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
  operation.fAnyOperationsAborted = FALSE;
  operation.hNameMappings = nullptr;
  operation.lpszProgressTitle = nullptr;
  SHFileOperationW(&operation);  // the shell reports its own failures
}

}  // namespace vireloc
