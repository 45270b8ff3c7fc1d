// TreeView controls of simulated forms, and the user's side of them.
#include <stdexcept>

#include "platform/sim/sim_forms.h"

namespace vireloc::sim {

namespace {

bool hasChildItems(const SimControl& tree, TreeItemId item) {
  for (const auto& [id, node] : tree.treeItems)
    if (node.parent == item) return true;
  return false;
}

}  // namespace

void SimForms::focusControl(WindowHandle form, const std::string& control) {
  SimForm& target = forms.at(form);
  target.control(control);  // must exist
  target.focusedControl = control;
}

TreeItemId SimForms::addTreeItem(WindowHandle form, const std::string& control,
                                 TreeItemId parent, const TreeItem& item) {
  SimControl& tree = forms.at(form).control(control);
  if (parent && !tree.treeItems.count(parent)) throw std::out_of_range("no tree item");
  const TreeItemId id = nextTreeItem_++;
  tree.treeItems[id] = {parent, item, false};
  return id;
}

void SimForms::setTreeItemHasChildren(WindowHandle form, const std::string& control,
                                      TreeItemId item, bool hasChildren) {
  forms.at(form).control(control).treeItems.at(item).item.hasChildren = hasChildren;
}

// As under Windows, an item without child items does not open.
void SimForms::expandTreeItem(WindowHandle form, const std::string& control, TreeItemId item) {
  SimControl& tree = forms.at(form).control(control);
  tree.treeItems.at(item).expanded = hasChildItems(tree, item);
}

void SimForms::selectTreeItem(WindowHandle form, const std::string& control, TreeItemId item) {
  SimControl& tree = forms.at(form).control(control);
  tree.treeItems.at(item);  // must exist
  tree.selectedItem = item;
}

TreeItemId SimForms::selectedTreeItem(WindowHandle form, const std::string& control) {
  return forms.at(form).control(control).selectedItem;
}

void SimForms::openTreeItem(WindowHandle form, const std::string& control, TreeItemId item) {
  if (!forms.at(form).control(control).treeItems.at(item).item.hasChildren) return;
  deliver(form, {FormEventKind::ItemExpanding, control, MouseButton::Left, 0, item});
  if (forms.count(form)) expandTreeItem(form, control, item);
}

void SimForms::clickTreeItem(WindowHandle form, const std::string& control, TreeItemId item) {
  selectTreeItem(form, control, item);
  forms.at(form).focusedControl = control;
  deliver(form, {FormEventKind::ItemSelected, control, MouseButton::Left, 0, item});
}

void SimForms::rightClickTreeItem(WindowHandle form, const std::string& control,
                                  TreeItemId item, Point at) {
  deliver(form, {FormEventKind::ContextMenu, control, MouseButton::Right, 0, item, at});
}

TreeItemId SimForms::treeItem(WindowHandle form, const std::string& control,
                              const std::vector<std::string>& texts) {
  const SimControl& tree = forms.at(form).control(control);
  TreeItemId at = 0;
  for (const std::string& text : texts) {
    TreeItemId found = 0;
    for (const auto& [id, node] : tree.treeItems)
      if (node.parent == at && node.item.text == text) found = id;
    if (!found) return 0;
    at = found;
  }
  return at;
}

}  // namespace vireloc::sim
