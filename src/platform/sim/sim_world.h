// What every service of the simulated desktop shares: the windows, the message queue, the
// quit state and the events a test scripts into modal moments.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/message_handler.h"
#include "platform/types.h"

namespace vireloc::sim {

struct SimWindow {
  std::string className{};
  std::string title{};
  WindowHandle owner = 0;
  WindowHandle parent = 0;
  std::optional<Rect> rect{};
  MessageHandler* handler = nullptr;  // none for other programs' windows
  bool iconic = false;
  bool visible = false;
  bool answers = true;  // false: another program's window whose thread has stopped answering
  std::optional<Rect> restoredRect{};  // while iconic: where restoring puts it back
  std::optional<Rect> visibleFrame{};  // nothing: as without desktop composition
};

class SimWorld {
 public:
  SimWorld() = default;
  SimWorld(const SimWorld&) = delete;
  SimWorld& operator=(const SimWorld&) = delete;

  // ==== Test side
  std::map<WindowHandle, SimWindow> windows;
  WindowHandle foreground = 0;
  // Runs inside the next modal moment (message box, popup menu, transfer), in the order given.
  std::deque<std::function<void()>> duringModal;
  bool loopEndedByQuit = false;  // the last message loop ended through quitMessageLoop
  bool quitPending() const { return quitPosted_; }
  // Queued into the message loop, handled in order; the loop returns when none is left.
  void queue(std::function<void()> action);

  // ==== For the services
  WindowHandle addWindow(SimWindow window);
  void postQuit() { quitPosted_ = true; }
  // The message loop: a quit posted before it started (inside a message box at start-up)
  // ends it at once, as it does the real one.
  void runQueue();
  void runModalScript();

 private:
  WindowHandle nextHandle_ = 0x10010;
  std::deque<std::function<void()>> queue_;
  bool quitPosted_ = false;
};

}  // namespace vireloc::sim
