// The desktop services on real Windows: one class per service, each in its own win32_*.cpp.
#pragma once
#include "platform/platform.h"

namespace vireloc {

class Win32Forms;

class Win32Windowing final : public Windowing {
 public:
  WindowHandle createHiddenWindow(const std::string& className, const std::string& title,
                                  MessageHandler& handler) override;
  void destroyWindow(WindowHandle window) override;
  LResult defaultWindowProc(WindowHandle window, std::uint32_t message, WParam wParam,
                            LParam lParam) override;
  std::uint32_t registerWindowMessage(const std::string& name) override;
  WindowHandle findTopLevelWindow(const std::string& title) override;
  WindowHandle ownerOf(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  void openIcon(WindowHandle window) override;
  void setForegroundWindow(WindowHandle window) override;
  void hideWindow(WindowHandle window) override;
  void setWindowText(WindowHandle window, const std::string& text) override;
  bool postMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                   LParam lParam) override;
  LResult sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                      LParam lParam) override;
  std::optional<LResult> sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                            WParam wParam, LParam lParam,
                                            std::uint32_t timeoutMs) override;
  WindowHandle foregroundWindow() override;
  WindowHandle windowFromPoint(Point point) override;
  WindowHandle parentOf(WindowHandle window) override;
  std::optional<Rect> windowRect(WindowHandle window) override;
  std::optional<Rect> visibleFrame(WindowHandle window) override;
  void runMessageLoop() override;
  void quitMessageLoop() override;
  // Handles every message waiting now, as the loop would, without waiting for more; false
  // once the program is quitting (a WM_QUIT met here is put back for the loop).
  bool handlePendingMessages();
  // The forms whose dialog keys the message loop handles.
  void setForms(Win32Forms& forms) { forms_ = &forms; }

 private:
  bool quitRequested_ = false;
  Win32Forms* forms_ = nullptr;
};

class Win32MessageBoxes final : public MessageBoxes {
 public:
  void showMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                      MessageBoxIcon icon) override;
  bool askYesNo(WindowHandle owner, const std::string& text, const std::string& caption) override;
};

class Win32PopupMenus final : public PopupMenus {
 public:
  std::uint32_t trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                               WindowHandle owner) override;
};

class Win32NotificationArea final : public NotificationArea {
 public:
  bool notifyIcon(NotifyAction action, const NotifyIconData& data) override;
  bool showBalloon(WindowHandle window, std::uintptr_t id, const std::string& title,
                   const std::string& text) override;
};

class Win32Icons final : public Icons {
 public:
  IconHandle loadApplicationIcon() override;
  IconHandle copyIcon(IconHandle icon) override;
  void destroyIcon(IconHandle icon) override;
};

class Win32KeyboardMouse final : public KeyboardMouse {
 public:
  std::int16_t keyState(std::uint8_t virtualKey) override;
  std::optional<Point> cursorPos() override;
  void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
  bool registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool unregisterHotKey(WindowHandle window, int id) override;
};

class Win32Clipboard final : public Clipboard {
 public:
  std::optional<WindowHandle> setClipboardViewer(WindowHandle window) override;
  bool changeClipboardChain(WindowHandle remove, WindowHandle next) override;
  bool addClipboardFormatListener(WindowHandle window) override;
  bool removeClipboardFormatListener(WindowHandle window) override;
  int countClipboardFormats() override;
  bool clipboardHoldsText() override;
  std::uint32_t clipboardSequenceNumber() override;
  bool openClipboard(WindowHandle owner) override;
  void sleep(std::uint32_t milliseconds) override;
  bool emptyClipboard() override;
  void closeClipboard() override;
  std::optional<std::string> clipboardText() override;
  bool clipboardAsksNotToBeRecorded() override;
  bool setClipboardText(const std::string& text) override;
  std::optional<PixelBuffer> clipboardBitmap() override;
  std::unique_ptr<ClipboardImage> makeClipboardImage(const PixelBuffer& image) override;
  bool setClipboardImage(std::unique_ptr<ClipboardImage> image) override;
};

class Win32Screen final : public Screen {
 public:
  int primaryScreenWidth() override;
  int primaryScreenHeight() override;
  Rect workArea() override;
  std::optional<MonitorWorkArea> workAreaShowing(const Rect& rect) override;
  PixelBuffer copyScreen(const Rect& area, std::optional<Point> cursorAt,
                         std::uintptr_t cursor) override;
  std::optional<CursorState> cursorState() override;
  std::optional<Point> cursorHotspot(std::uintptr_t cursor) override;
};

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue,
                                const std::string& path) override;
  bool writeProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& path) override;
  void flushProfile(const std::string& path) override;
};

class Win32Files final : public Files {
 public:
  std::string modulePath() override;
  std::optional<std::string> queryVersionString(const std::string& path,
                                                const std::string& subBlock) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
  bool canReadFile(const std::string& path) override;
  std::unique_ptr<FileWriter> createNewFile(const std::string& path) override;
  std::unique_ptr<FileWriter> createFileAnew(const std::string& path) override;
  void moveFile(const std::string& from, const std::string& to) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  bool deleteFile(const std::string& path) override;
  LocalTime localTime() override;
};

class Win32Shell final : public Shell {
 public:
  std::optional<std::uint32_t> startProcess(const std::string& commandLine,
                                            const StartupRecord& startup,
                                            std::uint32_t creationFlags) override;
  void deleteWithShell(WindowHandle owner, const std::string& path) override;
};

class Win32FileDigests final : public FileDigests {
 public:
  Md5Digest fileMd5(const std::string& path) override;
};

}  // namespace vireloc
