// Message boxes and popup menus: the modal moments in which a test's scripted events run.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/sim/sim_world.h"

namespace vireloc::sim {

struct MessageBoxRecord {
  WindowHandle owner;
  std::string text;
  std::string caption;
  MessageBoxIcon icon;
  bool answered = true;  // false: a pending quit closed it before the user could read it
};

class SimMessageBoxes : public MessageBoxes {
 public:
  explicit SimMessageBoxes(SimWorld& world) : world_(world) {}

  void showMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                      MessageBoxIcon icon) override;
  bool askYesNo(WindowHandle owner, const std::string& text, const std::string& caption) override;

  // ==== Test side
  std::vector<MessageBoxRecord> messageBoxes;  // questions too, with the question icon
  std::deque<bool> questionAnswers;  // the coming questions' answers; none left: No (Esc)

 private:
  SimWorld& world_;
};

class SimPopupMenus : public PopupMenus {
 public:
  explicit SimPopupMenus(SimWorld& world) : world_(world) {}

  std::uint32_t trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                               WindowHandle owner) override;

  // ==== Test side
  struct ShownMenu {
    std::vector<MenuEntry> items;
    Point at;
    WindowHandle owner;
  };
  std::vector<ShownMenu> shownMenus;
  // Captions chosen in the coming menus, one per menu ("" dismisses it); a submenu item is
  // named by its own caption.
  std::deque<std::string> menuChoices;

 private:
  SimWorld& world_;
};

}  // namespace vireloc::sim
