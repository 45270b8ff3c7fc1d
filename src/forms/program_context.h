// What the main form shares with the features it wires together. A feature gets this and the
// state it owns by reference; it never sees the main form itself.
#pragma once
#include <functional>
#include <string>

#include "forms/application.h"
#include "settings/settings.h"
#include "platform/platform.h"

namespace vireloc {

struct ProgramContext {
  Platform& platform;
  Application& application;
  Settings& settings;
  const std::string& appDir;
  std::function<void()> iniWrite;             // all settings to the file, at once
  std::function<WindowHandle()> formHandle;   // mainWindow's window
};

}  // namespace vireloc
