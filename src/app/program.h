#pragma once
#include "platform/platform.h"

namespace vireloc {

// The program entry's own steps: single-instance test, mainWindow, message loop, shutdown.
// Returns the process exit code.
int runProgram(Platform& platform);

}  // namespace vireloc
