#include "platform/win32/text_conversion.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

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
  if (utf16.empty()) return {};
  const int inLength = checkedLength(utf16.size());
  const int outLength =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (outLength <= 0) return {};
  std::string utf8(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLength, utf8.data(), outLength, nullptr,
                      nullptr);
  return utf8;
}

}  // namespace vireloc
