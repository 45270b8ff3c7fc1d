#include "app/version_info.h"

#include <charconv>
#include <vector>

namespace vireloc {

TVersion programVersion;

namespace {

std::vector<std::string> splitVersionParts(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == '.' || c == '\r' || c == '\n') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

std::int32_t partAsNumber(const std::vector<std::string>& parts, std::size_t index) {
  if (index >= parts.size()) return 0;
  const std::string& part = parts[index];
  std::int32_t value = 0;
  auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
  if (error != std::errc() || end != part.data() + part.size()) return 0;
  return value;
}

}  // namespace

TVersion parseVersionText(const std::string& text) {
  auto parts = splitVersionParts(text);
  TVersion version;
  version.major = partAsNumber(parts, 0);
  version.minor = partAsNumber(parts, 1);
  version.release = partAsNumber(parts, 2);
  version.build = partAsNumber(parts, 3);
  version.text = text;
  return version;
}

TVersion readVersionInfo(Files& files) {
  auto text = files.queryVersionString(files.modulePath(), "\\StringFileInfo\\041103A4\\FileVersion");
  if (!text) return TVersion{};
  return parseVersionText(*text);
}

}  // namespace vireloc
