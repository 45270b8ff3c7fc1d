// One portable image type: what a capture produces and the file writers consume.
#pragma once
#include <cstdint>
#include <vector>

namespace vireloc {

struct RgbQuad {
  std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
  bool operator==(const RgbQuad&) const = default;
};

// Rows top-down, each `stride` bytes (a multiple of 4, as in a Windows DIB). Pixels are in
// the device's own layout: 32 and 24 bits B,G,R(,X); 16 bits 5-5-5; 8 bits or fewer are
// palette indices, most significant bits first.
struct PixelBuffer {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitsPerPixel = 32;
  std::uint32_t stride = 0;
  std::vector<std::uint8_t> pixels;  // stride * height bytes
  std::vector<RgbQuad> palette;      // 2^bitsPerPixel entries when bitsPerPixel <= 8

  bool hasPixels() const { return width > 0 && height > 0; }
  static std::uint32_t strideFor(std::int32_t width, std::uint16_t bitsPerPixel) {
    return static_cast<std::uint32_t>(((static_cast<std::int64_t>(width) * bitsPerPixel + 31) / 32) * 4);
  }
};

}  // namespace vireloc
