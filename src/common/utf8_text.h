// Helpers for UTF-8 text held in std::string.
#pragma once
#include <string>

namespace vireloc {

// The longest start of text that fits in maxBytes without splitting a UTF-8 character.
inline std::string cutAtCharacterBoundary(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace vireloc
