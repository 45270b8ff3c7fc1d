#include "update/update_bodies.h"

#include "common/app_error.h"

namespace vireloc {

void InfoBuffer::receive(const char* data, std::size_t size) {
  if (size > kInfoLimit - text_.size())
    throw AppError("サーバの更新情報が大きすぎます (64 KiB を超えています)");
  text_.append(data, size);
}

void ArchiveBody::receive(const char* data, std::size_t size) {
  if (!file_) throw AppError(kHttpCancelledText);
  if (size >= kArchiveLimit - written_)
    throw AppError("ダウンロードするファイルが 4 GiB に達するため中止しました");
  file_->write(data, size);
  written_ += size;
}

void ArchiveBody::close() {
  if (!file_) return;
  // Taken out first: a failed close must not be retried by the destructor.
  std::unique_ptr<FileWriter> file = std::move(file_);
  file->close();
}

}  // namespace vireloc
