// Typed handles of a form's controls. Each is made with the form's design (form_design.h),
// knows its own name there, and carries the slots its events go to.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace vireloc {

// The form a control lives on; the handle is 0 until the window exists.
struct FormWindow {
  Forms& forms;
  const WindowHandle& handle;
};

// A control nothing reads or hears: a frame, a picture, an inert box.
class Control {
 public:
  Control(FormWindow window, std::string name) : window_(window), name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  void setEnabled(bool enabled) { forms().setControlEnabled(form(), name_, enabled); }
  // Keyboard focus, without activating the form.
  void focus() { forms().focusControl(form(), name_); }
  // A Click, DoubleClick, MouseDown, ItemExpanding or ContextMenu the control was named in.
  virtual void handle(const FormEvent&) {}

 protected:
  Forms& forms() const { return window_.forms; }
  WindowHandle form() const { return window_.handle; }

 private:
  FormWindow window_;
  std::string name_;
};

class Label : public Control {
 public:
  using Control::Control;
  void setText(const std::string& text) { forms().setControlText(form(), name(), text); }
};

class Button : public Label {
 public:
  using Label::Label;
  std::function<void()> onClick;
  void handle(const FormEvent& event) override;
};

class Edit : public Label {
 public:
  using Label::Label;
  std::string text() const { return forms().controlText(form(), name()); }
};

// A frame holding one column of option buttons; choice i is the i-th button.
class ChoiceGroup : public Control {
 public:
  ChoiceGroup(FormWindow window, std::string frame, std::vector<std::string> options)
      : Control(window, std::move(frame)), options_(std::move(options)) {}
  const std::vector<std::string>& options() const { return options_; }
  // The selected choice, -1 for none.
  int selected() const;
  // An index outside the group leaves no choice selected.
  void select(int index);
  // The frame and every choice.
  void setEnabledAll(bool enabled);
  // A click on any of its choices.
  std::function<void()> onClick;
  void handle(const FormEvent& event) override;

 private:
  std::vector<std::string> options_;
};

// Rows of one text cell each; a range of rows can be selected.
class RowList : public Control {
 public:
  using Control::Control;
  void setRows(const std::vector<std::string>& rows) { forms().setRows(form(), name(), rows); }
  // The selected rows in ascending order.
  std::vector<int> selectedRows() const { return forms().selectedRows(form(), name()); }
  // Empty text: no tooltip.
  void setTooltip(const std::string& text) { forms().setControlTooltip(form(), name(), text); }
  std::function<void()> onDoubleClick;
  std::function<void(MouseButton)> onMouseDown;
  void handle(const FormEvent& event) override;
};

class TreeView : public Control {
 public:
  using Control::Control;
  TreeItemId addItem(TreeItemId parent, const TreeItem& item) {
    return forms().addTreeItem(form(), name(), parent, item);
  }
  void setHasChildren(TreeItemId item, bool hasChildren) {
    forms().setTreeItemHasChildren(form(), name(), item, hasChildren);
  }
  void expand(TreeItemId item) { forms().expandTreeItem(form(), name(), item); }
  void select(TreeItemId item) { forms().selectTreeItem(form(), name(), item); }
  TreeItemId selected() const { return forms().selectedTreeItem(form(), name()); }
  WindowHandle window() const { return form(); }
  std::function<void(TreeItemId)> onExpanding;
  std::function<void(TreeItemId, Point)> onContextMenu;
  std::function<void(TreeItemId)> onSelected;  // by the user only
  void handle(const FormEvent& event) override;
};

}  // namespace vireloc
