#pragma once
#include <cstdint>
#include <string>

namespace vireloc {

// Every value of the settings file, named after its key. Empty until iniRead has run: the
// clipboard notification that arrives while joining the viewer chain sees them so.
struct Settings {
  // [Settings]
  std::string DefaultClick;
  std::string DnD;  // key "D&D"
  std::string ClipAddr;
  std::string ClipCpCursor;
  std::string SaveFormat;
  std::string SaveClip;
  std::string ClipEnable;
  std::string ImageClipSave;
  std::string ImageAppDraw;
  // [SettingWindow], [DragWindow]
  std::int32_t SettingWindowTop = 0;
  std::int32_t SettingWindowLeft = 0;
  std::int32_t DragWindowTop = 0;
  std::int32_t DragWindowLeft = 0;
  // [Language]
  std::string Lang;
  // [VRLClipboard]
  bool AutoPopup = false;
  std::uint32_t VRLClipboardTop = 0;
  std::uint32_t VRLClipboardLeft = 0;
  std::uint32_t VRLClipboardHeight = 0;
  std::uint32_t VRLClipboardWidth = 0;
};

}  // namespace vireloc
