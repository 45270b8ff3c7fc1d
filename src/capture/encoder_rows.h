// What the three image encoders share: checking an image before any byte is written, and
// turning its rows into the forms the file formats take.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/pixel_buffer.h"

namespace vireloc {

// Throws AppError naming `format` unless the image can be encoded: width and height above 0,
// 1, 4, 8, 16, 24 or 32 bits per pixel, a stride that holds a row, pixel data for every row,
// and a palette of 2^bitsPerPixel entries at 8 bits or fewer.
void requireEncodable(const PixelBuffer& image, const char* format);

// Bytes that carry pixels in one row (the stride less its padding).
std::size_t usedRowBytes(const PixelBuffer& image);

// Copies row y (0 = top) to out as packed pixels, clearing the bits past the last pixel.
// out holds usedRowBytes(image) bytes.
void copyUsedRow(const PixelBuffer& image, std::int32_t y, std::uint8_t* out);

// Turns rows of any supported depth into 8-bit R,G,B triples.
class RgbRowConverter {
 public:
  explicit RgbRowConverter(const PixelBuffer& image);
  // Writes width * 3 bytes for row y (0 = top).
  void convert(std::int32_t y, std::uint8_t* out) const;

 private:
  void convertIndexed(const std::uint8_t* in, std::uint8_t* out) const;

  const PixelBuffer& image_;
  std::array<std::array<std::uint8_t, 3>, 256> colours_{};  // palette as R,G,B
};

}  // namespace vireloc
