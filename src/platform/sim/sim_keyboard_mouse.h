// The keyboard, the mouse pointer and the hotkeys of the simulated desktop.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/keyboard_mouse.h"

namespace vireloc::sim {

struct KeyEvent {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
  std::uint32_t flags;
  std::uintptr_t extraInfo;
  bool operator==(const KeyEvent&) const = default;
};

struct Hotkey {
  std::uint32_t modifiers;
  std::uint32_t virtualKey;
};

class SimKeyboardMouse : public KeyboardMouse {
 public:
  std::int16_t keyState(std::uint8_t virtualKey) override;
  std::optional<Point> cursorPos() override { return cursor; }
  void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
  bool registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool unregisterHotKey(WindowHandle window, int id) override;

  // ==== Test side
  std::map<std::uint8_t, bool> keysDown;
  std::optional<Point> cursor = Point{};
  std::vector<KeyEvent> keyEvents;
  std::map<int, Hotkey> hotkeys;          // ids registered by the program
  std::set<int> hotkeysTakenElsewhere;    // ids another program holds
  std::vector<std::string> hotkeyLog;     // "register 101", "unregister 101", ...
};

}  // namespace vireloc::sim
