// A file held by another program, as a sync tool or a virus scanner holds one.
#include "commands.h"
#include "driver_util.h"

namespace vireloc::driver {

int holdFile(const Args& args) {
  requireArgs(args, 2, "hold-file <path> <release path>");
  HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw Failure("cannot open the file: error " + std::to_string(GetLastError()));
  printLine("held");  // tells the caller the file is now taken
  while (GetFileAttributesW(args[1].c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(50);
  CloseHandle(file);
  printLine("released");
  return 0;
}

}  // namespace vireloc::driver
