// The benchmark's input: screenshots stored as PNG, loaded as 32-bit screen pixels.
#pragma once
#include <string>

#include "platform/pixel_buffer.h"

namespace vireloc::bench {

// Loads a PNG file (host build) or a binary PPM as savePpm writes it (both builds) as a 32-bit
// B,G,R,X PixelBuffer, as a capture of a 32-bit screen gives.
PixelBuffer loadFrame(const std::string& path);

// Saves the pixels as a binary PPM, the input the command-line encoders read.
void savePpm(const PixelBuffer& frame, const std::string& path);

}  // namespace vireloc::bench
