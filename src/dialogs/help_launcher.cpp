#include "dialogs/help_launcher.h"

namespace vireloc {

void startHelpViewer(Platform& platform, Application& application, const std::string& helpCommand) {
  const StartupRecord startup{{0, 0}, 640, 480, 1};
  if (const auto error = platform.shell.startProcess(helpCommand, startup, createflag::DefaultErrorMode))
    application.showMessage("実行できません (" + std::to_string(*error) + ")");
}

}  // namespace vireloc
