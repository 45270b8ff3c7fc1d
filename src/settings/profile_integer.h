#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace vireloc {

// The integer forms the settings file accepts: optional leading spaces and sign, decimal or
// hexadecimal ("$", "0x", "x") of at most eight digits read as a 32-bit pattern.
std::optional<std::int32_t> parseProfileInteger(std::string_view text);

}  // namespace vireloc
