// One portable image type: what a capture produces and the file writers consume.
#pragma once
#include <cstdint>
#include <limits>
#include <optional>
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

  // Bytes in one row padded to 4; nothing when the row does not fit 32 bits.
  static std::optional<std::uint32_t> strideFor(std::int32_t width, std::uint16_t bitsPerPixel) {
    if (width < 0) return std::nullopt;
    const std::uint64_t bytes = (std::uint64_t(width) * bitsPerPixel + 31) / 32 * 4;
    if (bytes > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(bytes);
  }

  // Bytes of pixel data for the whole image; nothing when width x height x depth does not fit
  // the memory this build can address. Images from other programs arrive through here.
  static std::optional<std::size_t> byteCountFor(std::int32_t width, std::int32_t height,
                                                 std::uint16_t bitsPerPixel) {
    const auto stride = strideFor(width, bitsPerPixel);
    if (!stride || height < 0) return std::nullopt;
    const std::uint64_t bytes = std::uint64_t{*stride} * std::uint64_t(height);
    // Half the address space at most: a vector cannot hold more, and the encoders add rows.
    if (bytes > std::numeric_limits<std::size_t>::max() / 2) return std::nullopt;
    return static_cast<std::size_t>(bytes);
  }

  // A zeroed image of that size and depth (palette left empty), or nothing when it cannot
  // be addressed (see byteCountFor).
  static std::optional<PixelBuffer> blank(std::int32_t width, std::int32_t height,
                                          std::uint16_t bitsPerPixel) {
    const auto bytes = byteCountFor(width, height, bitsPerPixel);
    if (!bytes) return std::nullopt;
    PixelBuffer image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    image.stride = *strideFor(width, bitsPerPixel);
    image.pixels.assign(*bytes, 0);
    return image;
  }
};

}  // namespace vireloc
