#include "tray/tray_icon.h"

#include <cstring>

#include "common/app_error.h"
#include "common/utf8_text.h"

namespace vireloc {

namespace {
constexpr std::size_t kMaxTipBytes = 63;
}

TTrayIcon::TTrayIcon(Platform& platform, Application& application)
    : platform_(platform), application_(application) {
  icon_ = platform_.icons.loadApplicationIcon();
  application_.onMinimize = [this] {
    if (HideMinimize) platform_.windowing.hideWindow(application_.handle());
  };
  application_.onRestore = [this] {
    if (HideMinimize) platform_.windowing.setForegroundWindow(application_.handle());
  };
  callbackMessage_ = platform_.windowing.registerWindowMessage("HogeTrayIcon");
  // The shell announces a restart with this broadcast; the icon is the program's only handle,
  // so it is added again then.
  taskbarCreatedMessage_ = platform_.windowing.registerWindowMessage("TaskbarCreated");
  messageWindow_ = inUserWords(kWindowFailure, [&] {
    return platform_.windowing.createHiddenWindow("TTrayIconWindow", "", *this);
  });
  iconData_.hWnd = messageWindow_;
  iconData_.uID = messageWindow_;
  iconData_.hIcon = icon_;
  iconData_.uCallbackMessage = callbackMessage_;
  hint_ = application_.title();
  setTip(hint_);
  iconData_.uFlags = nif::Message | nif::Icon | nif::Tip;
  platform_.notificationArea.notifyIcon(NotifyAction::Add, iconData_);
}

TTrayIcon::~TTrayIcon() {
  application_.onMinimize = nullptr;
  application_.onRestore = nullptr;
  platform_.icons.destroyIcon(icon_);
  platform_.notificationArea.notifyIcon(NotifyAction::Delete, iconData_);
  platform_.windowing.destroyWindow(messageWindow_);
}

void TTrayIcon::loaded() {
  iconData_.hIcon = icon_;
  iconData_.uFlags = nif::Icon;
  ModifyIcon();
}

void TTrayIcon::setTip(const std::string& text) {
  // Cut at a character boundary, not at byte 63, so the tooltip never ends in a broken character.
  const std::string tip = cutAtCharacterBoundary(text, kMaxTipBytes);
  iconData_.szTip.fill(0);
  std::memcpy(iconData_.szTip.data(), tip.data(), tip.size());
}

void TTrayIcon::setHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  setTip(hint);
  iconData_.uFlags = nif::Tip;
  ModifyIcon();
}

void TTrayIcon::setIcon(IconHandle icon) {
  if (icon == icon_) return;
  platform_.icons.destroyIcon(icon_);
  icon_ = platform_.icons.copyIcon(icon);
  iconData_.hIcon = icon_;
  iconData_.uFlags = nif::Icon;
  ModifyIcon();
}

void TTrayIcon::showBalloon(const std::string& title, const std::string& text) {
  platform_.notificationArea.showBalloon(iconData_.hWnd, iconData_.uID, title, text);
}

void TTrayIcon::ModifyIcon() { platform_.notificationArea.notifyIcon(NotifyAction::Modify, iconData_); }

ShiftState TTrayIcon::shiftStateNow() {
  ShiftState shift = 0;
  if (platform_.keyboardMouse.keyState(vk::Shift) < 0) shift |= shiftstate::Shift;
  if (platform_.keyboardMouse.keyState(vk::Control) < 0) shift |= shiftstate::Ctrl;
  if (platform_.keyboardMouse.keyState(vk::Menu) < 0) shift |= shiftstate::Alt;
  return shift;
}

LResult TTrayIcon::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                 LParam lParam) {
  if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
    NotifyIconData full = iconData_;
    full.uFlags = nif::Message | nif::Icon | nif::Tip;
    platform_.notificationArea.notifyIcon(NotifyAction::Add, full);
    return platform_.windowing.defaultWindowProc(window, message, wParam, lParam);
  }
  if (message != callbackMessage_ || wParam != messageWindow_)
    return platform_.windowing.defaultWindowProc(window, message, wParam, lParam);
  application_.runGuarded([&] { handleMouseAction(static_cast<std::uint32_t>(lParam)); });
  return 0;
}

void TTrayIcon::handleMouseAction(std::uint32_t action) {
  if (action == wm::LButtonDblClk || action == wm::RButtonDblClk) {
    DblClick();
    return;
  }
  if (action < wm::MouseMove || action > wm::RButtonUp) return;
  const ShiftState shift = shiftStateNow();
  const Point at = platform_.keyboardMouse.cursorPos().value_or(Point{});
  switch (action) {
    case wm::MouseMove: MouseMove(shift, at); break;
    case wm::LButtonDown:
      MouseDown(MouseButton::Left, shift | shiftstate::Left, at);
      clickPending_ = true;
      break;
    case wm::LButtonUp:
      if (clickPending_) {
        clickPending_ = false;
        Click();
      }
      MouseUp(MouseButton::Left, shift | shiftstate::Left, at);
      break;
    case wm::RButtonDown: MouseDown(MouseButton::Right, shift | shiftstate::Right, at); break;
    case wm::RButtonUp: MouseUp(MouseButton::Right, shift | shiftstate::Right, at); break;
  }
}

}  // namespace vireloc
