// Small images with known contents for the encoder tests.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/pixel_buffer.h"

namespace vireloc::testimages {

// A black image; the stride's padding holds `padding` so tests can see it never leaks out.
inline PixelBuffer blank(std::int32_t width, std::int32_t height, std::uint16_t bits,
                         std::uint8_t padding = 0xCD) {
  PixelBuffer image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = bits;
  image.stride = PixelBuffer::strideFor(width, bits).value();
  image.pixels.assign(std::size_t{image.stride} * height, 0);
  std::size_t used = (std::size_t(width) * bits + 7) / 8;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::size_t i = used; i < image.stride; ++i) image.pixels[y * image.stride + i] = padding;
  }
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) {
      auto v = static_cast<std::uint8_t>(i);
      image.palette.push_back(RgbQuad{static_cast<std::uint8_t>(255 - v), v,
                                      static_cast<std::uint8_t>(v * 7), 0});
    }
  }
  return image;
}

// Stores a raw pixel value at the image's depth (indices packed most significant bits first).
inline void setPixel(PixelBuffer& image, std::int32_t x, std::int32_t y, std::uint32_t value) {
  std::uint8_t* row = image.pixels.data() + std::size_t{image.stride} * y;
  int bits = image.bitsPerPixel;
  if (bits >= 8) {
    for (int b = 0; b < bits / 8; ++b) row[x * (bits / 8) + b] = (value >> (8 * b)) & 0xFF;
    return;
  }
  int bitOffset = x * bits;
  int shift = 8 - bits - bitOffset % 8;
  std::uint8_t mask = static_cast<std::uint8_t>(((1 << bits) - 1) << shift);
  row[bitOffset / 8] = static_cast<std::uint8_t>((row[bitOffset / 8] & ~mask) | (value << shift));
}

// A smooth 32-bit picture, colour changing slowly in both directions, as in a photo.
inline PixelBuffer gradient(std::int32_t width, std::int32_t height) {
  PixelBuffer image = blank(width, height, 32);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint32_t r = 255 * x / width, g = 255 * y / height, b = (r + g) / 2;
      setPixel(image, x, y, b | (g << 8) | (r << 16) | 0xEE000000u);  // X byte is ignored
    }
  }
  return image;
}

}  // namespace vireloc::testimages
