// The PNG compression levels, row filters and zlib strategies the benchmark compares.
#pragma once
#include <string>
#include <vector>

#include "capture/png_encoder.h"

namespace vireloc::bench {

struct PngVariant {
  std::string name;
  PngSettings settings;
};

std::vector<PngVariant> pngVariants();

}  // namespace vireloc::bench
