#include "platform/win32/win32_file_writer.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/app_error.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

// The path as the user would recognise it: relative names resolved against the current
// folder, as the system itself resolves them.
std::string fullPathOf(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return toUtf8(path);
  std::vector<wchar_t> buffer(needed);
  const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) return toUtf8(path);
  return toUtf8(std::wstring_view(buffer.data(), length));
}

// Call right after the failing call, before anything else can change the last error.
[[noreturn]] void throwWithReason(const std::string& fullPath, const char* what) {
  const DWORD error = GetLastError();
  throw AppError("\"" + fullPath + "\" " + what + systemErrorText(error));
}

class Win32FileWriter final : public FileWriter {
 public:
  Win32FileWriter(KernelHandle file, std::string fullPath)
      : file_(std::move(file)), fullPath_(std::move(fullPath)) {}

  void write(const void* data, std::size_t size) override {
    if (!file_) {
      SetLastError(ERROR_INVALID_HANDLE);
      throwWithReason(fullPath_, kWriteFailure);
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    // WriteFile takes a 32-bit count: larger blocks go in pieces.
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes, chunk, &written, nullptr)) {
        throwWithReason(fullPath_, kWriteFailure);
      }
      if (written == 0) {
        SetLastError(ERROR_WRITE_FAULT);
        throwWithReason(fullPath_, kWriteFailure);
      }
      bytes += written;
      size -= written;
    }
  }

  void close() override {
    if (!file_) return;
    if (!file_.reset()) throwWithReason(fullPath_, kWriteFailure);
  }

 private:
  static constexpr const char* kWriteFailure = "に書き込めません。";
  KernelHandle file_;
  std::string fullPath_;
};

}  // namespace

std::unique_ptr<FileWriter> openFileWriter(const std::string& path) {
  const std::wstring widePath = toWide(path);
  std::string fullPath = fullPathOf(widePath);
  HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throwWithReason(fullPath, "を作成できません。");
  KernelHandle owned(file);
  return std::make_unique<Win32FileWriter>(std::move(owned), std::move(fullPath));
}

}  // namespace vireloc
