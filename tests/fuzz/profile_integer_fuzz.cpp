// Any text as a settings file's integer: either refused, or read as the one number it spells,
// which reads back the same from its decimal form and with more leading blanks.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "settings/profile_integer.h"

using namespace vireloc;
using namespace vireloc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = parseProfileInteger(text);
  check(parseProfileInteger("  " + std::string(text)) == value, "leading blanks change the value");
  if (!value) return 0;
  check(parseProfileInteger(std::to_string(*value)) == value, "the decimal form reads otherwise");
  // The text has no room for anything but blanks, a sign, a prefix and digits.
  for (char c : text) {
    const bool allowed = c == ' ' || c == '+' || c == '-' || c == '$' || c == 'x' || c == 'X' ||
                         (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    check(allowed, "a value was read from a text with other characters");
  }
  return 0;
}
