// Choosing from the tray menu of a running main form on the simulated desktop.
#pragma once
#include <string>

#include "app/main_form.h"
#include "platform/sim/sim_desktop.h"

namespace vireloc::test {

// A right press on the tray icon with caption chosen in the menu ("" dismisses it); the chosen
// command has run when this returns.
inline void chooseFromTrayMenu(sim::SimDesktop& sim, TForm1& mainWindow, const std::string& caption) {
  sim.menuChoices.push_back(caption);
  TTrayIcon& icon = *mainWindow.TrayIcon1;
  sim.sendMessage(icon.messageWindow(), sim.registerWindowMessage("HogeTrayIcon"),
                  icon.messageWindow(), wm::RButtonDown);
  sim.runMessageLoop();
}

}  // namespace vireloc::test
