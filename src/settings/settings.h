#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vireloc {

// What a left press on the tray icon does (DefaultClick).
enum class LeftClickAction { MinimizeApps, MinimizeOrRestoreApps, MinimizeOrRestoreWindows };
// The capture files' format (SaveFormat).
enum class ImageFormat { Bmp, Jpeg, Png };
// Whether the drop window also copies a dropped path (D&D).
enum class DropPathCopy { ByHand, Automatic };

// Every value of the settings file, named after its key and held as the file's text, so that
// what is written back is what was read. Empty until iniRead has run: the clipboard
// notification that arrives while joining the viewer chain sees them so. The choices' meaning
// is read through the queries below; an unrecognised text means none of the choices.
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

  // The PrintScreen hotkeys are wanted.
  bool autoSaveOn() const { return ClipEnable == "0"; }
  // Clipboard images are saved as files.
  bool imageMonitorOn() const { return ImageClipSave == "0"; }
  // The image monitor captures the screen itself instead of saving the clipboard's image.
  bool monitorCapturesScreen() const { return ImageAppDraw == "1"; }
  bool drawsCursor() const { return ClipCpCursor == "1"; }
  // A capture also goes to the clipboard.
  bool copiesCaptureToClipboard() const { return SaveClip == "1"; }
  // The choice SaveFormat holds taken as a whole number.
  std::optional<ImageFormat> saveFormat() const;
  // The exact texts only.
  std::optional<LeftClickAction> leftClickAction() const;
  void setLeftClickAction(LeftClickAction action);
  std::optional<DropPathCopy> dropPathCopy() const;
  void setDropPathCopy(DropPathCopy copy);
};

}  // namespace vireloc
