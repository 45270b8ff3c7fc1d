#include "platform/sim/sim_forms.h"

#include <stdexcept>

#include "common/app_error.h"

namespace vireloc::sim {

namespace {

MenuEntry* findMenuItem(std::vector<MenuEntry>& items,
                        const std::function<bool(const MenuEntry&)>& match) {
  for (MenuEntry& item : items) {
    if (match(item)) return &item;
    if (MenuEntry* found = findMenuItem(item.submenu, match)) return found;
  }
  return nullptr;
}

Rect outerRect(const FormSpec& layout) {
  const int top = SimForms::kCaptionHeight + (layout.menuBar.empty() ? 0 : SimForms::kMenuBarHeight);
  const int width = layout.clientWidth + 2 * SimForms::kFormBorder;
  const int height = layout.clientHeight + top + 2 * SimForms::kFormBorder;
  return {layout.position.x, layout.position.y, layout.position.x + width, layout.position.y + height};
}

// As an auto option button does: the others of its group, the run of controls that starts at
// a group's first one, are unchecked.
void checkOptionButton(std::vector<SimControl>& controls, SimControl& chosen) {
  const auto at = static_cast<std::size_t>(&chosen - controls.data());
  std::size_t first = at;
  while (first > 0 && !controls[first].layout.groupStart) --first;
  for (std::size_t i = first; i < controls.size(); ++i) {
    if (i > first && controls[i].layout.groupStart) break;
    if (controls[i].layout.kind == ControlKind::RadioButton) controls[i].checked = i == at;
  }
}

// A drop block that counts the paths read out of it, as DragQueryFile would scan for them.
class SimDroppedFileList final : public DroppedFileList {
 public:
  SimDroppedFileList(const std::vector<std::string>& paths, int& reads) : paths_(paths), reads_(reads) {}
  std::uint32_t fileCount() override { return static_cast<std::uint32_t>(paths_.size()); }
  std::string filePath(std::uint32_t index) override {
    ++reads_;
    return paths_.at(index);
  }

