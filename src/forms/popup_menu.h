#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/menus.h"

namespace vireloc {

class TMenuItem {
 public:
  TMenuItem(std::string name, std::string caption, std::function<void()> onClick = {})
      : Name(std::move(name)), Caption(std::move(caption)), OnClick(std::move(onClick)) {}

  bool isSeparator() const { return Caption == "-"; }
  TMenuItem& add(std::unique_ptr<TMenuItem> item);
  // Makes this the bold item of its level; the mark leaves every sibling.
  void setDefault();

  std::string Name;
  std::string Caption;  // "-" for a separator
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  std::function<void()> OnClick;
  std::uint32_t Command = 0;  // id given when the item joins a menu
  TMenuItem* Parent = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> Items;
};

// A popup menu: a root item whose children are the menu's first level.
class TPopupMenu {
 public:
  TPopupMenu() : root_("", "") {}
  TMenuItem& add(TMenuItem* parent, std::string name, std::string caption,
                 std::function<void()> onClick = {});
  TMenuItem& separator(std::string name) { return add(nullptr, std::move(name), "-"); }
  TMenuItem* findByCommand(std::uint32_t command);
  TMenuItem* findByName(const std::string& name);
  std::vector<MenuEntry> entries() const;
  const TMenuItem& root() const { return root_; }

 private:
  TMenuItem root_;
  std::uint32_t nextCommand_ = 1;
};

}  // namespace vireloc
