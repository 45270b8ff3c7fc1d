// Where the two answers of the update check go, each with a bound a hostile server cannot
// push past.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/http_transfer.h"

namespace vireloc {

inline constexpr std::size_t kInfoLimit = 64 * 1024;
// The digest reads the size's low 32 bits only, so the archive must stay below 4 GiB.
inline constexpr std::uint64_t kArchiveLimit = std::uint64_t{1} << 32;

// The information file, held in memory up to kInfoLimit bytes; more fails the request.
class InfoBuffer final : public HttpBody {
 public:
  void receive(const char* data, std::size_t size) override;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The archive, written to its file as it arrives; it stops before reaching kArchiveLimit.
class ArchiveBody final : public HttpBody {
 public:
  explicit ArchiveBody(std::unique_ptr<FileWriter> file) : file_(std::move(file)) {}
  void receive(const char* data, std::size_t size) override;
  // Closes the file; throws like FileWriter::close. Later bytes are refused.
  void close();
  // Closes the file without a word, for a download given up; later bytes are refused.
  void discard() { file_.reset(); }

 private:
  std::unique_ptr<FileWriter> file_;
  std::uint64_t written_ = 0;
};

}  // namespace vireloc
