// Gathers the small pieces an encoder produces into large writes to a file. put and flush
// pass on the writer's SystemError; the bytes of a failed write are dropped, not retried.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace vireloc {

class ByteSink {
 public:
  explicit ByteSink(FileWriter& out, std::size_t capacity = 1 << 20) : out_(out) {
    buffer_.resize(capacity);
  }
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;

  void put(const void* data, std::size_t size) {
    if (size > buffer_.size() - used_) {
      flush();
      // A piece as big as the buffer gains nothing from a copy.
      if (size >= buffer_.size()) {
        out_.write(data, size);
        return;
      }
    }
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
  }

  void flush() {
    if (used_ == 0) return;
    std::size_t size = used_;
    used_ = 0;  // a failed write must not be retried with the same bytes
    out_.write(buffer_.data(), size);
  }

 private:
  FileWriter& out_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;
};

}  // namespace vireloc
