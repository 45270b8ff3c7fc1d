// UTF-8 inside the program, UTF-16 at the Windows boundary.
#pragma once
#include <string>
#include <string_view>

namespace vireloc {

// Malformed UTF-8 becomes U+FFFD rather than failing: a bad byte in a setting must not
// stop the program.
std::wstring toWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

}  // namespace vireloc
