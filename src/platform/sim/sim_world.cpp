#include "platform/sim/sim_world.h"

namespace vireloc::sim {

void SimWorld::queue(std::function<void()> action) { queue_.push_back(std::move(action)); }

WindowHandle SimWorld::addWindow(SimWindow window) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  windows[handle] = std::move(window);
  return handle;
}

void SimWorld::runQueue() {
  while (!quitPosted_ && !queue_.empty()) {
    auto action = std::move(queue_.front());
    queue_.pop_front();
    action();
  }
  loopEndedByQuit = quitPosted_;
  quitPosted_ = false;  // the loop takes the quit message it ends on
}

void SimWorld::runModalScript() {
  if (duringModal.empty()) return;
  auto action = std::move(duringModal.front());
  duringModal.pop_front();
  action();
}

}  // namespace vireloc::sim
