#include "app/settings_store.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "common/app_error.h"

namespace vireloc {

namespace {

struct ProfileEntry {
  const char* section;
  const char* key;
  std::string value;
};

// The one order in which the file is written.
std::vector<ProfileEntry> entriesOf(const Settings& s) {
  auto number = [](std::int32_t value) { return std::to_string(value); };
  auto pattern = [](std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); };
  return {
      {"Settings", "DefaultClick", s.DefaultClick},
      {"Settings", "D&D", s.DnD},
      {"Settings", "ClipAddr", s.ClipAddr},
      {"Settings", "ClipCpCursor", s.ClipCpCursor},
      {"Settings", "SaveFormat", s.SaveFormat},
      {"Settings", "SaveClip", s.SaveClip},
      {"Settings", "ClipEnable", s.ClipEnable},
      {"Settings", "ImageClipSave", s.ImageClipSave},
      {"Settings", "ImageAppDraw", s.ImageAppDraw},
      {"SettingWindow", "Top", number(s.SettingWindowTop)},
      {"SettingWindow", "Left", number(s.SettingWindowLeft)},
      {"DragWindow", "Top", number(s.DragWindowTop)},
      {"DragWindow", "Left", number(s.DragWindowLeft)},
      {"Language", "Lang", s.Lang},
      {"VRLClipboard", "AutoPopup", s.AutoPopup ? "1" : "0"},
      {"VRLClipboard", "Top", pattern(s.VRLClipboardTop)},
      {"VRLClipboard", "Left", pattern(s.VRLClipboardLeft)},
      {"VRLClipboard", "Height", pattern(s.VRLClipboardHeight)},
      {"VRLClipboard", "Width", pattern(s.VRLClipboardWidth)},
  };
}

// The settings file's values, but for the keys given: those answer with the value given.
class ProfileWithChanges final : public ProfileFiles {
 public:
  ProfileWithChanges(ProfileFiles& file, std::map<std::pair<std::string, std::string>, std::string> changes)
      : file_(file), changes_(std::move(changes)) {}
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string& path) override {
    const auto changed = changes_.find({section, key});
    if (changed != changes_.end()) return changed->second;
    return file_.readProfileString(section, key, defaultValue, path);
  }
  bool writeProfileString(const std::string&, const std::string&, const std::string&,
                          const std::string&) override {
    return false;
  }
  void flushProfile(const std::string&) override {}

 private:
  ProfileFiles& file_;
  std::map<std::pair<std::string, std::string>, std::string> changes_;
};

}  // namespace

std::string SettingsStore::readText(const char* section, const char* key,
                                    const std::string& defaultValue, const std::string& iniPath) {
  return profiles_.readProfileString(section, key, defaultValue, iniPath);
}

std::int32_t SettingsStore::readInteger(const char* section, const char* key,
                                        std::int32_t defaultValue, const std::string& iniPath) {
  return parseProfileInteger(readText(section, key, "", iniPath)).value_or(defaultValue);
}

void SettingsStore::read(Settings& s, const std::string& appDir, const std::string& iniPath) {
  if (!isDirectory(files_, appDir)) return;
  const bool unreadable = files_.fileAttributes(iniPath) && !files_.canReadFile(iniPath);
  s.DefaultClick = readText("Settings", "DefaultClick", "Dovrant", iniPath);
  s.DnD = readText("Settings", "D&D", "0", iniPath);
  s.ClipAddr = readText("Settings", "ClipAddr", appDir, iniPath);
  s.ClipCpCursor = readText("Settings", "ClipCpCursor", "0", iniPath);
  s.SaveFormat = readText("Settings", "SaveFormat", "0", iniPath);
  s.SaveClip = readText("Settings", "SaveClip", "0", iniPath);
  s.ClipEnable = readText("Settings", "ClipEnable", "0", iniPath);
  s.ImageClipSave = readText("Settings", "ImageClipSave", "1", iniPath);
  s.ImageAppDraw = readText("Settings", "ImageAppDraw", "0", iniPath);
  s.SettingWindowTop = readInteger("SettingWindow", "Top", 105, iniPath);
  s.SettingWindowLeft = readInteger("SettingWindow", "Left", 192, iniPath);
  s.DragWindowTop = readInteger("DragWindow", "Top", 115, iniPath);
  s.DragWindowLeft = readInteger("DragWindow", "Left", 215, iniPath);
  s.Lang = readText("Language", "Lang", "jp.lang", iniPath);
  s.AutoPopup = readText("VRLClipboard", "AutoPopup", "0", iniPath) == "1";
  // Negative positions become large unsigned values, which the history window treats as
  // off-screen and moves back.
  s.VRLClipboardTop = static_cast<std::uint32_t>(readInteger("VRLClipboard", "Top", 0, iniPath));
  s.VRLClipboardLeft = static_cast<std::uint32_t>(readInteger("VRLClipboard", "Left", 0, iniPath));
  s.VRLClipboardHeight = static_cast<std::uint32_t>(readInteger("VRLClipboard", "Height", 0, iniPath));
  s.VRLClipboardWidth = static_cast<std::uint32_t>(readInteger("VRLClipboard", "Width", 0, iniPath));
  if (unreadable)
    defaultedAtRead_ = s;
  else
    defaultedAtRead_.reset();
}

