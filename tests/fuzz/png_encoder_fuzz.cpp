// Any clipboard bitmap into the PNG writer: a refusal before the first byte, or a file that
// libpng reads back to the image's colours, pixel for pixel.
#include <png.h>

#include <vector>

#include "capture/png_encoder.h"
#include "fuzz_image.h"

using namespace vireloc;
using namespace vireloc::fuzz;

namespace {

void checkFile(const PixelBuffer& image, const std::vector<std::uint8_t>& file) {
  png_image decoded{};
  decoded.version = PNG_IMAGE_VERSION;
  check(png_image_begin_read_from_memory(&decoded, file.data(), file.size()) != 0,
        "libpng cannot read the file");
  check(decoded.width == std::uint32_t(image.width) && decoded.height == std::uint32_t(image.height),
        "size");
  decoded.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(decoded));
  check(png_image_finish_read(&decoded, nullptr, rgb.data(), 0, nullptr) != 0,
        "libpng cannot decode the pixels");
  const std::uint8_t* p = rgb.data();
  for (std::int32_t y = 0; y < image.height; ++y) {
    for (std::int32_t x = 0; x < image.width; ++x, p += 3) {
      check(Rgb{p[0], p[1], p[2]} == colourAt(image, x, y), "pixel colour");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto encode = [](const PixelBuffer& image, FileWriter& out) { writePng(image, out); };
  return fuzzEncoder(
      data, size, kSmallImagePixels, 16, encode, [](const PixelBuffer&) { return false; }, checkFile);
}
