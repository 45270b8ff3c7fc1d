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
  InputReader in(data, size);
  const std::uint8_t writeFailure = in.byte();
  FuzzImage made = makeFuzzImage(in, kSmallImagePixels);
  MemoryFileWriter out;
  if (writeFailure & 0x80) out.failAfter(static_cast<std::size_t>(writeFailure & 0x7F) * 16);
  try {
    writePng(made.image, out);
  } catch (const AppError&) {
    check(!made.wellFormed, "a well-formed image was refused");
    check(out.bytes.empty(), "bytes written before a refusal");
    return 0;
  } catch (const SystemError&) {
    check(made.wellFormed && (writeFailure & 0x80), "a write failed that was never made to fail");
    return 0;
  }
  check(made.wellFormed, "a malformed image was written");
  check(out.closed, "the file was not closed");
  checkFile(made.image, out.bytes);
  return 0;
}
