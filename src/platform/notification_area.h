// The taskbar notification area (Shell_NotifyIcon).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace vireloc {

enum class NotifyAction : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

namespace nif {
constexpr std::uint32_t Message = 1;
constexpr std::uint32_t Icon = 2;
constexpr std::uint32_t Tip = 4;
}  // namespace nif

// The first form of NOTIFYICONDATA, as the core fills it. szTip holds at most 63 bytes of
// UTF-8 text and a terminating NUL; the backend converts it at the boundary.
struct NotifyIconData {
  WindowHandle hWnd = 0;
  std::uintptr_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  IconHandle hIcon = 0;
  std::array<char, 64> szTip{};
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // Shell_NotifyIcon; the caller ignores the result.
  virtual bool notifyIcon(NotifyAction action, const NotifyIconData& data) = 0;
  // A warning balloon from the icon (hWnd, uID): NIM_MODIFY with NIF_INFO. Texts in UTF-8,
  // cut by the backend to what the structure holds.
  virtual bool showBalloon(WindowHandle window, std::uintptr_t id, const std::string& title,
                           const std::string& text) = 0;
};

}  // namespace vireloc
