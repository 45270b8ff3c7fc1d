// What a program holds of the system: GDI and USER objects, kernel handles.
#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

// A process with windows always holds some of each, so 0 means the system did not count.
std::string counted(DWORD count) { return count > 0 ? std::to_string(count) : "not-reported"; }

}  // namespace

int processResources(const Args& args) {
  requireArgs(args, 1, "process-resources <hwnd>");
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(parseWindow(args[0]), &processId)) throw Failure("no such window");
  const KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed, error " + std::to_string(GetLastError()));
  const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS);
  DWORD handles = 0;
  if (!GetProcessHandleCount(process.get(), &handles)) handles = 0;
  printLine("gdi-objects " + counted(gdi));
  printLine("user-objects " + counted(user));
  printLine("handles " + counted(handles));
  return 0;
}

}  // namespace vireloc::driver
