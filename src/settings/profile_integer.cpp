#include "settings/profile_integer.h"

#include <cstdint>

namespace vireloc {

namespace {

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  if (base == 16 && digits.size() > 8) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::int32_t> parseProfileInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  for (std::string_view prefix : {"$", "0x", "0X", "x", "X"}) {
    if (text.starts_with(prefix)) {
      base = 16;
      text.remove_prefix(prefix.size());
      break;
    }
  }
  auto magnitude = parseDigits(text, base);
  if (!magnitude) return std::nullopt;
  if (base == 16) {
    const std::uint32_t pattern = negative ? 0u - *magnitude : *magnitude;
    return static_cast<std::int32_t>(pattern);
  }
  const std::int64_t value = negative ? -static_cast<std::int64_t>(*magnitude) : *magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace vireloc
