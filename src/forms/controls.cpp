#include "forms/controls.h"

namespace vireloc {

void Button::handle(const FormEvent& event) {
  if (event.kind == FormEventKind::Click && onClick) onClick();
}

int ChoiceGroup::selected() const {
  for (int i = 0; i < static_cast<int>(options_.size()); ++i)
    if (forms().controlChecked(form(), options_[i])) return i;
  return -1;
}

void ChoiceGroup::select(int index) {
  for (int i = 0; i < static_cast<int>(options_.size()); ++i)
    forms().setControlChecked(form(), options_[i], i == index);
}

void ChoiceGroup::setEnabledAll(bool enabled) {
  setEnabled(enabled);
  for (const std::string& option : options_) forms().setControlEnabled(form(), option, enabled);
}

void ChoiceGroup::handle(const FormEvent& event) {
  if (event.kind == FormEventKind::Click && onClick) onClick();
}

void RowList::handle(const FormEvent& event) {
  if (event.kind == FormEventKind::DoubleClick && onDoubleClick) onDoubleClick();
  if (event.kind == FormEventKind::MouseDown && onMouseDown) onMouseDown(event.button);
}

void TreeView::handle(const FormEvent& event) {
  if (event.kind == FormEventKind::ItemExpanding && onExpanding) onExpanding(event.item);
  if (event.kind == FormEventKind::ContextMenu && onContextMenu) onContextMenu(event.item, event.at);
  if (event.kind == FormEventKind::ItemSelected && onSelected) onSelected(event.item);
}

}  // namespace vireloc
