// The program's own fileMd5 (CNG over a mapped file), run by the driver so that the
// end-to-end tests can hold it against known answers under Wine.
#include "platform/win32/win32_services.h"

#include "commands.h"

namespace vireloc::driver {

int fileMd5(const Args& args) {
  requireArgs(args, 1, "file-md5 <path>");
  Win32FileDigests digests;
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t byte : digests.fileMd5(toUtf8(args[0]))) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  printLine(hex);
  return 0;
}

}  // namespace vireloc::driver
