// Plain value types shared by the core and both desktop backends.
#pragma once
#include <cstdint>

namespace vireloc {

using WindowHandle = std::uintptr_t;  // 0 means "no window"
using IconHandle = std::uintptr_t;    // 0 means "no icon"
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// Screen rectangle; right and bottom are exclusive.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

// Window message numbers the program handles, with their Windows values.
namespace wm {
constexpr std::uint32_t Null = 0x0000;
constexpr std::uint32_t Destroy = 0x0002;
constexpr std::uint32_t Close = 0x0010;
constexpr std::uint32_t QueryEndSession = 0x0011;
constexpr std::uint32_t EndSession = 0x0016;
constexpr std::uint32_t Command = 0x0111;
constexpr std::uint32_t MouseMove = 0x0200;
constexpr std::uint32_t LButtonDown = 0x0201;
constexpr std::uint32_t LButtonUp = 0x0202;
constexpr std::uint32_t LButtonDblClk = 0x0203;
constexpr std::uint32_t RButtonDown = 0x0204;
constexpr std::uint32_t RButtonUp = 0x0205;
constexpr std::uint32_t RButtonDblClk = 0x0206;
constexpr std::uint32_t MButtonDown = 0x0207;
constexpr std::uint32_t DrawClipboard = 0x0308;
constexpr std::uint32_t ChangeCbChain = 0x030D;
constexpr std::uint32_t ClipboardUpdate = 0x031D;
constexpr std::uint32_t Hotkey = 0x0312;
}  // namespace wm

// Virtual-key codes used by the program.
namespace vk {
constexpr std::uint8_t Shift = 0x10;
constexpr std::uint8_t Control = 0x11;
constexpr std::uint8_t Menu = 0x12;  // Alt
constexpr std::uint8_t Snapshot = 0x2C;
constexpr std::uint8_t LWin = 0x5B;
constexpr std::uint8_t KeyD = 0x44;
constexpr std::uint8_t KeyM = 0x4D;
}  // namespace vk

}  // namespace vireloc
