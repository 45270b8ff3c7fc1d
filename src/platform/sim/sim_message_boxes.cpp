#include "platform/sim/sim_message_boxes.h"

namespace vireloc::sim {

void SimMessageBoxes::showMessageBox(WindowHandle owner, const std::string& text,
                                     const std::string& caption, MessageBoxIcon icon) {
  // As under Windows, a box's own loop meets a quit message still queued and ends at once.
  const bool quitting = world_.quitPending();
  messageBoxes.push_back({owner, text, caption, icon, !quitting});
  if (quitting) return;
  world_.runModalScript();
}

bool SimMessageBoxes::askYesNo(WindowHandle owner, const std::string& text,
                               const std::string& caption) {
  const bool quitting = world_.quitPending();
  messageBoxes.push_back({owner, text, caption, MessageBoxIcon::Question, !quitting});
  if (quitting) return false;
  world_.runModalScript();
  if (questionAnswers.empty()) return false;
  const bool yes = questionAnswers.front();
  questionAnswers.pop_front();
  return yes;
}

namespace {
std::uint32_t findCaption(const std::vector<MenuEntry>& items, const std::string& caption) {
  for (const MenuEntry& item : items) {
    if (!item.separator && item.submenu.empty() && item.caption == caption && item.enabled)
      return item.id;
    if (std::uint32_t id = findCaption(item.submenu, caption)) return id;
  }
  return 0;
}
}  // namespace

std::uint32_t SimPopupMenus::trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                                            WindowHandle owner) {
  shownMenus.push_back({items, at, owner});
  world_.runModalScript();
  if (menuChoices.empty()) return 0;
  const std::string caption = menuChoices.front();
  menuChoices.pop_front();
  return findCaption(items, caption);
}

}  // namespace vireloc::sim
