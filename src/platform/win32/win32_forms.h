// Forms on real Windows: a top-level window of its own class with standard controls, a menu
// bar and a tooltip window.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/win32_file_drop.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

// Command ids: menu items are offset so that none is taken for IDOK or IDCANCEL, which the
// dialog keys send; controls come after them.
constexpr UINT kMenuIdBase = 0x100;
constexpr UINT kControlIdBase = 0x1000;

struct Win32Control {
  ControlSpec layout;  // at the form's DPI
  HWND window = nullptr;
  UINT id = 0;
};

struct Win32Form {
  HWND window = nullptr;
  FormEvents* events = nullptr;  // none once the core has destroyed the form
  FormSpec design;  // as the core made it, for 96 DPI: laid out again when the DPI changes
  int dpi = 96;
  FontHandle font;
  std::vector<Win32Control> controls;
  HWND tooltip = nullptr;  // owned by the form's window, destroyed with it
  std::vector<HWND> tooltipTools;
  bool quietTree = false;  // the program itself opens or selects a tree item: no event
  std::unique_ptr<FileDropRegistration> drops;  // revoked before the window goes

  Win32Control* controlById(UINT id);
  Win32Control& control(const std::string& name);  // throws std::out_of_range
};

// Tells the form's handler; the handler may destroy the form, which is not touched afterwards.
void deliverFormEvent(Win32Form& form, const FormEvent& event);

class Win32Forms final : public Forms {
 public:
  WindowHandle createForm(const FormSpec& layout, FormEvents& events) override;
  void destroyForm(WindowHandle form) override;
  void showForm(WindowHandle form) override;
  void hideForm(WindowHandle form) override;
  Rect formRect(WindowHandle form) override;
  Rect restoredFormRect(WindowHandle form) override;
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

  // Called by the message loop for every message: Tab, Enter and Esc in a form move between
  // and press its controls. True when the message has been handled.
  bool handleDialogKeys(MSG& message);

 private:
  Win32Form& form(WindowHandle handle);
  HWND controlWindow(WindowHandle handle, const std::string& name);
  void acceptDrops(Win32Form& form);
  void loadCommonControls();
  static HookHandle filterPostedNotifications();

  bool commonControlsLoaded_ = false;
  std::unique_ptr<OleSession> ole_;  // from the first form that accepts files on
  std::map<HWND, std::unique_ptr<Win32Form>> forms_;
  HookHandle postedNotifications_ = filterPostedNotifications();
};

}  // namespace vireloc
