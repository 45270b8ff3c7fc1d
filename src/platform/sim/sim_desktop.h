// The simulated desktop: a deterministic, inspectable stand-in for Windows used by the unit
// tests. It keeps real state (windows, tray icons, hotkeys, clipboard, files) and lets a test
// inject events, also inside modal moments, and failures.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_http_server.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_windowing.h"
#include "platform/sim/sim_world.h"

namespace vireloc::sim {




struct KeyEvent {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
  std::uint32_t flags;
  std::uintptr_t extraInfo;
  bool operator==(const KeyEvent&) const = default;
};

struct Hotkey {
  std::uint32_t modifiers;
  std::uint32_t virtualKey;
};

struct SimFile {
  std::string bytes;
  bool readOnly = false;
  std::string path;  // as created: the file system keeps the case it was given
};

// A form as the program made it, without pixels: controls by name, with their state.
struct SimControl {
  ControlSpec layout;  // as created
  std::string text;
  bool enabled = true;
  bool checked = false;
  std::string tooltip;
  std::vector<std::string> rows;
  std::set<int> selectedRows;
  struct TreeNode {
    TreeItemId parent = 0;
    TreeItem item;
    bool expanded = false;
  };
  std::map<TreeItemId, TreeNode> treeItems;  // in the order they were added
  TreeItemId selectedItem = 0;
};

struct SimForm {
  FormSpec layout;  // as created; the menu bar's items keep their current states
  FormEvents* events = nullptr;
  std::vector<SimControl> controls;
  std::string focusedControl;
  SimControl& control(const std::string& name);  // throws std::out_of_range
  // The menu bar's item with this caption, or nullptr.
  MenuEntry* menuItem(const std::string& caption);
};

// What a test sees of the clipboard. Formats count as under Windows: a text is four (its
// Unicode, ANSI and OEM forms and its locale), a bitmap three (itself, DIB and DIBV5).
struct SimClipboardContent {
  std::optional<std::string> text;
  std::optional<PixelBuffer> bitmap;
  int otherFormats = 0;  // formats the program does not read
  // Registered formats by name, with the DWORD some of them hold.
  std::map<std::string, std::optional<std::uint32_t>> namedFormats;
};

// A folder of the simulated shell namespace.
struct SimShellItem {
  std::string name;
  std::string path;   // empty: a virtual folder
  int icon = 0;
  bool slow = false;  // its listing answers only when the test says so
};

struct ShownContextMenu {
  ShellItemId item;
  WindowHandle owner;
  Point at;
};


class SimDesktop final : public SimWorld, public SimWindowing, public SimMessageBoxes,
                         public SimPopupMenus, public SimNotificationArea, public SimIcons,
                         public KeyboardMouse, public Clipboard, public Screen,
                         public ProfileFiles, public Files, public Shell, public Forms,
                         public ShellNamespace, public FileDigests {
 public:
  SimDesktop();
  Platform platform();

  // ---- Keyboard and mouse
  std::int16_t keyState(std::uint8_t virtualKey) override;
  std::optional<Point> cursorPos() override { return cursor; }
  void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
  bool registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool unregisterHotKey(WindowHandle window, int id) override;

  // ---- Clipboard
  std::optional<WindowHandle> setClipboardViewer(WindowHandle window) override;
  bool changeClipboardChain(WindowHandle remove, WindowHandle next) override;
  int countClipboardFormats() override;
  std::uint32_t clipboardSequenceNumber() override { return clipboardSequence; }
  bool openClipboard(WindowHandle owner) override;
  bool emptyClipboard() override;
  void closeClipboard() override;
  std::optional<std::string> clipboardText() override;
  bool clipboardAsksNotToBeRecorded() override;
  bool setClipboardText(const std::string& text) override;
  std::optional<PixelBuffer> clipboardBitmap() override;
  std::unique_ptr<ClipboardImage> makeClipboardImage(const PixelBuffer& image) override;
  bool setClipboardImage(std::unique_ptr<ClipboardImage> image) override;

  // ---- Screen
  int primaryScreenWidth() override { return screenImage.width; }
  int primaryScreenHeight() override { return screenImage.height; }
  Rect workArea() override { return workAreaRect; }
  PixelBuffer copyScreen(const Rect& area, std::optional<Point> cursorAt,
                         std::uintptr_t cursorHandle) override;
  std::optional<CursorState> cursorState() override;
  std::optional<Point> cursorHotspot(std::uintptr_t cursorHandle) override;

  // ---- Profile files and files
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string& path) override;
  bool writeProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& path) override;
  void flushProfile(const std::string& path) override {}
  std::string modulePath() override { return executablePath; }
  std::optional<std::string> queryVersionString(const std::string& path,
                                                const std::string& subBlock) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
  std::unique_ptr<FileWriter> createNewFile(const std::string& path) override;
  std::unique_ptr<FileWriter> createFileAnew(const std::string& path) override;
  Md5Digest fileMd5(const std::string& path) override;
  void moveFile(const std::string& from, const std::string& to) override;
  bool deleteFile(const std::string& path) override;
  LocalTime localTime() override { return clock; }

  // ---- Shell
  std::optional<std::uint32_t> startProcess(const std::string& commandLine,
                                            const StartupRecord& startup,
                                            std::uint32_t creationFlags) override;
  void deleteWithShell(WindowHandle owner, const std::string& path) override;

  // ---- Forms
  WindowHandle createForm(const FormSpec& layout, FormEvents& events) override;
  void destroyForm(WindowHandle form) override;
  void showForm(WindowHandle form) override;
  void hideForm(WindowHandle form) override;
  Rect formRect(WindowHandle form) override;
  void moveForm(WindowHandle form, Point topLeft) override;
  void setCaption(WindowHandle form, const std::string& caption) override;
  void setControlText(WindowHandle form, const std::string& control,
                      const std::string& text) override;
  std::string controlText(WindowHandle form, const std::string& control) override;
  void setControlEnabled(WindowHandle form, const std::string& control, bool enabled) override;
  void setControlChecked(WindowHandle form, const std::string& control, bool checked) override;
  bool controlChecked(WindowHandle form, const std::string& control) override;
  void setControlTooltip(WindowHandle form, const std::string& control,
                         const std::string& text) override;
  void setRows(WindowHandle form, const std::string& control,
               const std::vector<std::string>& rows) override;
  std::vector<int> selectedRows(WindowHandle form, const std::string& control) override;
  void setMenuItemEnabled(WindowHandle form, std::uint32_t id, bool enabled) override;
  void setMenuItemChecked(WindowHandle form, std::uint32_t id, bool checked) override;
  void focusControl(WindowHandle form, const std::string& control) override;
  TreeItemId addTreeItem(WindowHandle form, const std::string& control, TreeItemId parent,
                         const TreeItem& item) override;
  void setTreeItemHasChildren(WindowHandle form, const std::string& control, TreeItemId item,
                              bool hasChildren) override;
  void expandTreeItem(WindowHandle form, const std::string& control, TreeItemId item) override;
  void selectTreeItem(WindowHandle form, const std::string& control, TreeItemId item) override;
  TreeItemId selectedTreeItem(WindowHandle form, const std::string& control) override;

  // ---- Shell namespace
  ShellFolder desktop() override;
  ImageListHandle smallIcons() override { return kSmallIcons; }
  ShellRequestId listSubfolders(const ShellItemId& parent, ListingDone done) override;
  ShellRequestId lookUpFolder(const std::string& path, LookupDone done) override;
  void cancel(ShellRequestId request) override;
  std::string fileSystemPath(const ShellItemId& item) override { return shellItems.at(item).path; }
  bool sameItem(const ShellItemId& a, const ShellItemId& b) override { return a == b; }
  void showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) override;

  // ==== Test side: state
  std::map<std::uint8_t, bool> keysDown;
  std::optional<Point> cursor = Point{};
  std::vector<KeyEvent> keyEvents;
  std::map<int, Hotkey> hotkeys;          // ids registered by the program
  std::set<int> hotkeysTakenElsewhere;    // ids another program holds
  std::vector<std::string> hotkeyLog;     // "register 101", "unregister 101", ...
  SimClipboardContent clipboard;
  bool clipboardHeldByOther = false;
  bool clipboardViewerFails = false;  // SetClipboardViewer refuses with an error
  bool clipboardImageFails = false;  // no graphics memory for the clipboard's copy
  bool clipboardOpen = false;
  WindowHandle clipboardViewer = 0;       // first viewer of the chain
  std::vector<std::string> clipboardLog;  // "open", "empty", "close", ...
  std::uint32_t clipboardSequence = 1;
  PixelBuffer screenImage;                // the primary screen, 32 bits per pixel
  Rect workAreaRect;
  std::uintptr_t cursorHandle = 0x7F00;
  Point cursorHotspotPoint{1, 1};
  std::string executablePath = "C:\\Program Files\\Vireloc\\vireloc.exe";
  std::map<std::string, std::map<std::string, std::string>> versionStrings;  // path -> block
  std::map<std::string, SimFile> files;   // keyed by lower-case path
  // Bytes the disk still takes; a write past them stores what fits and fails (disk full).
  std::optional<std::size_t> diskSpace;
  std::set<std::string> directories;      // lower-case, no trailing "\"
  LocalTime clock{2011, 3, 15, 14, 23, 5, 123};
  // When set, profile writes succeed this many more times and are then refused.
  std::optional<int> profileWritesAllowed;
  struct StartedProcess {
    std::string commandLine;
    StartupRecord startup;
    std::uint32_t creationFlags;
  };
  std::vector<StartedProcess> startedProcesses;
  std::optional<std::uint32_t> processStartError;  // every start fails with this code
  std::vector<std::string> shellDeletions;  // paths given to the shell's delete, in order
  // The update server and the client reaching it; events of duringModal run inside transfers.
  SimHttpServer http{[this] { runModalScript(); }, [this] { return quitPending(); }};
  std::map<WindowHandle, SimForm> forms;
  // A form's frame: fixed border on each side, caption and one-line menu bar above the client.
  static constexpr int kFormBorder = 3;
  static constexpr int kCaptionHeight = 19;
  static constexpr int kMenuBarHeight = 19;

  // The shell namespace: "" is the desktop, a child's id is its parent's id + "/" + its name.
  std::map<ShellItemId, SimShellItem> shellItems;
  std::vector<ShellItemId> shellListings;  // folders whose listing was asked for, in order
  std::vector<ShownContextMenu> shownContextMenus;
  static constexpr ImageListHandle kSmallIcons = 0x5150;

  // ==== Test side: events
  // Another program replaces the clipboard's contents; the chain hears of it.
  void otherProgramCopies(SimClipboardContent content);
  // Forms, used as a user would: disabled controls and menu items do nothing.
  void clickControl(WindowHandle form, const std::string& control);
  // A press on a row: the left button selects the row before the control hears of it.
  void pressRow(WindowHandle form, const std::string& control, int row,
                MouseButton button = MouseButton::Left);
  // The first press selects the row, the second one is the double-click.
  void doubleClickRow(WindowHandle form, const std::string& control, int row);
  void chooseMenuItem(WindowHandle form, const std::string& caption);
  void activateForm(WindowHandle form);
  void pressCloseBox(WindowHandle form);
  // Esc in a form, as the dialog keys handle it: its cancel button is pressed.
  void pressEscape(WindowHandle form);
  // Files dragged from the shell and dropped on a form that accepts them.
  void dropFiles(WindowHandle form, const std::vector<std::string>& paths);
  // A TreeView as the user handles it: opening asks the form before the item opens.
  void openTreeItem(WindowHandle form, const std::string& control, TreeItemId item);
  void clickTreeItem(WindowHandle form, const std::string& control, TreeItemId item);
  void rightClickTreeItem(WindowHandle form, const std::string& control, TreeItemId item, Point at);
  // The item reached through these texts from the top level, or 0.
  TreeItemId treeItem(WindowHandle form, const std::string& control,
                      const std::vector<std::string>& texts);
  // The shell namespace
  ShellItemId addShellFolder(const ShellItemId& parent, const std::string& name,
                             const std::string& path, bool slow = false);
  // Slow folders' listings now answer: with their folders, or as timed out.
  void answerSlowListings(ShellAnswer answer = ShellAnswer::Done);
  // Files
  void addDirectory(const std::string& path);
  void removeDirectory(const std::string& path);
  void putFile(const std::string& path, const std::string& bytes, bool readOnly = false);
  std::optional<std::string> fileContents(const std::string& path) const;
  bool hasFile(const std::string& path) const;
  // Names (with the case they were created with) of the files directly in folder, sorted.
  std::vector<std::string> fileNamesIn(const std::string& folder) const;
  static std::string keyOf(const std::string& path);

 private:
  void deliver(WindowHandle form, const FormEvent& event);
  std::vector<ShellFolder> subfoldersOf(const ShellItemId& parent) const;
  ShellRequestId answerLater(std::function<void()> answer);

  bool clipboardChangedWhileOpen_ = false;
  TreeItemId nextTreeItem_ = 0x30010;
  ShellRequestId nextShellRequest_ = 1;
  std::set<ShellRequestId> liveShellRequests_;
  struct SlowListing {
    ShellItemId parent;
    ListingDone done;
  };
  std::map<ShellRequestId, SlowListing> slowListings_;
};

}  // namespace vireloc::sim
