// Key state, pointer position, synthetic key events and system-wide hotkeys.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/types.h"

namespace vireloc {

namespace keyeventf {
constexpr std::uint32_t KeyUp = 2;
}

namespace mod {
constexpr std::uint32_t Alt = 1;
constexpr std::uint32_t Control = 2;
constexpr std::uint32_t Shift = 4;
}  // namespace mod

class KeyboardMouse {
 public:
  virtual ~KeyboardMouse() = default;
  // GetKeyState: negative while the key is down.
  virtual std::int16_t keyState(std::uint8_t virtualKey) = 0;
  // GetCursorPos: screen coordinates, or nothing when the position cannot be read.
  virtual std::optional<Point> cursorPos() = 0;
  // keybd_event(virtualKey, scanCode, flags, extra).
  virtual void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                          std::uintptr_t extraInfo) = 0;
  // RegisterHotKey / UnregisterHotKey: false when refused.
  virtual bool registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                              std::uint32_t virtualKey) = 0;
  virtual bool unregisterHotKey(WindowHandle window, int id) = 0;
};

}  // namespace vireloc
