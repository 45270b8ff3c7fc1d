#pragma once
#include <cstdint>
#include <string>

namespace vireloc {

// The system's own text for an error code (FormatMessage), without trailing line breaks
// and spaces; "(エラー N)" when the system has no text for it.
std::string systemErrorText(std::uint32_t errorCode);

// Throws SystemError for the calling thread's last error; call right after the failing call.
[[noreturn]] void throwLastError();
// Throws SystemError for that code.
[[noreturn]] void throwSystemError(std::uint32_t errorCode);

}  // namespace vireloc
