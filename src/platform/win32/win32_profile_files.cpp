#include <windows.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {
// The buffer is counted in UTF-16 units: a value keeps at most 2047 of them, which can be
// more than 2047 bytes once converted to UTF-8.
constexpr DWORD kValueBufferCharacters = 2048;
}  // namespace

std::string Win32ProfileFiles::readProfileString(const std::string& section,
                                                 const std::string& key,
                                                 const std::string& defaultValue,
                                                 const std::string& path) {
  std::wstring buffer(kValueBufferCharacters, L'\0');
  const DWORD length = GetPrivateProfileStringW(
      toWide(section).c_str(), toWide(key).c_str(), toWide(defaultValue).c_str(), buffer.data(),
      kValueBufferCharacters, toWide(path).c_str());
  buffer.resize(std::min<DWORD>(length, kValueBufferCharacters - 1));
  return toUtf8(buffer);
}

bool Win32ProfileFiles::writeProfileString(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& path) {
  return WritePrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(),
                                    toWide(value).c_str(), toWide(path).c_str()) != 0;
}

void Win32ProfileFiles::flushProfile(const std::string& path) {
  // All three names NULL: the system writes its cached copy of this file out.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, toWide(path).c_str());
}

}  // namespace vireloc
