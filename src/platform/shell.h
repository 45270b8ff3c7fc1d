// Shell services: starting programs and deleting files through the shell.
#pragma once
#include <string>

namespace vireloc {

class Shell {
 public:
  virtual ~Shell() = default;
  // CreateProcess with this command line; false when it cannot be started.
  virtual bool startProcess(const std::string& commandLine) = 0;
};

}  // namespace vireloc
