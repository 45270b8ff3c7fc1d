#include <algorithm>
#include <cctype>
#include <utility>

#include "common/app_error.h"
#include "platform/sim/host_md5.h"
#include "platform/sim/profile_encoding.h"
#include "platform/sim/profile_text.h"
#include "platform/sim/sim_files.h"

namespace vireloc::sim {

namespace {

std::string parentOfPath(const std::string& key) {
  const auto slash = key.rfind('\\');
  return slash == std::string::npos ? "" : key.substr(0, slash);
}

constexpr const char* kSharingViolation = "プロセスはファイルにアクセスできません。別のプロセスが使用中です。";

// Holds its file open, unshared, from creation until close or destruction.
class SimFileWriter final : public FileWriter {
 public:
  SimFileWriter(SimFile& file, std::optional<std::size_t>& diskSpace,
                std::set<std::string>& openFiles, std::string key)
      : file_(file), diskSpace_(diskSpace), openFiles_(openFiles), key_(std::move(key)) {
    openFiles_.insert(key_);
  }
  ~SimFileWriter() override { close(); }
  void write(const void* data, std::size_t size) override {
    const std::size_t fits = diskSpace_ ? std::min(size, *diskSpace_) : size;
    file_.bytes.append(static_cast<const char*>(data), fits);
    if (diskSpace_) *diskSpace_ -= fits;
    if (fits < size) throw SystemError(112, "ディスクに十分な空き領域がありません。");
  }
  void close() override { openFiles_.erase(key_); }

