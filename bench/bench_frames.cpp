#include "bench_frames.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "common/app_error.h"
#include "capture/encoder_rows.h"

namespace vireloc::bench {

PixelBuffer loadFrame(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    throw AppError("cannot read " + path + ": " + image.message);
  }
  image.format = PNG_FORMAT_BGRA;
  PixelBuffer frame;
  frame.width = static_cast<std::int32_t>(image.width);
  frame.height = static_cast<std::int32_t>(image.height);
  frame.bitsPerPixel = 32;
  frame.stride = PixelBuffer::strideFor(frame.width, 32).value();
  frame.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, frame.pixels.data(), 0, nullptr)) {
    throw AppError("cannot decode " + path + ": " + image.message);
  }
  return frame;
}

void savePpm(const PixelBuffer& frame, const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                       std::fclose);
  if (!file) throw AppError("cannot create " + path);
  std::fprintf(file.get(), "P6\n%d %d\n255\n", frame.width, frame.height);
  RgbRowConverter converter(frame);
  std::vector<std::uint8_t> row(std::size_t{3} * frame.width);
  for (std::int32_t y = 0; y < frame.height; ++y) {
    converter.convert(y, row.data());
    if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size()) {
      throw AppError("cannot write " + path);
    }
  }
}

}  // namespace vireloc::bench
