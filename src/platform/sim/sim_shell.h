// Processes the program starts and files it hands to the shell's delete.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/sim/sim_files.h"

namespace vireloc::sim {

class SimShell : public Shell {
 public:
  // The shell's delete removes from these files.
  explicit SimShell(SimFiles& files) : files_(files) {}

  std::optional<std::uint32_t> startProcess(const std::string& commandLine,
                                            const StartupRecord& startup,
                                            std::uint32_t creationFlags) override;
  void deleteWithShell(WindowHandle owner, const std::string& path) override;

  // ==== Test side
  struct StartedProcess {
    std::string commandLine;
    StartupRecord startup;
    std::uint32_t creationFlags;
  };
  std::vector<StartedProcess> startedProcesses;
  std::optional<std::uint32_t> processStartError;  // every start fails with this code
  std::vector<std::string> shellDeletions;  // paths given to the shell's delete, in order

 private:
  SimFiles& files_;
};

}  // namespace vireloc::sim
