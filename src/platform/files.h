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
  // Throws SystemError when the write fails (a full disk part-way through, say).
  virtual void write(const void* data, std::size_t size) = 0;
  // Flushes and closes; throws like write.
  virtual void close() = 0;
};

// System error codes the core tells apart.
namespace syserr {
constexpr std::uint32_t FileExists = 80;      // ERROR_FILE_EXISTS
constexpr std::uint32_t AlreadyExists = 183;  // ERROR_ALREADY_EXISTS
}  // namespace syserr

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
  // CreateFile for reading an existing file, sharing everything: false when it is missing or
  // another program holds it open without sharing it.
  virtual bool canReadFile(const std::string& path) = 0;
  // CreateFile with CREATE_NEW: a file that did not exist, opened for writing. Throws
  // SystemError (syserr::FileExists when something has that name).
  virtual std::unique_ptr<FileWriter> createNewFile(const std::string& path) = 0;
  // CreateFile with CREATE_ALWAYS, not shared: the file opened for writing, emptied when it
  // exists. Throws SystemError.
  virtual std::unique_ptr<FileWriter> createFileAnew(const std::string& path) = 0;
  // MoveFileEx without replacing: throws SystemError (syserr::AlreadyExists when `to` exists).
  virtual void moveFile(const std::string& from, const std::string& to) = 0;
  // MoveFileEx with MOVEFILE_REPLACE_EXISTING: `from` takes the name `to`, replacing a file
  // that had it (a read-only one is refused). Throws SystemError.
  virtual void replaceFile(const std::string& from, const std::string& to) = 0;
  // DeleteFile: false when the file could not be removed.
  virtual bool deleteFile(const std::string& path) = 0;
  // GetLocalTime.
  virtual LocalTime localTime() = 0;
};

// True when path names an existing folder.
bool isDirectory(Files& files, const std::string& path);
// True when path names an existing file that is not a folder.
bool isPlainFile(Files& files, const std::string& path);

}  // namespace vireloc