 private:
  SimFile& file_;
  std::optional<std::size_t>& diskSpace_;
  std::set<std::string>& openFiles_;
  std::string key_;
};

}  // namespace

SimFiles::SimFiles() {
  addDirectory("C:\\");
  addDirectory("C:\\Program Files");
  addDirectory("C:\\Program Files\\Vireloc");
  putFile(executablePath, "MZ");
  versionStrings[keyOf(executablePath)]["\\StringFileInfo\\041103A4\\FileVersion"] = "0.1.0.0";
}

std::string SimFiles::keyOf(const std::string& path) {
  std::string key = path;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  if (key.size() == 3 && key.back() == '\\') key.pop_back();  // "c:\" names the drive "c:"
  return key;
}

void SimFiles::addDirectory(const std::string& path) { directories.insert(keyOf(path)); }

void SimFiles::removeDirectory(const std::string& path) {
  const std::string key = keyOf(path);
  directories.erase(key);
  std::erase_if(files, [&](const auto& entry) { return entry.first.starts_with(key + "\\"); });
  std::erase_if(directories, [&](const auto& dir) { return dir.starts_with(key + "\\"); });
}

void SimFiles::putFile(const std::string& path, const std::string& bytes, bool readOnly) {
  files[keyOf(path)] = SimFile{bytes, readOnly, path};
}

std::vector<std::string> SimFiles::fileNamesIn(const std::string& folder) const {
  const std::string prefix = keyOf(folder) + "\\";
  std::vector<std::string> names;
  for (const auto& [key, file] : files) {
    if (!key.starts_with(prefix) || key.find('\\', prefix.size()) != std::string::npos) continue;
    names.push_back(file.path.substr(file.path.rfind('\\') + 1));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> SimFiles::fileContents(const std::string& path) const {
  auto it = files.find(keyOf(path));
  if (it == files.end()) return std::nullopt;
  return it->second.bytes;
}

bool SimFiles::hasFile(const std::string& path) const { return files.count(keyOf(path)) > 0; }

std::optional<std::uint32_t> SimFiles::fileAttributes(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::string key = keyOf(path);
  ++attributeQueries[key];
  if (directories.count(key)) return fileattr::Directory;
  auto it = files.find(key);
  if (it == files.end()) return std::nullopt;
  return 0x20u | (it->second.readOnly ? fileattr::ReadOnly : 0u);
}

bool SimFiles::canReadFile(const std::string& path) {
  const std::string key = keyOf(path);
  return files.count(key) && !lockedFiles.count(key);
}

std::unique_ptr<FileWriter> SimFiles::createNewFile(const std::string& path) {
  const std::string key = keyOf(path);
  if (!directories.count(parentOfPath(key)))
    throw SystemError(3, "指定されたパスが見つかりません。");
  if (directories.count(key) || files.count(key)) throw SystemError(80, "ファイルが存在します。");
  SimFile& file = files[key];
  file.path = path;
  return std::make_unique<SimFileWriter>(file, diskSpace, openForWriting_, key);
}

std::unique_ptr<FileWriter> SimFiles::createFileAnew(const std::string& path) {
  const std::string key = keyOf(path);
  if (!directories.count(parentOfPath(key)))
    throw SystemError(3, "指定されたパスが見つかりません。");
  auto it = files.find(key);
  if (directories.count(key) || (it != files.end() && it->second.readOnly))
    throw SystemError(5, "アクセスが拒否されました。");
  if (openForWriting_.count(key)) throw SystemError(32, kSharingViolation);
  SimFile& file = files[key];
  if (file.path.empty()) file.path = path;
  file.bytes.clear();
  return std::make_unique<SimFileWriter>(file, diskSpace, openForWriting_, key);
}

Md5Digest SimFiles::fileMd5(const std::string& path) {
  const std::string bytes = fileContents(path).value_or("");
  return md5Of(bytes.data(), bytes.size());
}

void SimFiles::moveFile(const std::string& from, const std::string& to) {
  auto source = files.find(keyOf(from));
  if (source == files.end()) throw SystemError(2, "指定されたファイルが見つかりません。");
  if (openForWriting_.count(source->first)) throw SystemError(32, kSharingViolation);
  const std::string target = keyOf(to);
  if (!directories.count(parentOfPath(target)))
    throw SystemError(3, "指定されたパスが見つかりません。");
  if (directories.count(target) || files.count(target))
    throw SystemError(183, "既に存在するファイルを作成することはできません。");
  SimFile moved = std::move(source->second);
  files.erase(source);
  moved.path = to;
  files[target] = std::move(moved);
}

void SimFiles::replaceFile(const std::string& from, const std::string& to) {
  const auto target = files.find(keyOf(to));
  if (target != files.end()) {
    if (target->second.readOnly || openForWriting_.count(target->first))
      throw SystemError(5, "アクセスが拒否されました。");
    if (!files.count(keyOf(from))) throw SystemError(2, "指定されたファイルが見つかりません。");
    files.erase(target);
  }
  moveFile(from, to);
}

bool SimFiles::deleteFile(const std::string& path) {
  auto it = files.find(keyOf(path));
  // As under Windows, a file still open for writing cannot go (a sharing violation).
  if (it == files.end() || it->second.readOnly || openForWriting_.count(it->first)) return false;
  if (diskSpace) *diskSpace += it->second.bytes.size();
  files.erase(it);
  return true;
}

std::optional<std::string> SimFiles::queryVersionString(const std::string& path,
                                                        const std::string& subBlock) {
  auto block = versionStrings.find(keyOf(path));
  if (block == versionStrings.end()) return std::nullopt;
  auto value = block->second.find(subBlock);
  if (value == block->second.end()) return std::nullopt;
  return value->second;
}

std::string SimFiles::readProfileString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue,
                                        const std::string& path) {
  auto text = profileText(path);
  if (!text || lockedFiles.count(keyOf(path))) return defaultValue;
  auto value = ProfileText(*text).value(section, key);
  if (!value) return defaultValue;
  return value->substr(0, 2047);
}

bool SimFiles::writeProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  const std::string fileKey = keyOf(path);
  if (!directories.count(parentOfPath(fileKey)) || lockedFiles.count(fileKey)) return false;
  auto it = files.find(fileKey);
  if (it != files.end() && it->second.readOnly) return false;
  if (profileWritesAllowed) {
    if (*profileWritesAllowed == 0) return false;
    --*profileWritesAllowed;
  }
  const std::string before = it == files.end() ? "" : it->second.bytes;
  bool utf16 = isUtf16Profile(before);
  if (!utf16 && !fitsCodePage(section + key + value)) {
    // The UTF-16 copy goes to a temporary file first: a disk without room for it leaves
    // the original as it was.
    const std::size_t copySize = encodeProfile(ProfileText(before).text(), true).size();
    if (diskSpace && *diskSpace < copySize) return false;
    utf16 = true;
  }
  ProfileText profile(decodeProfile(before));
  if (utf16) {
    profile.set(section, key, value);
  } else {
    profile.set(encodeProfile(section, false), encodeProfile(key, false),
                encodeProfile(value, false));
  }
  SimFile& file = files[fileKey];
  if (file.path.empty()) file.path = path;
  file.bytes = utf16 ? encodeProfile(profile.text(), true) : profile.text();
  return true;
}

std::optional<std::string> SimFiles::profileText(const std::string& path) const {
  auto bytes = fileContents(path);
  if (!bytes) return std::nullopt;
  return decodeProfile(*bytes);
}

}  // namespace vireloc::sim
