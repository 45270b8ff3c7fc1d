// A FileWriter over a C stream, so the benchmark measures real file writes.
#pragma once
#include <cstdio>
#include <string>

#include "common/app_error.h"
#include "platform/files.h"

namespace vireloc::bench {

class StdioFileWriter : public FileWriter {
 public:
  explicit StdioFileWriter(const std::string& path)
      : path_(path), file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) throw AppError("cannot create " + path);
    std::setvbuf(file_, nullptr, _IONBF, 0);  // the encoders buffer for themselves
  }
  ~StdioFileWriter() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  void write(const void* data, std::size_t size) override {
    if (std::fwrite(data, 1, size, file_) != size) throw AppError("cannot write " + path_);
  }
  void close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) throw AppError("cannot close " + path_);
  }

 private:
  std::string path_;
  std::FILE* file_;
};

}  // namespace vireloc::bench
