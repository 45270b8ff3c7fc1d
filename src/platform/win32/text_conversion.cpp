#include "platform/win32/text_conversion.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/utf16_conversion.h"

namespace vireloc {

namespace {

// The conversion functions count in int; longer text is a programming error.
int checkedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
  return static_cast<int>(size);
}

}  // namespace

std::size_t wideLength(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), checkedLength(utf8.size()), nullptr, 0);
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

void writeWide(std::string_view utf8, wchar_t* out, std::size_t units) {
  if (units == 0) return;
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), checkedLength(utf8.size()), out,
                      checkedLength(units));
}

std::wstring toWide(std::string_view utf8) {
  std::wstring wide(wideLength(utf8), L'\0');
  writeWide(utf8, wide.data(), wide.size());
  return wide;
}

std::string toUtf8(std::wstring_view utf16) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return utf8FromUtf16(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size());
}

}  // namespace vireloc
