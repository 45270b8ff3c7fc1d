// UTF-16 text that another program left in memory, made into the program's UTF-8 in two
// quick passes: a text copied to the clipboard can be tens of megabytes, converted while
// every window of the program waits.
#pragma once
#include <cstddef>
#include <string>

namespace vireloc {

struct Utf16Extent {
  std::size_t units = 0;      // up to the first NUL, or all of them
  std::size_t utf8Bytes = 0;  // of its UTF-8 form
};

// Where a text of at most `capacity` units ends (its first NUL: the block may lack one) and
// how long its UTF-8 form is.
Utf16Extent measureUtf16(const char16_t* text, std::size_t capacity);

// Writes the UTF-8 form of the `extent.units` units measured into `out`, which holds
// `extent.utf8Bytes`. An unpaired surrogate becomes U+FFFD, as the system's conversion does.
void writeUtf8(const char16_t* text, Utf16Extent extent, char* out);

// measureUtf16, then writeUtf8 into a string of the size measured.
std::string utf8FromUtf16(const char16_t* text, std::size_t capacity);

}  // namespace vireloc
