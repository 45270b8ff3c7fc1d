#include "platform/sim/profile_text.h"

#include <algorithm>
#include <cctype>

namespace vireloc::sim {

namespace {

std::string trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string> sectionNameOf(const std::string& line) {
  const std::string trimmed = trim(line);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  const auto close = trimmed.find(']');
  return trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

std::string unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

ProfileText::ProfileText(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(line);
    start = end + 1;
  }
}

std::optional<ProfileText::Range> ProfileText::findSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = sectionNameOf(lines_[i]);
    if (!name || !sameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !sectionNameOf(lines_[end])) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileText::findKey(const Range& range, const std::string& key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    const auto equals = lines_[i].find('=');
    if (equals != std::string::npos && sameName(trim(lines_[i].substr(0, equals)), key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileText::value(const std::string& section,
                                              const std::string& key) const {
  auto range = findSection(section);
  if (!range) return std::nullopt;
  auto line = findKey(*range, key);
  if (!line) return std::nullopt;
  const std::string& text = lines_[*line];
  return unquote(trim(text.substr(text.find('=') + 1)));
}

void ProfileText::set(const std::string& section, const std::string& key,
                      const std::string& value) {
  const std::string entry = key + "=" + value;
  auto range = findSection(section);
  if (!range) {
    while (!lines_.empty() && trim(lines_.back()).empty()) lines_.pop_back();
    lines_.push_back("[" + section + "]");
    lines_.push_back(entry);
    return;
  }
  if (auto line = findKey(*range, key)) {
    lines_[*line] = entry;
    return;
  }
  std::size_t insertAt = range->end;
  while (insertAt > range->header + 1 && trim(lines_[insertAt - 1]).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

std::string ProfileText::text() const {
  std::string out;
  for (const auto& line : lines_) out += line + "\r\n";
  return out;
}

}  // namespace vireloc::sim
