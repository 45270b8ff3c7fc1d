// Any clipboard bitmap into the BMP writer: a refusal before the first byte, or a file whose
// headers add up and whose rows, bottom-up, hold the image's pixels.
#include <cstring>

#include "capture/bmp_encoder.h"
#include "fuzz_image.h"

using namespace vireloc;
using namespace vireloc::fuzz;

namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

void checkFile(const PixelBuffer& image, const std::vector<std::uint8_t>& file) {
  check(file.size() >= 54 && file[0] == 'B' && file[1] == 'M', "no BMP header");
  check(u32At(file, 2) == file.size(), "file size field is not the file's size");
  const std::uint32_t offset = u32At(file, 10);
  const std::uint32_t rowSize = *PixelBuffer::strideFor(image.width, image.bitsPerPixel);
  check(offset + std::uint64_t{rowSize} * image.height == file.size(), "pixel data size");
  check(u32At(file, 18) == std::uint32_t(image.width) && u32At(file, 22) == std::uint32_t(image.height),
        "size fields");
  for (std::int32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* row = file.data() + offset + std::size_t{rowSize} * (image.height - 1 - y);
    // Only the pixels' own bits are compared; padding and 32-bit X bytes must be zero.
    for (std::int32_t x = 0; x < image.width; ++x) {
      if (image.bitsPerPixel >= 16) {
        const std::size_t bytes = image.bitsPerPixel / 8;
        const std::uint8_t* in = image.pixels.data() + std::size_t{image.stride} * y + bytes * x;
        check(std::memcmp(row + bytes * x, in, image.bitsPerPixel == 32 ? 3 : bytes) == 0, "pixel");
        if (image.bitsPerPixel == 32) check(row[4 * std::size_t(x) + 3] == 0, "X byte not cleared");
      }
    }
    const std::uint64_t usedBits = std::uint64_t{image.bitsPerPixel} * image.width;
    for (std::uint64_t bit = usedBits; bit < std::uint64_t{rowSize} * 8; ++bit) {
      check(((row[bit / 8] >> (7 - bit % 8)) & 1) == 0, "padding bit set");
    }
    if (image.bitsPerPixel <= 8) {
      const std::uint8_t* in = image.pixels.data() + std::size_t{image.stride} * y;
      for (std::uint64_t bit = 0; bit < usedBits; ++bit) {
        check(((row[bit / 8] ^ in[bit / 8]) >> (7 - bit % 8) & 1) == 0, "index bit");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzzEncoder(
      data, size, kSmallImagePixels, 64, writeBmp, [](const PixelBuffer&) { return false; }, checkFile);
}
