#include "platform/sim/sim_windowing.h"

namespace vireloc::sim {

WindowHandle SimWindowing::createHiddenWindow(const std::string& className,
                                              const std::string& title, MessageHandler& handler) {
  return world_.addWindow(SimWindow{.className = className, .title = title, .handler = &handler});
}

WindowHandle SimWindowing::addForeignWindow(const std::string& className,
                                            const std::string& title, WindowHandle owner) {
  return world_.addWindow(SimWindow{.className = className, .title = title, .owner = owner, .visible = true});
}

void SimWindowing::destroyWindow(WindowHandle window) { world_.windows.erase(window); }

LResult SimWindowing::defaultWindowProc(WindowHandle, std::uint32_t message, WParam, LParam) {
  return message == wm::QueryEndSession ? 1 : 0;
}

std::uint32_t SimWindowing::registerWindowMessage(const std::string& name) {
  auto [it, inserted] = registeredMessages_.try_emplace(
      name, static_cast<std::uint32_t>(0xC000 + registeredMessages_.size()));
  return it->second;
}

WindowHandle SimWindowing::findTopLevelWindow(const std::string& title) {
  for (const auto& [handle, window] : world_.windows)
    if (window.parent == 0 && window.title == title) return handle;
  return 0;
}

WindowHandle SimWindowing::findWindowByClass(const std::string& className) const {
  for (const auto& [handle, window] : world_.windows)
    if (window.className == className) return handle;
  return 0;
}

WindowHandle SimWindowing::ownerOf(WindowHandle window) {
  auto it = world_.windows.find(window);
  return it == world_.windows.end() ? 0 : it->second.owner;
}

bool SimWindowing::isIconic(WindowHandle window) {
  auto it = world_.windows.find(window);
  return it != world_.windows.end() && it->second.iconic;
}

void SimWindowing::openIcon(WindowHandle window) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end() || !it->second.iconic) return;
  it->second.iconic = false;
  if (it->second.restoredRect) it->second.rect = it->second.restoredRect;
  it->second.restoredRect.reset();
}

void SimWindowing::setForegroundWindow(WindowHandle window) {
  foregroundRequests.push_back(window);
  if (world_.windows.count(window)) world_.foreground = window;
}

void SimWindowing::hideWindow(WindowHandle window) {
  auto it = world_.windows.find(window);
  if (it != world_.windows.end()) it->second.visible = false;
}

void SimWindowing::setWindowText(WindowHandle window, const std::string& text) {
  auto it = world_.windows.find(window);
  if (it != world_.windows.end()) it->second.title = text;
}

bool SimWindowing::postMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                               LParam lParam) {
  if (!world_.windows.count(window)) return false;
  world_.queue([=, this] { sendMessage(window, message, wParam, lParam); });
  return true;
}

WindowHandle SimWindowing::windowFromPoint(Point point) {
  WindowHandle found = 0;
  for (const auto& [handle, window] : world_.windows) {
    if (!window.visible || !window.rect) continue;
    const Rect& r = *window.rect;
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
      found = handle;  // later windows lie on top
  }
  return found;
}

WindowHandle SimWindowing::parentOf(WindowHandle window) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end()) return 0;
  return it->second.parent ? it->second.parent : it->second.owner;
}

std::optional<Rect> SimWindowing::windowRect(WindowHandle window) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end()) return std::nullopt;
  return it->second.rect;
}

std::optional<Rect> SimWindowing::visibleFrame(WindowHandle window) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end()) return std::nullopt;
  return it->second.visibleFrame;
}

LResult SimWindowing::sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                  LParam lParam) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end()) return 0;
  if (!it->second.handler) {
    (it->second.answers ? foreignMessages : blockedSends).push_back({window, message, wParam, lParam});
    return 0;
  }
  return it->second.handler->handleMessage(window, message, wParam, lParam);
}

std::optional<LResult> SimWindowing::sendMessageTimeout(WindowHandle window,
                                                        std::uint32_t message, WParam wParam,
                                                        LParam lParam, std::uint32_t) {
  auto it = world_.windows.find(window);
  if (it == world_.windows.end()) return std::nullopt;
  if (!it->second.answers) {
    timedOutSends.push_back({window, message, wParam, lParam});
    return std::nullopt;
  }
  return sendMessage(window, message, wParam, lParam);
}

void SimWindowing::broadcast(std::uint32_t message, WParam wParam, LParam lParam) {
  std::vector<WindowHandle> targets;
  for (const auto& [handle, window] : world_.windows)
    if (window.parent == 0) targets.push_back(handle);
  for (WindowHandle handle : targets) sendMessage(handle, message, wParam, lParam);
}

void SimWindowing::endSession() {
  broadcast(wm::QueryEndSession, 0, 0);
  broadcast(wm::EndSession, 1, 0);
}

}  // namespace vireloc::sim
