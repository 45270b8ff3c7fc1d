#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

// Each service is built on bases declared before it, so the references it keeps are to
// parts already made.
SimDesktop::SimDesktop()
    : SimWindowing(static_cast<SimWorld&>(*this)),
      SimMessageBoxes(static_cast<SimWorld&>(*this)),
      SimPopupMenus(static_cast<SimWorld&>(*this)),
      SimNotificationArea(static_cast<SimWindowing&>(*this)) {
  screenImage = *PixelBuffer::blank(1024, 768, 32);
  workAreaRect = {0, 0, 1024, 738};
  shellItems[""] = {"デスクトップ", "C:\\Users\\user\\Desktop", 1};
  addDirectory("C:\\");
  addDirectory("C:\\Program Files");
  addDirectory("C:\\Program Files\\Vireloc");
  putFile(executablePath, "MZ");
  versionStrings[keyOf(executablePath)]["\\StringFileInfo\\041103A4\\FileVersion"] = "0.1.0.0";
}

Platform SimDesktop::platform() {
  return Platform{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, http, *this};
}

}  // namespace vireloc::sim
