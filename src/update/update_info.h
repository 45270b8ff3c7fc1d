// The update information file and the digest text it is compared with.
#pragma once
#include <string>

#include "platform/file_digest.h"

namespace vireloc {

struct UpdateInfo {
  std::string offeredVersion;  // the bytes before the first LF; empty when there is none
  std::string expectedDigest;  // the rest (the whole text without an LF), every LF removed
};

// Nothing but LF bytes is removed: a CR or a blank stays part of the values.
UpdateInfo splitUpdateInfo(const std::string& text);

// A text from the server as a box may show it: printable ASCII as it is, any other byte (a
// NUL, a line end, a byte of another encoding) as "\xHH", and no more than its first 64
// bytes, "..." marking the cut.
std::string shownServerText(const std::string& text);

// The 16 bytes in order, two lower-case hexadecimal digits each, high nibble first.
std::string md5Hex(const Md5Digest& digest);

// ASCII letters a-z to A-Z; every other byte as it is.
std::string asciiUpperCase(std::string text);

}  // namespace vireloc
