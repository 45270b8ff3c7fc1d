// Shell services: starting programs and deleting files through the shell.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace vireloc {

// What a started program's first window is asked for (STARTUPINFO with STARTF_USEPOSITION,
// STARTF_USESIZE and STARTF_USESHOWWINDOW).
struct StartupRecord {
  Point position;
  int width = 0;
  int height = 0;
  std::uint16_t showWindow = 1;  // SW_SHOWNORMAL
};

namespace createflag {
constexpr std::uint32_t DefaultErrorMode = 0x04000000;  // CREATE_DEFAULT_ERROR_MODE
}  // namespace createflag

class Shell {
 public:
  virtual ~Shell() = default;
  // CreateProcess with this command line, no inherited handles and these creation flags; the
  // system's error code when it cannot be started, nothing when it runs.
  virtual std::optional<std::uint32_t> startProcess(const std::string& commandLine,
                                                    const StartupRecord& startup,
                                                    std::uint32_t creationFlags) = 0;
  // SHFileOperation FO_DELETE of one file for good, owned by owner, with FOF_SILENT |
  // FOF_NOCONFIRMATION: no progress, no question; a failure is the shell's own box.
  virtual void deleteWithShell(WindowHandle owner, const std::string& path) = 0;
};

}  // namespace vireloc