 private:
  const std::vector<std::string>& paths_;
  int& reads_;
};

}  // namespace

SimControl& SimForm::control(const std::string& name) {
  for (SimControl& control : controls)
    if (control.layout.name == name) return control;
  throw std::out_of_range("no control " + name);
}

MenuEntry* SimForm::menuItem(const std::string& caption) {
  return findMenuItem(layout.menuBar, [&](const MenuEntry& item) { return item.caption == caption; });
}

WindowHandle SimForms::createForm(const FormSpec& design, FormEvents& events) {
  if (formCreationFails) throw SystemError(14, "メモリが不足しています。");
  const FormSpec layout = designAtDpi(design, dpi);
  const WindowHandle handle = world_.addWindow(
      SimWindow{.className = layout.className, .title = layout.caption, .owner = layout.owner,
                .rect = outerRect(layout)});
  SimForm& form = forms[handle];
  form.layout = layout;
  form.events = &events;
  for (const ControlSpec& control : layout.controls) {
    SimControl state;
    state.layout = control;
    state.text = control.text;
    state.enabled = control.enabled;
    state.rows = control.rows;
    if (control.selectedRow >= 0) state.selectedRows.insert(control.selectedRow);
    form.controls.push_back(std::move(state));
  }
  return handle;
}

void SimForms::destroyForm(WindowHandle form) {
  forms.erase(form);
  world_.windows.erase(form);
  if (world_.foreground == form) world_.foreground = 0;
}

void SimForms::showForm(WindowHandle form) {
  world_.windows.at(form).visible = true;
  activateForm(form);
}

void SimForms::hideForm(WindowHandle form) { world_.windows.at(form).visible = false; }

Rect SimForms::formRect(WindowHandle form) { return *world_.windows.at(form).rect; }

Rect SimForms::restoredFormRect(WindowHandle form) {
  const SimWindow& window = world_.windows.at(form);
  return window.iconic && window.restoredRect ? *window.restoredRect : *window.rect;
}

void SimForms::minimizeForm(WindowHandle form) {
  SimWindow& window = world_.windows.at(form);
  if (window.iconic) return;
  window.restoredRect = window.rect;
  // A minimised window keeps only a caption's width and height.
  window.rect = Rect{kMinimizedPlace.x, kMinimizedPlace.y, kMinimizedPlace.x + 160,
                     kMinimizedPlace.y + kCaptionHeight + 2 * kFormBorder};
  window.iconic = true;
  if (world_.foreground == form) world_.foreground = 0;
}

void SimForms::moveForm(WindowHandle form, Point topLeft) {
  Rect& rect = *world_.windows.at(form).rect;
  rect = {topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left, topLeft.y + rect.bottom - rect.top};
}

void SimForms::setCaption(WindowHandle form, const std::string& caption) {
  world_.windows.at(form).title = caption;
}

void SimForms::setControlText(WindowHandle form, const std::string& control,
                              const std::string& text) {
  forms.at(form).control(control).text = text;
}

std::string SimForms::controlText(WindowHandle form, const std::string& control) {
  return forms.at(form).control(control).text;
}

void SimForms::setControlEnabled(WindowHandle form, const std::string& control, bool enabled) {
  forms.at(form).control(control).enabled = enabled;
}

void SimForms::setControlChecked(WindowHandle form, const std::string& control, bool checked) {
  forms.at(form).control(control).checked = checked;
}

bool SimForms::controlChecked(WindowHandle form, const std::string& control) {
  return forms.at(form).control(control).checked;
}

void SimForms::setControlTooltip(WindowHandle form, const std::string& control,
                                 const std::string& text) {
  forms.at(form).control(control).tooltip = text;
}

void SimForms::setRows(WindowHandle form, const std::string& control,
                       const std::vector<std::string>& rows) {
  SimControl& list = forms.at(form).control(control);
  list.rows = rows;
  std::erase_if(list.selectedRows, [&](int row) { return row >= static_cast<int>(rows.size()); });
}

std::vector<int> SimForms::selectedRows(WindowHandle form, const std::string& control) {
  const SimControl& list = forms.at(form).control(control);
  return {list.selectedRows.begin(), list.selectedRows.end()};
}

void SimForms::setMenuItemEnabled(WindowHandle form, std::uint32_t id, bool enabled) {
  auto& menuBar = forms.at(form).layout.menuBar;
  findMenuItem(menuBar, [id](const MenuEntry& item) { return item.id == id; })->enabled = enabled;
}

void SimForms::setMenuItemChecked(WindowHandle form, std::uint32_t id, bool checked) {
  auto& menuBar = forms.at(form).layout.menuBar;
  findMenuItem(menuBar, [id](const MenuEntry& item) { return item.id == id; })->checked = checked;
}

// ---- the user's side

void SimForms::deliver(WindowHandle form, const FormEvent& event) {
  // The handler may destroy the form: nothing of it is touched afterwards.
  FormEvents* events = forms.at(form).events;
  events->onFormEvent(form, event);
}

void SimForms::clickControl(WindowHandle form, const std::string& control) {
  SimControl& target = forms.at(form).control(control);
  if (!target.enabled) return;
  if (target.layout.kind == ControlKind::CheckBox) target.checked = !target.checked;
  if (target.layout.kind == ControlKind::RadioButton) checkOptionButton(forms.at(form).controls, target);
  deliver(form, {FormEventKind::Click, control});
}

void SimForms::pressRow(WindowHandle form, const std::string& control, int row,
                        MouseButton button) {
  SimControl& list = forms.at(form).control(control);
  if (!list.enabled) return;
  if (button == MouseButton::Left) list.selectedRows = {row};
  deliver(form, {FormEventKind::MouseDown, control, button});
}

void SimForms::doubleClickRow(WindowHandle form, const std::string& control, int row) {
  pressRow(form, control, row);
  if (!forms.count(form)) return;
  pressRow(form, control, row);
  if (!forms.count(form)) return;
  deliver(form, {FormEventKind::DoubleClick, control});
}

void SimForms::chooseMenuItem(WindowHandle form, const std::string& caption) {
  MenuEntry* item = forms.at(form).menuItem(caption);
  if (!item) throw std::out_of_range("no menu item " + caption);
  if (!item->enabled || item->id == 0) return;
  deliver(form, {FormEventKind::MenuCommand, "", MouseButton::Left, item->id});
}

void SimForms::activateForm(WindowHandle form) {
  world_.foreground = form;
  deliver(form, {FormEventKind::Activate, ""});
}

void SimForms::pressCloseBox(WindowHandle form) { deliver(form, {FormEventKind::CloseRequest, ""}); }

void SimForms::pressEscape(WindowHandle form) {
  for (const SimControl& control : forms.at(form).controls) {
    if (control.layout.cancelButton && control.enabled) {
      deliver(form, {FormEventKind::Click, control.layout.name});
      return;
    }
  }
}

void SimForms::dropFiles(WindowHandle form, const std::vector<std::string>& paths) {
  if (!forms.at(form).layout.acceptFiles) return;  // the shell shows a forbidden drop
  SimDroppedFileList drop(paths, dropPathReads);
  FormEvent event{FormEventKind::FilesDropped, ""};
  event.dropped = readDroppedFiles(drop);
  deliver(form, event);
}

}  // namespace vireloc::sim
