// A trial PNG writer on libdeflate (whole-buffer DEFLATE), measured beside writePng to see
// what another compressor and a filter chosen per row would buy. Not used by the program.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/pixel_buffer.h"

namespace vireloc::bench {

struct DeflateTrial {
  std::string name;
  std::function<void(const PixelBuffer& frame, const std::string& path)> write;
};

// Empty when the benchmark was built without libdeflate.
std::vector<DeflateTrial> deflateTrials();

}  // namespace vireloc::bench
