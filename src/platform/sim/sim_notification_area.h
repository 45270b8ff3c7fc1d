// Tray icons as the shell shows them, and the program's icon handles.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/icons.h"
#include "platform/notification_area.h"
#include "platform/sim/sim_windowing.h"

namespace vireloc::sim {

struct NotifyRequest {
  NotifyAction action;
  NotifyIconData data;
  std::string tip() const { return data.szTip.data(); }
};

class SimNotificationArea : public NotificationArea {
 public:
  // The shell's "TaskbarCreated" reaches the windows through windowing.
  explicit SimNotificationArea(SimWindowing& windowing) : windowing_(windowing) {}

  bool notifyIcon(NotifyAction action, const NotifyIconData& data) override;
  bool showBalloon(WindowHandle window, std::uintptr_t id, const std::string& title,
                   const std::string& text) override;

  // ==== Test side
  struct Balloon {
    std::string title, text;
  };
  std::vector<Balloon> balloons;  // shown from an icon that was there
  std::vector<NotifyRequest> notifyRequests;
  std::map<std::uintptr_t, NotifyIconData> trayIcons;  // by uID, what the shell shows
  // The shell restarts: every icon is gone and "TaskbarCreated" is broadcast.
  void restartShell();

 private:
  SimWindowing& windowing_;
};

class SimIcons : public Icons {
 public:
  IconHandle loadApplicationIcon() override;
  IconHandle copyIcon(IconHandle icon) override;
  void destroyIcon(IconHandle icon) override;

  // ==== Test side
  std::set<IconHandle> liveIcons;

 private:
  IconHandle nextIcon_ = 0x20010;
};

}  // namespace vireloc::sim
