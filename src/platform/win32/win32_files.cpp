#include <windows.h>

#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_file_writer.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {
// The longest path the system can name, in UTF-16 units.
constexpr DWORD kLongestPath = 32768;
}  // namespace

std::string Win32Files::modulePath() {
  // A path longer than MAX_PATH is cut to fit the buffer: grow it until the answer fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length < size || size >= kLongestPath) {
      return toUtf8(std::wstring_view(buffer.data(), std::min(length, size)));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> Win32Files::queryVersionString(const std::string& path,
                                                          const std::string& subBlock) {
  const std::wstring widePath = toWide(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<std::byte> block(size);  // zero-filled
  if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data())) return std::nullopt;
  void* value = nullptr;
  UINT characters = 0;
  if (!VerQueryValueW(block.data(), toWide(subBlock).c_str(), &value, &characters) || !value) {
    return std::nullopt;
  }
  // The count includes the terminator; stop at the first NUL either way.
  const auto* text = static_cast<const wchar_t*>(value);
  std::size_t length = 0;
  while (length < characters && text[length] != L'\0') ++length;
  return toUtf8(std::wstring_view(text, length));
}

std::optional<std::uint32_t> Win32Files::fileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool Win32Files::canReadFile(const std::string& path) {
  HANDLE opened = CreateFileW(toWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  CloseHandle(opened);
  return true;
}

std::unique_ptr<FileWriter> Win32Files::createNewFile(const std::string& path) {
  return openFileWriter(path, CREATE_NEW);
}

std::unique_ptr<FileWriter> Win32Files::createFileAnew(const std::string& path) {
  return openFileWriter(path, CREATE_ALWAYS);
}

void Win32Files::moveFile(const std::string& from, const std::string& to) {
  // No MOVEFILE_REPLACE_EXISTING: a file already under that name is somebody's data.
  if (!MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_WRITE_THROUGH))
    throwLastError();
}

void Win32Files::replaceFile(const std::string& from, const std::string& to) {
  if (!MoveFileExW(toWide(from).c_str(), toWide(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throwLastError();
}

bool Win32Files::deleteFile(const std::string& path) {
  return DeleteFileW(toWide(path).c_str()) != 0;
}

LocalTime Win32Files::localTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                   now.wMilliseconds};
}

}  // namespace vireloc
