#include "forms/popup_menu.h"

namespace vireloc {

namespace {

MenuEntry entryOf(const TMenuItem& item) {
  MenuEntry entry;
  entry.separator = item.isSeparator();
  if (!entry.separator) entry.caption = item.Caption;
  entry.id = item.Items.empty() && !entry.separator ? item.Command : 0;
  entry.enabled = item.Enabled;
  entry.checked = item.Checked;
  entry.isDefault = item.Default;
  for (const auto& child : item.Items) entry.submenu.push_back(entryOf(*child));
  return entry;
}

TMenuItem* find(TMenuItem& item, const std::function<bool(const TMenuItem&)>& match) {
  if (match(item)) return &item;
  for (auto& child : item.Items)
    if (TMenuItem* found = find(*child, match)) return found;
  return nullptr;
}

}  // namespace

TMenuItem& TMenuItem::add(std::unique_ptr<TMenuItem> item) {
  item->Parent = this;
  Items.push_back(std::move(item));
  return *Items.back();
}

void TMenuItem::setDefault() {
  if (Parent)
    for (auto& sibling : Parent->Items) sibling->Default = false;
  Default = true;
}

TMenuItem& TPopupMenu::add(TMenuItem* parent, std::string name, std::string caption,
                           std::function<void()> onClick) {
  auto item = std::make_unique<TMenuItem>(std::move(name), std::move(caption), std::move(onClick));
  item->Command = nextCommand_++;
  return (parent ? *parent : root_).add(std::move(item));
}

TMenuItem* TPopupMenu::findByCommand(std::uint32_t command) {
  if (command == 0) return nullptr;
  return find(root_, [command](const TMenuItem& item) { return item.Command == command; });
}

TMenuItem* TPopupMenu::findByName(const std::string& name) {
  return find(root_, [&name](const TMenuItem& item) { return item.Name == name; });
}

std::vector<MenuEntry> TPopupMenu::entries() const { return entryOf(root_).submenu; }

}  // namespace vireloc
