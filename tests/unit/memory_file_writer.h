// A FileWriter that keeps the bytes in memory and can be told to fail, for encoder tests.
// It fails as the real writers do, with SystemError.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "common/app_error.h"
#include "platform/files.h"

namespace vireloc {

class MemoryFileWriter : public FileWriter {
 public:
  // Makes the write that would take the file past `bytes` throw instead.
  void failAfter(std::size_t bytes) { failAfter_ = bytes; }
  void failOnClose() { failOnClose_ = true; }

  void write(const void* data, std::size_t size) override {
    if (closed) throw SystemError(6, "write after close");  // ERROR_INVALID_HANDLE
    if (bytes.size() + size > failAfter_) throw SystemError(112, "disk full");  // ERROR_DISK_FULL
    auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
    ++writes;
    largestWrite = std::max(largestWrite, size);
  }
  void close() override {
    if (failOnClose_) throw SystemError(112, "close failed");
    closed = true;
  }

  std::vector<std::uint8_t> bytes;
  int writes = 0;
  std::size_t largestWrite = 0;
  bool closed = false;

 private:
  std::size_t failAfter_ = std::numeric_limits<std::size_t>::max();
  bool failOnClose_ = false;
};

}  // namespace vireloc
