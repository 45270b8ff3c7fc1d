// The PNG compression levels and row filters the benchmark compares.
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
