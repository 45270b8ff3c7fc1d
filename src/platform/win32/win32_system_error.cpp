#include "platform/win32/win32_system_error.h"

#include <windows.h>

#include "common/app_error.h"
#include "platform/win32/text_conversion.h"

namespace vireloc {

std::string systemErrorText(std::uint32_t errorCode) {
  wchar_t buffer[1024] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, errorCode, 0, buffer,
                                static_cast<DWORD>(std::size(buffer)), nullptr);
  while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                        buffer[length - 1] == L' ')) {
    --length;
  }
  if (length == 0) return "(エラー " + std::to_string(errorCode) + ")";
  return toUtf8(std::wstring_view(buffer, length));
}

void throwLastError() { throwSystemError(GetLastError()); }

void throwSystemError(std::uint32_t errorCode) {
  throw SystemError(errorCode, systemErrorText(errorCode));
}

}  // namespace vireloc
