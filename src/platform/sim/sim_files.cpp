#include <algorithm>
#include <cctype>

#include "common/app_error.h"
#include "platform/sim/profile_text.h"
#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

namespace {

std::string parentOfPath(const std::string& key) {
  const auto slash = key.rfind('\\');
  return slash == std::string::npos ? "" : key.substr(0, slash);
}

class SimFileWriter final : public FileWriter {
 public:
  SimFileWriter(SimFile& file) : file_(file) {}
  void write(const void* data, std::size_t size) override {
    file_.bytes.append(static_cast<const char*>(data), size);
  }
  void close() override {}

 private:
  SimFile& file_;
};

}  // namespace

std::string SimDesktop::keyOf(const std::string& path) {
  std::string key = path;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  if (key.size() == 3 && key.back() == '\\') key.pop_back();  // "c:\" names the drive "c:"
  return key;
}

void SimDesktop::addDirectory(const std::string& path) { directories.insert(keyOf(path)); }

void SimDesktop::removeDirectory(const std::string& path) {
  const std::string key = keyOf(path);
  directories.erase(key);
  std::erase_if(files, [&](const auto& entry) { return entry.first.starts_with(key + "\\"); });
  std::erase_if(directories, [&](const auto& dir) { return dir.starts_with(key + "\\"); });
}

void SimDesktop::putFile(const std::string& path, const std::string& bytes, bool readOnly) {
  files[keyOf(path)] = SimFile{bytes, readOnly};
}

std::optional<std::string> SimDesktop::fileContents(const std::string& path) const {
  auto it = files.find(keyOf(path));
  if (it == files.end()) return std::nullopt;
  return it->second.bytes;
}

bool SimDesktop::hasFile(const std::string& path) const { return files.count(keyOf(path)) > 0; }

std::optional<std::uint32_t> SimDesktop::fileAttributes(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::string key = keyOf(path);
  if (directories.count(key)) return fileattr::Directory;
  auto it = files.find(key);
  if (it == files.end()) return std::nullopt;
  return 0x20u | (it->second.readOnly ? fileattr::ReadOnly : 0u);
}

std::unique_ptr<FileWriter> SimDesktop::createFile(const std::string& path) {
  const std::string key = keyOf(path);
  if (!directories.count(parentOfPath(key)))
    throw AppError("\"" + path + "\" を作成できません。指定されたパスが見つかりません。");
  auto existing = files.find(key);
  if (directories.count(key) || (existing != files.end() && existing->second.readOnly))
    throw AppError("\"" + path + "\" を作成できません。アクセスが拒否されました。");
  SimFile& file = files[key];
  file.bytes.clear();
  return std::make_unique<SimFileWriter>(file);
}

std::optional<std::string> SimDesktop::queryVersionString(const std::string& path,
                                                          const std::string& subBlock) {
  auto block = versionStrings.find(keyOf(path));
  if (block == versionStrings.end()) return std::nullopt;
  auto value = block->second.find(subBlock);
  if (value == block->second.end()) return std::nullopt;
  return value->second;
}

std::string SimDesktop::readProfileString(const std::string& section, const std::string& key,
                                          const std::string& defaultValue,
                                          const std::string& path) {
  auto contents = fileContents(path);
  if (!contents) return defaultValue;
  auto value = ProfileText(*contents).value(section, key);
  if (!value) return defaultValue;
  return value->substr(0, 2047);
}

bool SimDesktop::writeProfileString(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& path) {
  const std::string fileKey = keyOf(path);
  if (!directories.count(parentOfPath(fileKey))) return false;
  auto it = files.find(fileKey);
  if (it != files.end() && it->second.readOnly) return false;
  if (profileWritesAllowed) {
    if (*profileWritesAllowed == 0) return false;
    --*profileWritesAllowed;
  }
  ProfileText profile(it == files.end() ? "" : it->second.bytes);
  profile.set(section, key, value);
  files[fileKey].bytes = profile.text();
  return true;
}

}  // namespace vireloc::sim
