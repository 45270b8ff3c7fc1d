#include "platform/sim/sim_notification_area.h"

namespace vireloc::sim {

bool SimNotificationArea::notifyIcon(NotifyAction action, const NotifyIconData& data) {
  notifyRequests.push_back({action, data});
  auto shown = trayIcons.find(data.uID);
  switch (action) {
    case NotifyAction::Add:
      if (shown != trayIcons.end()) return false;
      trayIcons[data.uID] = data;
      return true;
    case NotifyAction::Modify:
      if (shown == trayIcons.end()) return false;
      if (data.uFlags & nif::Message) shown->second.uCallbackMessage = data.uCallbackMessage;
      if (data.uFlags & nif::Icon) shown->second.hIcon = data.hIcon;
      if (data.uFlags & nif::Tip) shown->second.szTip = data.szTip;
      return true;
    case NotifyAction::Delete:
      if (shown == trayIcons.end()) return false;
      trayIcons.erase(shown);
      return true;
  }
  return false;
}

void SimNotificationArea::restartShell() {
  trayIcons.clear();
  windowing_.broadcast(windowing_.registerWindowMessage("TaskbarCreated"), 0, 0);
}

IconHandle SimIcons::loadApplicationIcon() {
  const IconHandle icon = nextIcon_++;
  liveIcons.insert(icon);
  return icon;
}

IconHandle SimIcons::copyIcon(IconHandle icon) {
  if (!liveIcons.count(icon)) return 0;
  return loadApplicationIcon();
}

void SimIcons::destroyIcon(IconHandle icon) { liveIcons.erase(icon); }

bool SimNotificationArea::showBalloon(WindowHandle window, std::uintptr_t id,
                                      const std::string& title, const std::string& text) {
  const auto shown = trayIcons.find(id);
  if (shown == trayIcons.end() || shown->second.hWnd != window) return false;
  balloons.push_back({title, text});
  return true;
}

}  // namespace vireloc::sim
