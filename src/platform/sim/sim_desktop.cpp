#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

// Each service is built on bases declared before it, so the references it keeps are to
// parts already made.
SimDesktop::SimDesktop()
    : SimWindowing(static_cast<SimWorld&>(*this)),
      SimMessageBoxes(static_cast<SimWorld&>(*this)),
      SimPopupMenus(static_cast<SimWorld&>(*this)),
      SimNotificationArea(static_cast<SimWindowing&>(*this)),
      SimClipboard(static_cast<SimWindowing&>(*this)),
      SimScreen(static_cast<SimKeyboardMouse&>(*this)),
      SimShell(static_cast<SimFiles&>(*this)) {
  shellItems[""] = {"デスクトップ", "C:\\Users\\user\\Desktop", 1};
}

Platform SimDesktop::platform() {
  return Platform{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, http, *this};
}

}  // namespace vireloc::sim
