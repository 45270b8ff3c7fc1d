#include "platform/sim/sim_shell.h"

namespace vireloc::sim {

std::optional<std::uint32_t> SimShell::startProcess(const std::string& commandLine,
                                                    const StartupRecord& startup,
                                                    std::uint32_t creationFlags) {
  if (processStartError) return processStartError;
  startedProcesses.push_back({commandLine, startup, creationFlags});
  return std::nullopt;
}

void SimShell::deleteWithShell(WindowHandle owner, const std::string& path) {
  shellDeletions.push_back(path);
  files_.files.erase(SimFiles::keyOf(path));
}

}  // namespace vireloc::sim
