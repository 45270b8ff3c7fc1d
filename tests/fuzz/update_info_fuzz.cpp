// Any body the update server sends as its information file: split into the offered version
// and the digest without a line feed in either and without losing any other byte; the version
// as shown is short and printable.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "update/update_info.h"

using namespace vireloc;
using namespace vireloc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const UpdateInfo info = splitUpdateInfo(text);
  check(info.offeredVersion.find('\n') == std::string::npos, "a line feed in the version");
  check(info.expectedDigest.find('\n') == std::string::npos, "a line feed in the digest");
  const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  check(info.offeredVersion.size() + info.expectedDigest.size() + lineFeeds == text.size(),
        "bytes other than line feeds were lost");
  check(text.starts_with(info.offeredVersion), "the version is not the text's start");
  const std::string upper = asciiUpperCase(info.expectedDigest);
  check(upper.size() == info.expectedDigest.size(), "upper case changed the length");
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char c = info.expectedDigest[i];
    check(upper[i] == ((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c), "upper case of a byte");
  }
  const std::string shown = shownServerText(info.offeredVersion);
  check(shown.size() <= 64 * 4 + 3, "the shown version is unbounded");
  for (char c : shown) check(c >= 0x20 && c < 0x7F, "an unprintable byte is shown");
  return 0;
}
