#include "update/update_info.h"

#include <algorithm>

namespace vireloc {

UpdateInfo splitUpdateInfo(const std::string& text) {
  UpdateInfo info;
  const auto lineEnd = text.find('\n');
  if (lineEnd != std::string::npos) info.offeredVersion = text.substr(0, lineEnd);
  info.expectedDigest = lineEnd == std::string::npos ? text : text.substr(lineEnd);
  std::erase(info.expectedDigest, '\n');
  return info;
}

std::string shownServerText(const std::string& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  constexpr std::size_t kLongestShown = 64;
  std::string shown;
  for (char c : text.substr(0, kLongestShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kDigits[byte >> 4];
      shown += kDigits[byte & 0x0F];
    }
  }
  if (text.size() > kLongestShown) shown += "...";
  return shown;
}

std::string md5Hex(const Md5Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::string asciiUpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return text;
}

}  // namespace vireloc
