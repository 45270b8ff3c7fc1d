#include "platform/win32/win32_file_writer.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

class Win32FileWriter final : public FileWriter {
 public:
  explicit Win32FileWriter(KernelHandle file) : file_(std::move(file)) {}

  void write(const void* data, std::size_t size) override {
    if (!file_) throwSystemError(ERROR_INVALID_HANDLE);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    // WriteFile takes a 32-bit count: larger blocks go in pieces.
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes, chunk, &written, nullptr)) throwLastError();
      if (written == 0) throwSystemError(ERROR_WRITE_FAULT);
      bytes += written;
      size -= written;
    }
  }

  void close() override {
    if (!file_) return;
    if (!file_.reset()) throwLastError();
  }

 private:
  KernelHandle file_;
};

}  // namespace

std::unique_ptr<FileWriter> openFileWriter(const std::string& path, std::uint32_t disposition) {
  HANDLE file = CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throwLastError();
  return std::make_unique<Win32FileWriter>(KernelHandle(file));
}

}  // namespace vireloc
