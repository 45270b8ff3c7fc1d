#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "forms/application.h"
#include "platform/platform.h"

namespace vireloc {

namespace shiftstate {
constexpr std::uint8_t Shift = 1;
constexpr std::uint8_t Alt = 2;
constexpr std::uint8_t Ctrl = 4;
constexpr std::uint8_t Left = 8;
constexpr std::uint8_t Right = 16;
}  // namespace shiftstate
using ShiftState = std::uint8_t;

// One icon with a tooltip in the notification area for as long as the object lives; turns the
// shell's mouse notifications for it into events. The shell talks to a hidden window of its own.
class TTrayIcon : public MessageHandler {
 public:
  using NotifyEvent = std::function<void()>;
  using MouseMoveEvent = std::function<void(ShiftState, int x, int y)>;
  using MouseEvent = std::function<void(MouseButton, ShiftState, int x, int y)>;

  TTrayIcon(Platform& platform, Application& application);
  ~TTrayIcon() override;
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // The owner has finished loading: the icon now shown is the one it holds.
  void loaded();

  const std::string& Hint() const { return hint_; }
  void setHint(const std::string& hint);
  IconHandle Icon() const { return icon_; }
  // Shows a copy of icon; the caller keeps its own.
  void setIcon(IconHandle icon);
  // A warning balloon from the icon: says something without a box to answer.
  void showBalloon(const std::string& title, const std::string& text);
  bool HideMinimize = false;

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  MouseMoveEvent OnMouseMove;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;

  ShiftState shiftStateNow();
  void ModifyIcon();
  WindowHandle messageWindow() const { return messageWindow_; }
  bool clickPending() const { return clickPending_; }

  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;

 private:
  void handleMouseAction(std::uint32_t action);
  void Click() { if (OnClick) OnClick(); }
  void DblClick() { if (OnDblClick) OnDblClick(); }
  void MouseMove(ShiftState shift, Point at) { if (OnMouseMove) OnMouseMove(shift, at.x, at.y); }
  void MouseDown(MouseButton b, ShiftState shift, Point at) { if (OnMouseDown) OnMouseDown(b, shift, at.x, at.y); }
  void MouseUp(MouseButton b, ShiftState shift, Point at) { if (OnMouseUp) OnMouseUp(b, shift, at.x, at.y); }
  void setTip(const std::string& text);

  Platform& platform_;
  Application& application_;
  NotifyIconData iconData_;
  std::uint32_t callbackMessage_ = 0;
  std::uint32_t taskbarCreatedMessage_ = 0;
  WindowHandle messageWindow_ = 0;
  bool clickPending_ = false;
  std::string hint_;
  IconHandle icon_ = 0;
};

}  // namespace vireloc
