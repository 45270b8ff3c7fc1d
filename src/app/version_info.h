#pragma once
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace vireloc {

struct TVersion {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t release = 0;
  std::int32_t build = 0;
  std::string text;  // as stored in the resource, e.g. "0.1.0.0"
};

// The running program's version, filled once at start by readVersionInfo.
extern TVersion programVersion;

// Reads FileVersion of the Japanese string table from the executable's version resource.
// Without a resource or a FileVersion the result is zero with an empty text.
TVersion readVersionInfo(Files& files);

// Splits a version text into its numbers; parts that are missing or not numbers read as 0.
TVersion parseVersionText(const std::string& text);

}  // namespace vireloc
