#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

std::optional<std::uint32_t> Win32Shell::startProcess(const std::string& commandLine,
                                                      const StartupRecord& startup,
                                                      std::uint32_t creationFlags) {
  // CreateProcessW may write into the command line, so it gets its own buffer.
  const std::wstring wide = toWide(commandLine);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  STARTUPINFOW record{};
  record.cb = sizeof record;
  record.dwX = static_cast<DWORD>(startup.position.x);
  record.dwY = static_cast<DWORD>(startup.position.y);
  record.dwXSize = static_cast<DWORD>(startup.width);
  record.dwYSize = static_cast<DWORD>(startup.height);
  record.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESIZE | STARTF_USEPOSITION;
  record.wShowWindow = startup.showWindow;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                      nullptr, &record, &process)) {
    return GetLastError();
  }
  // The program runs on its own; nothing here waits for it.
  KernelHandle processHandle(process.hProcess);
  KernelHandle threadHandle(process.hThread);
  return std::nullopt;
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
