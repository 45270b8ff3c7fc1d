#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

SimDesktop::SimDesktop() {
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

WindowHandle SimDesktop::createHiddenWindow(const std::string& className, const std::string& title,
                                            MessageHandler& handler) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  windows[handle] = SimWindow{className, title, 0, 0, std::nullopt, &handler, false, false};
  return handle;
}

WindowHandle SimDesktop::addForeignWindow(const std::string& className, const std::string& title,
                                          WindowHandle owner) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  windows[handle] = SimWindow{className, title, owner, 0, std::nullopt, nullptr, false, true};
  return handle;
}

void SimDesktop::destroyWindow(WindowHandle window) { windows.erase(window); }

LResult SimDesktop::defaultWindowProc(WindowHandle, std::uint32_t message, WParam, LParam) {
  return message == wm::QueryEndSession ? 1 : 0;
}

std::uint32_t SimDesktop::registerWindowMessage(const std::string& name) {
  auto [it, inserted] = registeredMessages_.try_emplace(
      name, static_cast<std::uint32_t>(0xC000 + registeredMessages_.size()));
  return it->second;
}

WindowHandle SimDesktop::findTopLevelWindow(const std::string& title) {
  for (const auto& [handle, window] : windows)
    if (window.parent == 0 && window.title == title) return handle;
  return 0;
}

WindowHandle SimDesktop::findWindowByClass(const std::string& className) const {
  for (const auto& [handle, window] : windows)
    if (window.className == className) return handle;
  return 0;
}

WindowHandle SimDesktop::ownerOf(WindowHandle window) {
  auto it = windows.find(window);
  return it == windows.end() ? 0 : it->second.owner;
}

bool SimDesktop::isIconic(WindowHandle window) {
  auto it = windows.find(window);
  return it != windows.end() && it->second.iconic;
}

void SimDesktop::openIcon(WindowHandle window) {
  auto it = windows.find(window);
  if (it != windows.end()) it->second.iconic = false;
}

void SimDesktop::setForegroundWindow(WindowHandle window) {
  foregroundRequests.push_back(window);
  if (windows.count(window)) foreground = window;
}

void SimDesktop::hideWindow(WindowHandle window) {
  auto it = windows.find(window);
  if (it != windows.end()) it->second.visible = false;
}

void SimDesktop::setWindowText(WindowHandle window, const std::string& text) {
  auto it = windows.find(window);
  if (it != windows.end()) it->second.title = text;
}

bool SimDesktop::postMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                             LParam lParam) {
  if (!windows.count(window)) return false;
  queue([=, this] { sendMessage(window, message, wParam, lParam); });
  return true;
}

WindowHandle SimDesktop::windowFromPoint(Point point) {
  WindowHandle found = 0;
  for (const auto& [handle, window] : windows) {
    if (!window.visible || !window.rect) continue;
    const Rect& r = *window.rect;
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
      found = handle;  // later windows lie on top
  }
  return found;
}

WindowHandle SimDesktop::parentOf(WindowHandle window) {
  auto it = windows.find(window);
  if (it == windows.end()) return 0;
  return it->second.parent ? it->second.parent : it->second.owner;
}

std::optional<Rect> SimDesktop::windowRect(WindowHandle window) {
  auto it = windows.find(window);
  if (it == windows.end()) return std::nullopt;
  return it->second.rect;
}

void SimDesktop::queue(std::function<void()> action) { queue_.push_back(std::move(action)); }

void SimDesktop::runMessageLoop() {
  quitPosted_ = false;
  while (!quitPosted_ && !queue_.empty()) {
    auto action = std::move(queue_.front());
    queue_.pop_front();
    action();
  }
  loopEndedByQuit = quitPosted_;
  quitPosted_ = false;  // the loop takes the quit message it ends on
}

LResult SimDesktop::sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                LParam lParam) {
  auto it = windows.find(window);
  if (it == windows.end()) return 0;
  if (!it->second.handler) {
    foreignMessages.push_back({window, message, wParam, lParam});
    return 0;
  }
  return it->second.handler->handleMessage(window, message, wParam, lParam);
}

void SimDesktop::broadcast(std::uint32_t message, WParam wParam, LParam lParam) {
  std::vector<WindowHandle> targets;
  for (const auto& [handle, window] : windows)
    if (window.parent == 0) targets.push_back(handle);
  for (WindowHandle handle : targets) sendMessage(handle, message, wParam, lParam);
}

void SimDesktop::restartShell() {
  trayIcons.clear();
  broadcast(registerWindowMessage("TaskbarCreated"), 0, 0);
}

void SimDesktop::endSession() {
  broadcast(wm::QueryEndSession, 0, 0);
  broadcast(wm::EndSession, 1, 0);
}

void SimDesktop::runModalScript() {
  if (duringModal.empty()) return;
  auto action = std::move(duringModal.front());
  duringModal.pop_front();
  action();
}

void SimDesktop::showMessageBox(WindowHandle owner, const std::string& text,
                                const std::string& caption, MessageBoxIcon icon) {
  // As under Windows, a box's own loop meets a quit message still queued and ends at once.
  messageBoxes.push_back({owner, text, caption, icon, !quitPosted_});
  if (quitPosted_) return;
  runModalScript();
}

bool SimDesktop::askYesNo(WindowHandle owner, const std::string& text,
                          const std::string& caption) {
  messageBoxes.push_back({owner, text, caption, MessageBoxIcon::Question, !quitPosted_});
  if (quitPosted_) return false;
  runModalScript();
  if (questionAnswers.empty()) return false;
  const bool yes = questionAnswers.front();
  questionAnswers.pop_front();
  return yes;
}

namespace {
std::uint32_t findCaption(const std::vector<MenuEntry>& items, const std::string& caption) {
  for (const MenuEntry& item : items) {
    if (!item.separator && item.submenu.empty() && item.caption == caption && item.enabled)
      return item.id;
    if (std::uint32_t id = findCaption(item.submenu, caption)) return id;
  }
  return 0;
}
}  // namespace

std::uint32_t SimDesktop::trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                                         WindowHandle owner) {
  shownMenus.push_back({items, at, owner});
  runModalScript();
  if (menuChoices.empty()) return 0;
  const std::string caption = menuChoices.front();
  menuChoices.pop_front();
  return findCaption(items, caption);
}

}  // namespace vireloc::sim
