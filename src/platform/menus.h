// Popup menus (TrackPopupMenu).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vireloc {

// One menu item as the platform shows it; id 0 for separators and submenu holders.
struct MenuEntry {
  std::uint32_t id = 0;
  std::string caption;  // "&" marks the accelerator; empty with separator
  bool separator = false;
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;  // shown in bold
  std::vector<MenuEntry> submenu;
};

class PopupMenus {
 public:
  virtual ~PopupMenus() = default;
  // Shows the menu with its top-left corner at `at`, tracking the left button only, and
  // returns the id of the chosen item, or 0 when the menu was dismissed. Other messages are
  // handled while it is open.
  virtual std::uint32_t trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                                       WindowHandle owner) = 0;
};

}  // namespace vireloc
