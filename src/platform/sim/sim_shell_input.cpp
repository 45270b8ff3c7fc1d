#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

std::int16_t SimDesktop::keyState(std::uint8_t virtualKey) {
  auto it = keysDown.find(virtualKey);
  return it != keysDown.end() && it->second ? static_cast<std::int16_t>(-128) : 0;
}

void SimDesktop::keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                            std::uintptr_t extraInfo) {
  keyEvents.push_back({virtualKey, scanCode, flags, extraInfo});
}

bool SimDesktop::registerHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                std::uint32_t virtualKey) {
  hotkeyLog.push_back("register " + std::to_string(id));
  if (hotkeysTakenElsewhere.count(id) || hotkeys.count(id)) return false;
  hotkeys[id] = {modifiers, virtualKey};
  return true;
}

bool SimDesktop::unregisterHotKey(WindowHandle window, int id) {
  hotkeyLog.push_back("unregister " + std::to_string(id));
  return hotkeys.erase(id) > 0;
}

std::optional<std::uint32_t> SimDesktop::startProcess(const std::string& commandLine,
                                                      const StartupRecord& startup,
                                                      std::uint32_t creationFlags) {
  if (processStartError) return processStartError;
  startedProcesses.push_back({commandLine, startup, creationFlags});
  return std::nullopt;
}

void SimDesktop::deleteWithShell(WindowHandle owner, const std::string& path) {
  shellDeletions.push_back(path);
  files.erase(keyOf(path));
}

}  // namespace vireloc::sim
