// Clipboard bitmaps as another program may hand them over, made from fuzz input, and what a
// correct encoder must do with each: refuse a malformed one before writing a byte, or write
// every pixel of a well-formed one.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "common/app_error.h"
#include "fuzz_check.h"
#include "memory_file_writer.h"
#include "platform/pixel_buffer.h"

namespace vireloc::fuzz {

// Reads the input front to back; past its end every read gives 0.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint16_t u16() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
  std::size_t remaining() const { return size_ - at_; }
  const std::uint8_t* rest() const { return data_ + at_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Encoding runs stay short: pixel data is only filled out for images up to mostFilledPixels
// pixels; larger ones get what the input holds, which a well-formed image rarely fits.
inline constexpr std::uint64_t kSmallImagePixels = 4096;
// Enough for a 65 501 x 1 strip, past JPEG's longest side.
inline constexpr std::uint64_t kJpegStripPixels = 70000;

struct FuzzImage {
  PixelBuffer image;
  bool wellFormed = false;  // what requireEncodable must accept
};

// Layout: depth, width, height (16 bits each, with a flag byte that can make them negative or
// huge), stride change, palette change, pixel data change, then palette and pixel bytes.
inline FuzzImage makeFuzzImage(InputReader& in, std::uint64_t mostFilledPixels) {
  static constexpr std::uint16_t kDepths[] = {1, 4, 8, 16, 24, 32, 1, 4, 8, 16, 24, 32,
                                              0, 2, 15, 33};
  FuzzImage made;
  PixelBuffer& image = made.image;
  image.bitsPerPixel = kDepths[in.byte() % 16];
  std::int64_t width = in.u16(), height = in.u16();
  const std::uint8_t sizeFlags = in.byte();
  if (sizeFlags & 1) width = -width;
  if (sizeFlags & 2) height = -height;
  if (sizeFlags & 4) width = std::numeric_limits<std::int32_t>::max() - width;
  if (sizeFlags & 8) height = std::numeric_limits<std::int32_t>::max() - height;
  image.width = static_cast<std::int32_t>(width);
  image.height = static_cast<std::int32_t>(height);

  // Stride: what a DIB would use, changed by -8..+7 bytes when the input says so.
  const auto dibStride = PixelBuffer::strideFor(image.width, image.bitsPerPixel);
  const std::int8_t strideChange = static_cast<std::int8_t>(in.byte());
  const bool strideChanged = (strideChange & 0x70) == 0x70;
  std::int64_t stride = dibStride.value_or(0);
  if (strideChanged) stride += (strideChange & 0x0F) - 8;
  image.stride = static_cast<std::uint32_t>(stride < 0 ? 0 : stride);

  const std::uint8_t paletteChange = in.byte();
  const std::size_t paletteNeeded =
      image.bitsPerPixel <= 8 ? std::size_t{1} << image.bitsPerPixel : 0;
  std::size_t paletteSize = paletteNeeded;
  if ((paletteChange & 0xF0) == 0xF0) paletteSize = paletteChange & 0x0F;  // short or none
  if ((paletteChange & 0xF0) == 0xE0) paletteSize += paletteChange & 0x0F;  // extra entries
  for (std::size_t i = 0; i < paletteSize; ++i) {
    image.palette.push_back(RgbQuad{in.byte(), in.byte(), in.byte(), in.byte()});
  }

  const std::uint8_t pixelChange = in.byte();
  const std::uint64_t held = std::uint64_t{image.stride} * static_cast<std::uint32_t>(
                                                               image.height < 0 ? 0 : image.height);
  const std::uint64_t pixelCount = static_cast<std::uint64_t>(width < 0 ? 0 : width) *
                                   static_cast<std::uint64_t>(height < 0 ? 0 : height);
  std::size_t bytes = in.remaining();
  if (pixelCount <= mostFilledPixels && held <= 4 * mostFilledPixels + 4 * 65536) {
    bytes = static_cast<std::size_t>(held);
    if ((pixelChange & 0xF0) == 0xF0) bytes -= std::min<std::size_t>(bytes, pixelChange & 0x0F);
  }
  image.pixels.resize(bytes);
  const std::uint8_t* source = in.rest();
  const std::size_t sourceSize = in.remaining();
  for (std::size_t i = 0; i < bytes; ++i) {
    image.pixels[i] = sourceSize ? source[i % sourceSize] : static_cast<std::uint8_t>(i * 37);
  }

  const std::uint16_t bits = image.bitsPerPixel;
  const bool depthOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  const auto needed = PixelBuffer::byteCountFor(image.width, image.height, image.bitsPerPixel);
  made.wellFormed = depthOk && image.width > 0 && image.height > 0 && dibStride && needed &&
                    image.stride >= *dibStride && image.pixels.size() >= held &&
                    image.palette.size() >= paletteNeeded;
  return made;
}

struct Rgb {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb&) const = default;
};

// The colour of pixel (x, y) read straight from the buffer's documented layout.
inline Rgb colourAt(const PixelBuffer& image, std::int32_t x, std::int32_t y) {
  const std::uint8_t* row = image.pixels.data() + std::size_t{image.stride} * y;
  const unsigned bits = image.bitsPerPixel;
  if (bits == 32 || bits == 24) {
    const std::uint8_t* p = row + std::size_t{bits / 8} * x;
    return Rgb{p[2], p[1], p[0]};
  }
  if (bits == 16) {
    const unsigned v = row[2 * std::size_t(x)] | (row[2 * std::size_t(x) + 1] << 8);
    auto expand = [](unsigned five) { return static_cast<std::uint8_t>((five << 3) | (five >> 2)); };
    return Rgb{expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31)};
  }
  const std::uint64_t bit = std::uint64_t{bits} * static_cast<std::uint32_t>(x);
  const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
  const RgbQuad& q = image.palette[index];
  return Rgb{q.red, q.green, q.blue};
}

// One encoder run over a fuzzed image, writing to a file that fails after failStep times the
// input's count of bytes when asked to. A malformed image, or one `refuses` names, is refused
// before any byte; only a write made to fail fails; anything else is written, closed and
// handed to checkFile.
template <typename Encode, typename Refuses, typename CheckFile>
int fuzzEncoder(const std::uint8_t* data, std::size_t size, std::uint64_t mostFilledPixels,
                std::size_t failStep, Encode encode, Refuses refuses, CheckFile checkFile) {
  InputReader in(data, size);
  const std::uint8_t writeFailure = in.byte();
  FuzzImage made = makeFuzzImage(in, mostFilledPixels);
  const bool mustRefuse = !made.wellFormed || refuses(made.image);
  MemoryFileWriter out;
  if (writeFailure & 0x80) out.failAfter(static_cast<std::size_t>(writeFailure & 0x7F) * failStep);
  try {
    encode(made.image, out);
  } catch (const AppError&) {
    check(mustRefuse, "a well-formed image was refused");
    check(out.bytes.empty(), "bytes written before a refusal");
    return 0;
  } catch (const SystemError&) {
    check(made.wellFormed && (writeFailure & 0x80), "a write failed that was never made to fail");
    return 0;
  }
  check(!mustRefuse, "an image was written that must be refused");
  check(out.closed, "the file was not closed");
  checkFile(made.image, out.bytes);
  return 0;
}

}  // namespace vireloc::fuzz
