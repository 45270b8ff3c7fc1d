// The help command: starts the HTML Help viewer with the prepared command line.
#pragma once
#include <string>

#include "forms/application.h"
#include "platform/platform.h"

namespace vireloc {

// Starts helpCommand at the screen's top-left corner, 640 x 480, shown normally, with the
// system's default error mode; a start that fails is told with the system's error code. The
// viewer runs on by itself.
void startHelpViewer(Platform& platform, Application& application, const std::string& helpCommand);

}  // namespace vireloc
