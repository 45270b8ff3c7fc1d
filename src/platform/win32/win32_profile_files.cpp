#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {
// The buffer is counted in UTF-16 units: a value keeps at most 2047 of them, which can be
// more than 2047 bytes once converted to UTF-8.
constexpr DWORD kValueBufferCharacters = 2048;
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

using ScopedFile = ScopedHandle<HANDLE, KernelHandleCloser>;

// Without best fit: a character the code page lacks would otherwise become a look-alike
// ("?" or a similar letter) and name another folder.
bool fitsCodePage(const std::wstring& text) {
  if (text.empty()) return true;
  BOOL usedDefaultChar = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                       static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       &usedDefaultChar);
  return size > 0 && !usedDefaultChar;
}

std::wstring decode(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return L"";
  const int size = static_cast<int>(bytes.size());
  std::wstring text(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(),
                      static_cast<int>(text.size()));
  return text;
}

// Every line of the text as it was, each ended with CR LF.
std::wstring withCrLf(const std::wstring& text) {
  std::wstring out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::size_t lineEnd = end;
    if (lineEnd > start && text[lineEnd - 1] == L'\r') --lineEnd;
    out.append(text, start, lineEnd - start).append(L"\r\n");
    start = end + 1;
  }
  return out;
}

// The whole file, or nothing when it cannot be read; a missing file reads as empty.
std::optional<std::string> readWholeFile(const std::wstring& path, FILETIME& lastWrite) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    lastWrite = {};
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::string bytes;
  char chunk[4096];
  for (DWORD got = 0;; bytes.append(chunk, got)) {
    // A read that fails part-way must not pass for the whole file: it would be rewritten short.
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
  }
  if (!GetFileTime(file.get(), nullptr, nullptr, &lastWrite)) return std::nullopt;
  return bytes;
}

bool writeWholeFile(const std::wstring& path, const std::wstring& text,
                    const FILETIME& replacedWrite) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  std::string bytes(kUtf16Mark);
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    return false;
  // The profile functions keep a parsed copy of the file while its time stays the same;
  // on a coarse clock the copy could carry the old file's time and the old copy be used.
  FILETIME now{};
  if (GetFileTime(file.get(), nullptr, nullptr, &now) && CompareFileTime(&now, &replacedWrite) <= 0) {
    ULARGE_INTEGER later{{replacedWrite.dwLowDateTime, replacedWrite.dwHighDateTime}};
    later.QuadPart += 10'000'000;  // one second
    now = {later.LowPart, later.HighPart};
    SetFileTime(file.get(), nullptr, nullptr, &now);
  }
  return FlushFileBuffers(file.get()) != 0;
}

std::wstring folderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// Rewrites an ANSI (or UTF-8 marked) profile file as UTF-16 LE with its byte order mark,
// through a temporary file beside it, so that a failure leaves the original untouched.
bool convertToUtf16(const std::wstring& path) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  FILETIME lastWrite{};
  const std::optional<std::string> bytes = readWholeFile(path, lastWrite);
  if (!bytes) return false;
  if (std::string_view(*bytes).substr(0, 2) == kUtf16Mark) return true;
  const bool utf8 = std::string_view(*bytes).substr(0, 3) == kUtf8Mark;
  const std::string_view content = std::string_view(*bytes).substr(utf8 ? 3 : 0);
  const std::wstring decoded = decode(utf8 ? CP_UTF8 : CP_ACP, content);
  if (decoded.empty() && !content.empty()) return false;  // never rewrite a file as nothing
  const std::wstring text = withCrLf(decoded);

  wchar_t temporary[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folderOf(path).c_str(), L"vrl", 0, temporary)) return false;
  if (writeWholeFile(temporary, text, lastWrite) &&
      MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temporary);
  return false;
}

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
  const std::wstring wideSection = toWide(section), wideKey = toWide(key),
                     wideValue = toWide(value), widePath = toWide(path);
  // An ANSI file would take the code page's "?" for what it lacks; a UTF-16 file keeps it.
  if (!(fitsCodePage(wideSection) && fitsCodePage(wideKey) && fitsCodePage(wideValue)) &&
      !convertToUtf16(widePath))
    return false;
  return WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideValue.c_str(),
                                    widePath.c_str()) != 0;
}

void Win32ProfileFiles::flushProfile(const std::string& path) {
  // All three names NULL: the system writes its cached copy of this file out.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, toWide(path).c_str());
}

}  // namespace vireloc
