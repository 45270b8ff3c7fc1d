#include "platform/utf16_conversion.h"

#include <cassert>

namespace vireloc {

namespace {

// Units looked at together: in a block of ASCII, or of characters below the surrogates and
// no NUL, each unit's UTF-8 size depends on itself alone, and the compiler does the block in
// a few vector steps.
constexpr std::size_t kBlock = 16;

bool isSurrogate(char32_t unit) { return unit - 0xD800 < 0x800; }
bool isHigh(char32_t unit) { return unit - 0xD800 < 0x400; }
bool isLow(char32_t unit) { return unit - 0xDC00 < 0x400; }

// A pair counts on its high half; a half without its partner becomes U+FFFD.
std::size_t utf8BytesOf(const char16_t* text, std::size_t at, std::size_t end) {
  const char32_t unit = text[at];
  if (unit < 0x80) return 1;
  if (unit < 0x800) return 2;
  if (isHigh(unit)) return at + 1 < end && isLow(text[at + 1]) ? 4 : 3;
  if (isLow(unit)) return at > 0 && isHigh(text[at - 1]) ? 0 : 3;
  return 3;
}

// Writes the character starting at text[at]; the index after it.
std::size_t writeCharacter(const char16_t* text, std::size_t at, std::size_t end, char*& out) {
  char32_t code = text[at++];
  if (isHigh(code) && at < end && isLow(text[at])) {
    code = 0x10000 + ((code - 0xD800) << 10) + (text[at++] - 0xDC00);
  } else if (isSurrogate(code)) {
    code = 0xFFFD;
  }
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *out++ = static_cast<char>(0xC0 | (code >> 6));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (code >> 12));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (code >> 18));
    *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return at;
}

}  // namespace

Utf16Extent measureUtf16(const char16_t* text, std::size_t capacity) {
  std::size_t bytes = 0;
  std::size_t at = 0;
  for (; at + kBlock <= capacity; at += kBlock) {
    unsigned blockBytes = 0;
    bool plain = true;  // no NUL, no surrogate
    for (std::size_t k = 0; k < kBlock; ++k) {
      const char32_t unit = text[at + k];
      blockBytes += 1 + (unit >= 0x80) + (unit >= 0x800);
      plain &= unit != 0 && !isSurrogate(unit);
    }
    if (plain) {
      bytes += blockBytes;
      continue;
    }
    for (std::size_t k = at; k < at + kBlock; ++k) {
      if (text[k] == 0) return {k, bytes};
      bytes += utf8BytesOf(text, k, capacity);
    }
  }
  for (; at < capacity; ++at) {
    if (text[at] == 0) break;
    bytes += utf8BytesOf(text, at, capacity);
  }
  return {at, bytes};
}

void writeUtf8(const char16_t* text, Utf16Extent extent, char* out) {
  [[maybe_unused]] const char* const start = out;
  const std::size_t end = extent.units;
  std::size_t at = 0;
  while (at + kBlock <= end) {
    char32_t any = 0;
    for (std::size_t k = 0; k < kBlock; ++k) any |= text[at + k];
    if (any < 0x80) {
      for (std::size_t k = 0; k < kBlock; ++k) out[k] = static_cast<char>(text[at + k]);
      out += kBlock;
      at += kBlock;
      continue;
    }
    // A pair across the block's end is written whole; the next block starts after it.
    const std::size_t blockEnd = at + kBlock;
    while (at < blockEnd) at = writeCharacter(text, at, end, out);
  }
  while (at < end) at = writeCharacter(text, at, end, out);
  assert(static_cast<std::size_t>(out - start) == extent.utf8Bytes);
}

std::string utf8FromUtf16(const char16_t* text, std::size_t capacity) {
  const Utf16Extent extent = measureUtf16(text, capacity);
  std::string utf8(extent.utf8Bytes, '\0');
  writeUtf8(text, extent, utf8.data());
  return utf8;
}

}  // namespace vireloc
