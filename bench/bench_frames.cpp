#include "bench_frames.h"

#ifndef _WIN32
#include <png.h>
#endif

#include <cstdio>
#include <memory>
#include <vector>

#include "common/app_error.h"
#include "capture/encoder_rows.h"

namespace vireloc::bench {

namespace {

PixelBuffer blankFrame(std::int32_t width, std::int32_t height) {
  PixelBuffer frame;
  frame.width = width;
  frame.height = height;
  frame.bitsPerPixel = 32;
  frame.stride = PixelBuffer::strideFor(width, 32).value();
  frame.pixels.resize(std::size_t{frame.stride} * height);
  return frame;
}

// A binary PPM as savePpm writes it.
PixelBuffer loadPpm(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       std::fclose);
  int width = 0, height = 0, maximum = 0;
  if (!file || std::fscanf(file.get(), "P6 %d %d %d", &width, &height, &maximum) != 3 ||
      width <= 0 || height <= 0 || maximum != 255 || std::fgetc(file.get()) == EOF) {
    throw AppError("cannot read " + path + " as an 8-bit binary PPM");
  }
  PixelBuffer frame = blankFrame(width, height);
  std::vector<std::uint8_t> row(std::size_t{3} * width);
  for (std::int32_t y = 0; y < height; ++y) {
    if (std::fread(row.data(), 1, row.size(), file.get()) != row.size()) {
      throw AppError("cannot read " + path + ": it ends early");
    }
    std::uint8_t* out = frame.pixels.data() + std::size_t{frame.stride} * y;
    for (std::int32_t x = 0; x < width; ++x, out += 4) {
      out[0] = row[3 * x + 2], out[1] = row[3 * x + 1], out[2] = row[3 * x], out[3] = 0;
    }
  }
  return frame;
}

}  // namespace

PixelBuffer loadFrame(const std::string& path) {
  if (path.size() > 4 && path.compare(path.size() - 4, 4, ".ppm") == 0) return loadPpm(path);
#ifdef _WIN32
  throw AppError("the Windows build reads frames as PPM only: " + path);
#else
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    throw AppError("cannot read " + path + ": " + image.message);
  }
  image.format = PNG_FORMAT_BGRA;
  PixelBuffer frame = blankFrame(static_cast<std::int32_t>(image.width),
                                 static_cast<std::int32_t>(image.height));
  if (!png_image_finish_read(&image, nullptr, frame.pixels.data(), 0, nullptr)) {
    throw AppError("cannot decode " + path + ": " + image.message);
  }
  return frame;
#endif
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
