#include "capture/new_file.h"

#include <memory>

#include "common/app_error.h"

namespace vireloc {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\" "; }

bool exists(const SystemError& error) {
  return error.code() == syserr::FileExists || error.code() == syserr::AlreadyExists;
}

[[noreturn]] void throwExisting(const std::string& path) {
  throw FileNameTaken(quoted(path) + "は既にあるため、上書きせずに保存をやめました");
}

// A temporary file that is deleted unless it was moved to its final name.
class TemporaryFile {
 public:
  TemporaryFile(Files& files, const std::string& path) : files_(files) {
    // A name left behind by a crash must not stop the next capture.
    for (int attempt = 0; attempt < 10 && !writer_; ++attempt) {
      path_ = path;
      if (attempt) path_ += '.' + std::to_string(attempt);
      path_ += ".tmp";
      try {
        writer_ = files_.createNewFile(path_);
      } catch (const SystemError& error) {
        if (!exists(error) || attempt == 9) throw AppError(quoted(path) + "を作成できません。" + error.what());
      }
    }
  }
  ~TemporaryFile() {
    writer_.reset();
    if (!moved_) files_.deleteFile(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  FileWriter& writer() { return *writer_; }
  void moveTo(const std::string& path) {
    writer_->close();
    writer_.reset();
    files_.moveFile(path_, path);
    moved_ = true;
  }

 private:
  Files& files_;
  std::string path_;
  std::unique_ptr<FileWriter> writer_;
  bool moved_ = false;
};

}  // namespace

void writeNewFile(Files& files, const std::string& path,
                  const std::function<void(FileWriter&)>& write) {
  if (files.fileAttributes(path)) throwExisting(path);
  TemporaryFile temporary(files, path);
  try {
    write(temporary.writer());
    temporary.moveTo(path);
  } catch (const SystemError& error) {
    if (exists(error)) throwExisting(path);
    throw AppError(quoted(path) + "に書き込めません。" + error.what());
  }
}

}  // namespace vireloc
