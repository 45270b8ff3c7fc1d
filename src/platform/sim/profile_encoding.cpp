#include "platform/sim/profile_encoding.h"

#include <vector>

namespace vireloc::sim {

namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// Malformed bytes count as U+FFFD, which the code page lacks too.
std::vector<char32_t> codePointsOf(std::string_view utf8) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                                                        : (lead >> 3) == 30      ? 4
                                                                                 : 0;
    char32_t point = length == 1 ? lead : length ? lead & (0x7F >> length) : 0xFFFD;
    bool whole = length > 0 && i + length <= utf8.size();
    for (int k = 1; whole && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      whole = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    points.push_back(whole ? point : 0xFFFD);
    i += whole ? length : 1;
  }
  return points;
}

void appendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

bool pointFits(char32_t point) {
  return point < 0x80 || (point >= 0x3000 && point <= 0x30FF) ||
         (point >= 0x4E00 && point <= 0x9FFF) || (point >= 0xFF01 && point <= 0xFF9F);
}

void appendUnit(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

}  // namespace

bool fitsCodePage(std::string_view utf8) {
  for (char32_t point : codePointsOf(utf8))
    if (!pointFits(point)) return false;
  return true;
}

bool isUtf16Profile(std::string_view bytes) { return bytes.substr(0, 2) == kUtf16Mark; }

std::string decodeProfile(std::string_view bytes) {
  if (!isUtf16Profile(bytes)) return std::string(bytes);
  std::string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    char32_t point = static_cast<unsigned char>(bytes[i]) |
                     static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (point >= 0xD800 && point < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                           static_cast<unsigned char>(bytes[i + 3]) << 8;
      if (low >= 0xDC00 && low < 0xE000) {
        point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    appendUtf8(text, point);
  }
  return text;
}

std::string encodeProfile(std::string_view utf8, bool utf16) {
  std::string bytes = utf16 ? std::string(kUtf16Mark) : "";
  for (char32_t point : codePointsOf(utf8)) {
    if (!utf16) {
      if (pointFits(point)) appendUtf8(bytes, point);
      else bytes += '?';
    } else if (point < 0x10000) {
      appendUnit(bytes, static_cast<char16_t>(point));
    } else {
      appendUnit(bytes, static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      appendUnit(bytes, static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
  return bytes;
}

}  // namespace vireloc::sim
