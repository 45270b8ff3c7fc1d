// Top-level windows with child controls at pixel positions, a menu bar and tooltips. A form
// is described once as plain data; its controls are then read, changed and heard by name.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_drop.h"
#include "platform/menus.h"
#include "platform/types.h"

namespace vireloc {

namespace charset {
constexpr std::uint8_t Default = 1;
constexpr std::uint8_t ShiftJis = 128;
}  // namespace charset

struct FontSpec {
  std::string face;
  int height = 12;  // character height in pixels
  std::uint8_t charset = charset::Default;
};

enum class ControlKind {
  Button, CheckBox, RadioButton, GroupBox, Static, Edit, RowList, TreeView,
  Icon,  // a picture of the program's own icon, at the size of `bounds`
};

// An item of a TreeView; 0 is none (or, as a parent, the top level).
using TreeItemId = std::uintptr_t;

struct TreeItem {
  std::string text;
  int image = 0;  // index into the control's image list
  bool hasChildren = false;  // shows an expand button before any child is added
};

// `bounds` lies in the client area of the parent control, or of the form when `parent` is
// empty (a group box is a frame drawn around its controls, not a window holding them).
struct ControlSpec {
  std::string name;
  ControlKind kind = ControlKind::Static;
  Rect bounds;
  std::string text;
  std::string parent;
  bool tabStop = false;
  bool enabled = true;
  bool groupStart = false;    // first radio button of a group
  bool defaultButton = false; // Enter presses it
  bool cancelButton = false;  // Esc presses it
  bool readOnly = false;      // Edit
  bool sunkenBorder = false;
  bool autoSize = false;      // Static: `bounds` fits the designed font; the text decides
  // RowList: one text cell per row, `rowHeight` pixels high with a `gridLine`-pixel line
  // below; a range of rows can be selected.
  int rowHeight = 0;
  int gridLine = 0;
  std::vector<std::string> rows;
  int selectedRow = -1;
  // TreeView: expand buttons and lines, scroll bars always shown; icons from this list.
  std::uintptr_t imageList = 0;
};

// A control of that kind at its place: what every design starts from.
inline ControlSpec controlAt(std::string name, ControlKind kind, Rect bounds, std::string text = {}) {
  ControlSpec control;
  control.name = std::move(name);
  control.kind = kind;
  control.bounds = bounds;
  control.text = std::move(text);
  return control;
}

enum class FormBorder { Single, Dialog };

struct FormSpec {
  std::string className;
  std::string caption;
  Point position;  // outer top-left corner in screen coordinates
  int clientWidth = 0;
  int clientHeight = 0;
  FormBorder border = FormBorder::Single;
  bool minimizeBox = false;
  bool systemMenu = true;  // false: a caption without any button
  WindowHandle owner = 0;  // an owned window has no taskbar button unless appWindow
  bool appWindow = false;  // a taskbar button of its own (WS_EX_APPWINDOW)
  bool acceptFiles = false;  // files dropped on the window or its controls: FilesDropped
  FontSpec font;
  std::vector<MenuEntry> menuBar;  // ids above 0 and unique; empty for none
  std::vector<ControlSpec> controls;
};

enum class FormEventKind {
  Click,
  DoubleClick,
  MouseDown,
  MenuCommand,
  Activate,
  CloseRequest,
  ItemExpanding,  // the user opens a TreeView item; it opens once it has children
  ContextMenu,    // right click on a TreeView item
  ItemSelected,   // the user (mouse or keyboard, not the program) selects a TreeView item
  FilesDropped,   // files dropped from the shell, released by the time the form hears of it
};

struct FormEvent {
  FormEventKind kind;
  std::string control;          // Click, DoubleClick, MouseDown
  MouseButton button = MouseButton::Left;  // MouseDown
  std::uint32_t menuId = 0;     // MenuCommand
  TreeItemId item = 0;          // ItemExpanding, ContextMenu, ItemSelected
  Point at{};                   // ContextMenu, in screen coordinates
  DroppedFiles dropped{};       // FilesDropped
};

// Receives what the user does with a form. A handler may destroy the form it is told about.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void onFormEvent(WindowHandle form, const FormEvent& event) = 0;
};

class Forms {
 public:
  virtual ~Forms() = default;
  // The window, not yet shown; throws SystemError when it cannot be made.
  virtual WindowHandle createForm(const FormSpec& layout, FormEvents& events) = 0;
  // No event reaches the handler any more, not even during the destruction.
  virtual void destroyForm(WindowHandle form) = 0;
  // Shows and activates.
  virtual void showForm(WindowHandle form) = 0;
  virtual void hideForm(WindowHandle form) = 0;
  // Outer rectangle in screen coordinates.
  virtual Rect formRect(WindowHandle form) = 0;
  // The outer rectangle the form has when not minimised: while it is minimised, the place
  // restoring it goes back to (GetWindowPlacement's rcNormalPosition), in screen coordinates.
  virtual Rect restoredFormRect(WindowHandle form) = 0;
  virtual void moveForm(WindowHandle form, Point topLeft) = 0;
  virtual void setCaption(WindowHandle form, const std::string& caption) = 0;

  virtual void setControlText(WindowHandle form, const std::string& control,
                              const std::string& text) = 0;
  virtual std::string controlText(WindowHandle form, const std::string& control) = 0;
  virtual void setControlEnabled(WindowHandle form, const std::string& control, bool enabled) = 0;
  virtual void setControlChecked(WindowHandle form, const std::string& control, bool checked) = 0;
  virtual bool controlChecked(WindowHandle form, const std::string& control) = 0;
  // Empty text: no tooltip.
  virtual void setControlTooltip(WindowHandle form, const std::string& control,
                                 const std::string& text) = 0;
  // RowList: new texts for the rows, drawn at once; rows keep their selection.
  virtual void setRows(WindowHandle form, const std::string& control,
                       const std::vector<std::string>& rows) = 0;
  // RowList: the selected rows in ascending order.
  virtual std::vector<int> selectedRows(WindowHandle form, const std::string& control) = 0;

  // Keyboard focus, without activating the form.
  virtual void focusControl(WindowHandle form, const std::string& control) = 0;

  // TreeView: a new last child of parent (0: at the top level).
  virtual TreeItemId addTreeItem(WindowHandle form, const std::string& control, TreeItemId parent,
                                 const TreeItem& item) = 0;
  virtual void setTreeItemHasChildren(WindowHandle form, const std::string& control,
                                      TreeItemId item, bool hasChildren) = 0;
  // Opens an item that has children; no ItemExpanding event.
  virtual void expandTreeItem(WindowHandle form, const std::string& control, TreeItemId item) = 0;
  // Selects and scrolls into view, without taking the focus.
  virtual void selectTreeItem(WindowHandle form, const std::string& control, TreeItemId item) = 0;
  // 0 when none is selected.
  virtual TreeItemId selectedTreeItem(WindowHandle form, const std::string& control) = 0;

  virtual void setMenuItemEnabled(WindowHandle form, std::uint32_t id, bool enabled) = 0;
  virtual void setMenuItemChecked(WindowHandle form, std::uint32_t id, bool checked) = 0;
};

}  // namespace vireloc
