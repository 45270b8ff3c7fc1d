// Shell services: starting programs and deleting files through the shell.
#pragma once
#include <string>

#include "platform/types.h"

namespace vireloc {

class Shell {
 public:
  virtual ~Shell() = default;
  // CreateProcess with this command line; false when it cannot be started.
  virtual bool startProcess(const std::string& commandLine) = 0;
  // SHFileOperation FO_DELETE of one file for good, owned by owner, with FOF_SILENT |
  // FOF_NOCONFIRMATION: no progress, no question; a failure is the shell's own box.
  virtual void deleteWithShell(WindowHandle owner, const std::string& path) = 0;
};

}  // namespace vireloc
