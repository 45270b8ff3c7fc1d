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

std::wstring toWide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int inLength = checkedLength(utf8.size());
  const int outLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
  if (outLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(outLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), outLength);
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
