// Shared helpers of the test driver: number parsing, output, windows. Text goes through the
// program's own toUtf8 and toWide.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/text_conversion.h"

namespace vireloc::driver {

// A command failure; the message goes to stderr and the exit code is 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using Args = std::vector<std::wstring>;

// Decimal or 0x-prefixed hexadecimal; anything else is a Failure naming `what`.
unsigned long long parseNumber(const std::wstring& text, const char* what);
HWND parseWindow(const std::wstring& text);
std::string hexHandle(const void* handle);

// Writes UTF-8 to stdout and flushes, so a caller reading a pipe sees it at once.
void printLine(const std::string& line);

void requireArgs(const Args& args, size_t count, const char* usage);

std::wstring windowClass(HWND window);
std::wstring windowTitle(HWND window);
std::vector<HWND> topLevelWindows();

}  // namespace vireloc::driver
