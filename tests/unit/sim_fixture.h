// Shared helpers for tests that run the program on the simulated desktop.
#pragma once
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"

namespace vireloc::test {

inline const std::string kAppDir = "C:\\Program Files\\Vireloc\\";
inline const std::string kIniPath = "C:\\Program Files\\Vireloc\\vireloc.ini";

// Lines of a profile text, without line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline const std::vector<std::string> kDefaultSettingsLines = {
    "[Settings]",        "DefaultClick=Dovrant", "D&D=0",
    "ClipAddr=" + kAppDir, "ClipCpCursor=0",     "SaveFormat=0",
    "SaveClip=0",        "ClipEnable=0",         "ImageClipSave=1",
    "ImageAppDraw=0",    "[SettingWindow]",      "Top=105",
    "Left=192",          "[DragWindow]",         "Top=115",
    "Left=215",          "[Language]",           "Lang=jp.lang",
    "[VRLClipboard]",    "AutoPopup=0",          "Top=0",
    "Left=0",            "Height=0",             "Width=0",
};

}  // namespace vireloc::test
