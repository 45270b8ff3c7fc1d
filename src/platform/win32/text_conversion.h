// UTF-8 inside the program, UTF-16 at the Windows boundary.
#pragma once
#include <string>
#include <string_view>

namespace vireloc {

// Malformed UTF-8 becomes U+FFFD rather than failing: a bad byte in a setting must not
// stop the program.
std::wstring toWide(std::string_view utf8);
// toWide in two steps, for a text written straight into memory of its own: its length in
// UTF-16 units (0 when it cannot be converted), then the units into `out`, which holds them.
std::size_t wideLength(std::string_view utf8);
void writeWide(std::string_view utf8, wchar_t* out, std::size_t units);
// Up to the first NUL; unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

}  // namespace vireloc
