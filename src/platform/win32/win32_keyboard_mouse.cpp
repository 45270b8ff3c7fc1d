#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

std::int16_t Win32KeyboardMouse::keyState(std::uint8_t virtualKey) {
  return GetKeyState(virtualKey);
}

std::optional<Point> Win32KeyboardMouse::cursorPos() {
  POINT position{};
  if (!GetCursorPos(&position)) return std::nullopt;
  return Point{position.x, position.y};
}

void Win32KeyboardMouse::keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode,
                                    std::uint32_t flags, std::uintptr_t extraInfo) {
  keybd_event(virtualKey, scanCode, flags, static_cast<ULONG_PTR>(extraInfo));
}

bool Win32KeyboardMouse::registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                        std::uint32_t virtualKey) {
  return RegisterHotKey(toHwnd(window), id, modifiers, virtualKey) != 0;
}

bool Win32KeyboardMouse::unregisterHotKey(WindowHandle window, int id) {
  return UnregisterHotKey(toHwnd(window), id) != 0;
}

}  // namespace vireloc
