#include "app/program.h"

#include "forms/application.h"
#include "app/main_form.h"
#include "app/version_info.h"

namespace vireloc {

namespace {

// Another instance (or any window titled like ours) is running: hand it the focus and stop.
bool handOverToRunningInstance(Windowing& windowing) {
  const WindowHandle running = windowing.findTopLevelWindow(kApplicationTitle);
  if (!running) return false;
  const WindowHandle owner = windowing.ownerOf(running);
  if (windowing.isIconic(owner)) windowing.openIcon(owner);
  windowing.setForegroundWindow(owner);
  return true;
}

}  // namespace

int runProgram(Platform& platform) {
  programVersion = readVersionInfo(platform.files);
  if (handOverToRunningInstance(platform.windowing)) return 0;
  Application application(platform);
  application.setTitle(kApplicationTitle);
  application.handle();
  TForm1 mainWindow(platform, application);
  application.run();
  return 0;
}

}  // namespace vireloc
