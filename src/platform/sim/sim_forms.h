// Forms of the simulated desktop, kept without pixels, and the user's side of them.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/form_scaling.h"
#include "platform/forms.h"
#include "platform/sim/sim_world.h"

namespace vireloc::sim {

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

class SimForms : public Forms {
 public:
  // A form is a window of the world, and takes the foreground there when activated.
  explicit SimForms(SimWorld& world) : world_(world) {}

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

  // ==== Test side
  std::map<WindowHandle, SimForm> forms;
  // The system has no resources left for a window: createForm fails with ERROR_OUTOFMEMORY.
  bool formCreationFails = false;
  // The screen's DPI: forms are made at it, their designs grown by dpi / 96.
  int dpi = kDesignDpi;
  // A form's frame: fixed border on each side, caption and one-line menu bar above the client.
  static constexpr int kFormBorder = 3;
  static constexpr int kCaptionHeight = 19;
  static constexpr int kMenuBarHeight = 19;
  // Forms, used as a user would: disabled controls and menu items do nothing.
  void clickControl(WindowHandle form, const std::string& control);
  // A press on a row: the left button selects the row before the control hears of it.
  void pressRow(WindowHandle form, const std::string& control, int row,
                MouseButton button = MouseButton::Left);
  // The first press selects the row, the second one is the double-click.
  void doubleClickRow(WindowHandle form, const std::string& control, int row);
  void chooseMenuItem(WindowHandle form, const std::string& caption);
  void activateForm(WindowHandle form);
  // As Windows minimises a window: it moves to the minimised place, its own place kept.
  void minimizeForm(WindowHandle form);
  static constexpr Point kMinimizedPlace{-32000, -32000};
  void pressCloseBox(WindowHandle form);
  // Esc in a form, as the dialog keys handle it: its cancel button is pressed.
  void pressEscape(WindowHandle form);
  // Files dragged from the shell and dropped on a form that accepts them.
  void dropFiles(WindowHandle form, const std::vector<std::string>& paths);
  int dropPathReads = 0;  // paths the program read out of drops
  // A TreeView as the user handles it: opening asks the form before the item opens.
  void openTreeItem(WindowHandle form, const std::string& control, TreeItemId item);
  void clickTreeItem(WindowHandle form, const std::string& control, TreeItemId item);
  void rightClickTreeItem(WindowHandle form, const std::string& control, TreeItemId item, Point at);
  // The item reached through these texts from the top level, or 0.
  TreeItemId treeItem(WindowHandle form, const std::string& control,
                      const std::vector<std::string>& texts);

 private:
  void deliver(WindowHandle form, const FormEvent& event);

  SimWorld& world_;
  TreeItemId nextTreeItem_ = 0x30010;
};

}  // namespace vireloc::sim
