#include "platform/sim/sim_keyboard_mouse.h"

namespace vireloc::sim {

std::int16_t SimKeyboardMouse::keyState(std::uint8_t virtualKey) {
  auto it = keysDown.find(virtualKey);
  return it != keysDown.end() && it->second ? static_cast<std::int16_t>(-128) : 0;
}

void SimKeyboardMouse::keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode,
                                  std::uint32_t flags, std::uintptr_t extraInfo) {
  keyEvents.push_back({virtualKey, scanCode, flags, extraInfo});
}

bool SimKeyboardMouse::registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                      std::uint32_t virtualKey) {
  hotkeyLog.push_back("register " + std::to_string(id));
  if (hotkeysTakenElsewhere.count(id) || hotkeys.count(id)) return false;
  hotkeys[id] = {modifiers, virtualKey};
  return true;
}

bool SimKeyboardMouse::unregisterHotKey(WindowHandle window, int id) {
  hotkeyLog.push_back("unregister " + std::to_string(id));
  return hotkeys.erase(id) > 0;
}

}  // namespace vireloc::sim
