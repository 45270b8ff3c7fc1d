// Any values in the settings file: read, corrected at start-up and written back. After the
// corrections every choice is one the program knows and the capture folder exists; what is
// written reads back unchanged; a second round corrects nothing.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "app/settings_store.h"
#include "fuzz_check.h"
#include "platform/sim/sim_background_work.h"
#include "platform/sim/sim_files.h"

using namespace vireloc;
using namespace vireloc::fuzz;

namespace {

const std::string kAppDir = "C:\\Program Files\\Vireloc";
const std::string kIniPath = kAppDir + "\\vireloc.ini";

// The file's keys in the order the input gives their values, one line each.
const std::pair<const char*, const char*> kKeys[] = {
    {"Settings", "DefaultClick"}, {"Settings", "D&D"},          {"Settings", "ClipAddr"},
    {"Settings", "ClipCpCursor"}, {"Settings", "SaveFormat"},    {"Settings", "SaveClip"},
    {"Settings", "ClipEnable"},   {"Settings", "ImageClipSave"}, {"Settings", "ImageAppDraw"},
    {"SettingWindow", "Top"},     {"SettingWindow", "Left"},     {"DragWindow", "Top"},
    {"DragWindow", "Left"},       {"Language", "Lang"},          {"VRLClipboard", "AutoPopup"},
    {"VRLClipboard", "Top"},      {"VRLClipboard", "Left"},      {"VRLClipboard", "Height"},
    {"VRLClipboard", "Width"},
};

// A settings file that keeps each value as written, as the profile functions do.
class ValueFile final : public ProfileFiles {
 public:
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string&) override {
    const auto found = values.find({section, key});
    return found == values.end() ? defaultValue : found->second;
  }
  bool writeProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string&) override {
    values[{section, key}] = value;
    return true;
  }
  void flushProfile(const std::string&) override {}

  std::map<std::pair<std::string, std::string>, std::string> values;
};

bool oneOf(const std::string& value, std::initializer_list<const char*> accepted) {
  for (const char* text : accepted)
    if (value == text) return true;
  return false;
}

bool same(const Settings& a, const Settings& b) {
  return a.DefaultClick == b.DefaultClick && a.DnD == b.DnD && a.ClipAddr == b.ClipAddr &&
         a.ClipCpCursor == b.ClipCpCursor && a.SaveFormat == b.SaveFormat &&
         a.SaveClip == b.SaveClip && a.ClipEnable == b.ClipEnable &&
         a.ImageClipSave == b.ImageClipSave && a.ImageAppDraw == b.ImageAppDraw &&
         a.SettingWindowTop == b.SettingWindowTop && a.SettingWindowLeft == b.SettingWindowLeft &&
         a.DragWindowTop == b.DragWindowTop && a.DragWindowLeft == b.DragWindowLeft &&
         a.Lang == b.Lang && a.AutoPopup == b.AutoPopup && a.VRLClipboardTop == b.VRLClipboardTop &&
         a.VRLClipboardLeft == b.VRLClipboardLeft && a.VRLClipboardHeight == b.VRLClipboardHeight &&
         a.VRLClipboardWidth == b.VRLClipboardWidth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static sim::SimFiles* files = [] {
    auto* made = new sim::SimFiles;
    made->addDirectory("C:\\Captures");
    return made;
  }();
  ValueFile file;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  for (const auto& [section, key] : kKeys) {
    if (at > input.size()) break;  // the keys after the input's end are absent
    const auto end = std::min(input.find('\n', at), input.size());
    file.values[{section, key}] = input.substr(at, end - at);
    at = end + 1;
  }

  SettingsStore store(file, *files);
  Settings settings;
  store.read(settings, kAppDir, kIniPath);
  int saves = 0;
  auto save = [&] {
    ++saves;
    store.write(settings, kAppDir, kIniPath);
  };
  sim::SimBackgroundWork background;  // runs each job at once
  correctMissingSaveFolder(settings, *files, background, kAppDir, save);
  normaliseStartupSettings(settings, save);

  check(isDirectory(*files, settings.ClipAddr), "the capture folder does not exist");
  check(oneOf(settings.ClipCpCursor, {"0", "1"}) && oneOf(settings.SaveClip, {"0", "1"}) &&
            oneOf(settings.ClipEnable, {"0", "1"}) && oneOf(settings.ImageClipSave, {"0", "1"}) &&
            oneOf(settings.ImageAppDraw, {"0", "1"}),
        "a switch holds an unknown value");
  check(settings.saveFormat().has_value(), "the save format is none of the three");

  store.write(settings, kAppDir, kIniPath);
  Settings again;
  store.read(again, kAppDir, kIniPath);
  check(same(settings, again), "the written settings read back otherwise");
  const int savesBefore = saves;
  correctMissingSaveFolder(again, *files, background, kAppDir, save);
  normaliseStartupSettings(again, save);
  check(saves == savesBefore && same(settings, again), "corrected settings were corrected again");
  (void)again.leftClickAction();
  (void)again.dropPathCopy();
  return 0;
}
