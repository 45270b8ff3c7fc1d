// The file system of the simulated desktop, with profile files and digests read from it.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_digest.h"
#include "platform/files.h"
#include "platform/profile_files.h"

namespace vireloc::sim {

struct SimFile {
  std::string bytes;
  bool readOnly = false;
  std::string path;  // as created: the file system keeps the case it was given
};

class SimFiles : public Files, public ProfileFiles, public FileDigests {
 public:
  // The drive, the program's folder and the program itself.
  SimFiles();

  // ---- Files
  std::string modulePath() override { return executablePath; }
  std::optional<std::string> queryVersionString(const std::string& path,
                                                const std::string& subBlock) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
  bool canReadFile(const std::string& path) override;
  std::unique_ptr<FileWriter> createNewFile(const std::string& path) override;
  std::unique_ptr<FileWriter> createFileAnew(const std::string& path) override;
  void moveFile(const std::string& from, const std::string& to) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  bool deleteFile(const std::string& path) override;
  LocalTime localTime() override { return clock; }

  // ---- Profile files and digests
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string& path) override;
  bool writeProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& path) override;
  void flushProfile(const std::string& path) override {}
  Md5Digest fileMd5(const std::string& path) override;

  // ==== Test side
  std::string executablePath = "C:\\Program Files\\Vireloc\\vireloc.exe";
  std::map<std::string, std::map<std::string, std::string>> versionStrings;  // path -> block
  std::map<std::string, SimFile> files;   // keyed by lower-case path
  // Bytes the disk still takes; a write past them stores what fits and fails (disk full).
  std::optional<std::size_t> diskSpace;
  std::set<std::string> directories;      // lower-case, no trailing "\"
  // fileAttributes calls by key: each may wait for a network's time-out on a real share.
  std::map<std::string, int> attributeQueries;
  LocalTime clock{2011, 3, 15, 14, 23, 5, 123};
  // Files another program holds open without sharing (lower-case keys): neither read nor
  // written, as the profile functions find them.
  std::set<std::string> lockedFiles;
  void lockFile(const std::string& path) { lockedFiles.insert(keyOf(path)); }
  void unlockFile(const std::string& path) { lockedFiles.erase(keyOf(path)); }
  // When set, profile writes succeed this many more times and are then refused.
  std::optional<int> profileWritesAllowed;
  void addDirectory(const std::string& path);
  void removeDirectory(const std::string& path);
  void putFile(const std::string& path, const std::string& bytes, bool readOnly = false);
  std::optional<std::string> fileContents(const std::string& path) const;
  // A profile file's text as UTF-8, whichever form it is stored in.
  std::optional<std::string> profileText(const std::string& path) const;
  bool hasFile(const std::string& path) const;
  // Names (with the case they were created with) of the files directly in folder, sorted.
  std::vector<std::string> fileNamesIn(const std::string& folder) const;
  // The key of files and directories: paths are compared without case, as by Windows.
  static std::string keyOf(const std::string& path);

 private:
  std::set<std::string> openForWriting_;  // keys of the files a writer holds open
};

}  // namespace vireloc::sim
