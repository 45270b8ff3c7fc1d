#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

// Only references to bases already built are handed on.
SimDesktop::SimDesktop()
    : SimWindowing(static_cast<SimWorld&>(*this)),
      SimMessageBoxes(static_cast<SimWorld&>(*this)),
      SimPopupMenus(static_cast<SimWorld&>(*this)),
      SimNotificationArea(static_cast<SimWindowing&>(*this)),
      SimClipboard(static_cast<SimWindowing&>(*this)),
      SimScreen(static_cast<SimKeyboardMouse&>(*this)),
      SimShell(static_cast<SimFiles&>(*this)),
      SimForms(static_cast<SimWorld&>(*this)),
      SimShellNamespace(static_cast<SimWorld&>(*this)) {}

Platform SimDesktop::platform() {
  return Platform{*this, *this, *this, *this, *this, *this, *this, *this,
                  *this, *this, *this, *this, *this, http,  *this, background,
                  clipboardTextReader};
}

}  // namespace vireloc::sim