bool SettingsStore::catchUpWithUnreadFile(Settings& s, const std::string& appDir,
                                          const std::string& iniPath) {
  if (!defaultedAtRead_) return true;
  if (!files_.canReadFile(iniPath)) {
    if (toldUnread_) return false;
    toldUnread_ = true;
    throw AppError(iniPath + " を起動時に読めなかったため、設定を保存しません。"
                   "ほかのプログラムがこのファイルを開いたままにしていないか確かめてください");
  }
  std::map<std::pair<std::string, std::string>, std::string> changes;
  const std::vector<ProfileEntry> defaulted = entriesOf(*defaultedAtRead_);
  const std::vector<ProfileEntry> now = entriesOf(s);
  for (std::size_t i = 0; i < now.size(); ++i)
    if (now[i].value != defaulted[i].value) changes[{now[i].section, now[i].key}] = now[i].value;
  ProfileWithChanges merged(profiles_, std::move(changes));
  SettingsStore(merged, files_).read(s, appDir, iniPath);
  defaultedAtRead_.reset();
  return true;
}

void SettingsStore::write(Settings& settings, const std::string& appDir,
                          const std::string& iniPath) {
  if (!isDirectory(files_, appDir)) return;
  if (!catchUpWithUnreadFile(settings, appDir, iniPath)) return;
  for (const ProfileEntry& entry : entriesOf(settings)) {
    if (!profiles_.writeProfileString(entry.section, entry.key, entry.value, iniPath))
      throw AppError(iniPath + " に書き込めません");
  }
  profiles_.flushProfile(iniPath);
}

void correctMissingSaveFolder(Settings& s, Files& files, BackgroundWork& background,
                              const std::string& appDir, std::function<void()> save) {
  const std::string folder = s.ClipAddr;
  background.run([&s, &files, folder, appDir, save]() -> BackgroundWork::Continuation {
    if (isDirectory(files, folder)) return nullptr;
    return [&s, folder, appDir, save] {
      // A folder chosen, or corrected by a capture, meanwhile stays.
      if (s.ClipAddr != folder) return;
      s.ClipAddr = appDir;
      save();
    };
  });
}

void normaliseStartupSettings(Settings& s, const std::function<void()>& save) {
  struct Check {
    std::string* value;
    std::vector<std::string> accepted;
    const char* fallback;
  };
  const Check checks[] = {
      {&s.ClipCpCursor, {"0", "1"}, "0"},  {&s.SaveFormat, {"0", "1", "2"}, "0"},
      {&s.SaveClip, {"0", "1"}, "0"},      {&s.ClipEnable, {"0", "1"}, "0"},
      {&s.ImageClipSave, {"0", "1"}, "1"}, {&s.ImageAppDraw, {"0", "1"}, "0"},
  };
  for (const Check& check : checks) {
    if (std::find(check.accepted.begin(), check.accepted.end(), *check.value) != check.accepted.end())
      continue;
    *check.value = check.fallback;
    save();
  }
}

}  // namespace vireloc
