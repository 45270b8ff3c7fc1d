// Files, the executable's identity and the clock.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vireloc {

namespace fileattr {
constexpr std::uint32_t ReadOnly = 0x01;
constexpr std::uint32_t Directory = 0x10;
}  // namespace fileattr

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// An opened file being written; closes on destruction.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Throws AppError naming the file and the system's reason when the write fails.
  virtual void write(const void* data, std::size_t size) = 0;
  // Flushes and closes; throws like write.
  virtual void close() = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // GetModuleFileName of the executable: a full path containing at least one "\".
  virtual std::string modulePath() = 0;
  // GetFileVersionInfo + VerQueryValue(subBlock): nothing when the resource or the value is
  // missing.
  virtual std::optional<std::string> queryVersionString(const std::string& path,
                                                        const std::string& subBlock) = 0;
  // GetFileAttributes: nothing for INVALID_FILE_ATTRIBUTES.
  virtual std::optional<std::uint32_t> fileAttributes(const std::string& path) = 0;
  // Creates (or replaces) a file for writing; throws AppError with the path and the reason.
  virtual std::unique_ptr<FileWriter> createFile(const std::string& path) = 0;
  // GetLocalTime.
  virtual LocalTime localTime() = 0;
};

// True when path names an existing folder.
bool isDirectory(Files& files, const std::string& path);
// True when path names an existing file that is not a folder.
bool isPlainFile(Files& files, const std::string& path);

}  // namespace vireloc
