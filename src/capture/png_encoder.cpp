#include "capture/png_encoder.h"

#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <exception>
#include <type_traits>
#include <string>
#include <vector>

#include "common/app_error.h"
#include "capture/byte_sink.h"
#include "capture/encoder_rows.h"

namespace vireloc {

namespace {

// Everything libpng's callbacks reach. libpng is C: a failure leaves it by longjmp, so no
// C++ exception may cross it; the callbacks park the exception here instead.
struct PngJob {
  PngJob(const PixelBuffer& image, FileWriter& out, const PngSettings& settings)
      : image(image), settings(settings), sink(out),
        row(image.bitsPerPixel <= 8 ? usedRowBytes(image)
                                    : std::size_t{3} * static_cast<std::uint32_t>(image.width)) {}

  const PixelBuffer& image;
  PngSettings settings;
  ByteSink sink;
  std::vector<std::uint8_t> row;
  std::array<png_color, 256> palette{};
  std::exception_ptr writeFailure;
};

// The library's own text is English; the user is told in the program's words instead.
void onPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void onPngWarning(png_structp, png_const_charp) {
  // Nothing we write can draw a warning worth showing to the user.
}

void onPngWrite(png_structp png, png_bytep data, std::size_t size) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  try {
    job->sink.put(data, size);
  } catch (...) {
    job->writeFailure = std::current_exception();
  }
  if (job->writeFailure) png_error(png, "write failed");
}

void onPngFlush(png_structp) {
  // The sink is flushed once, after IEND; libpng's default would treat our job as a FILE*.
}

void describeImage(png_structp png, png_infop info, PngJob& job) {
  const PixelBuffer& image = job.image;
  const bool indexed = image.bitsPerPixel <= 8;
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), indexed ? image.bitsPerPixel : 8,
               indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  if (indexed) {
    int entries = 1 << image.bitsPerPixel;
    for (int i = 0; i < entries; ++i) {
      const RgbQuad& q = image.palette[i];
      job.palette[i] = png_color{q.red, q.green, q.blue};
    }
    png_set_PLTE(png, info, job.palette.data(), entries);
  }
  png_set_compression_level(png, job.settings.level);
  png_set_compression_strategy(png, job.settings.strategy);
  // Palette indices have no numeric neighbourhood for a filter to exploit.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, indexed ? PNG_FILTER_NONE : job.settings.filters);
  // Fewer, larger IDAT chunks: less framing and fewer calls into the sink.
  png_set_compression_buffer_size(png, 1 << 17);
}

static_assert(std::is_trivially_destructible_v<RgbRowConverter>);

void writeRows(png_structp png, PngJob& job) {
  const PixelBuffer& image = job.image;
  if (image.bitsPerPixel <= 8) {
    for (std::int32_t y = 0; y < image.height; ++y) {
      copyUsedRow(image, y, job.row.data());
      png_write_row(png, job.row.data());
    }
    return;
  }
  const RgbRowConverter converter(image);  // trivially destructible: a longjmp may skip it
  for (std::int32_t y = 0; y < image.height; ++y) {
    converter.convert(y, job.row.data());
    png_write_row(png, job.row.data());
  }
}

// The only frame libpng may longjmp into. It holds no C++ object that a jump could skip:
// what needs destroying lives in the job, owned by the caller.
bool encode(PngJob& job) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, onPngError, onPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &job, onPngWrite, onPngFlush);
  describeImage(png, info, job);
  png_write_info(png, info);
  writeRows(png, job);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

PngSettings defaultPngSettings() {
  // bench/RESULTS.md: 1080p/4K desktops 2.2-2.6x faster than ImageMagick encodes, +2-5% size.
  return PngSettings{5, PNG_FILTER_UP, Z_DEFAULT_STRATEGY};
}

void writePng(const PixelBuffer& image, FileWriter& out) {
  writePng(image, out, defaultPngSettings());
}

void writePng(const PixelBuffer& image, FileWriter& out, const PngSettings& settings) {
  requireEncodable(image, "PNG");
  PngJob job(image, out, settings);
  if (!encode(job)) {
    if (job.writeFailure) std::rethrow_exception(job.writeFailure);
    throw AppError("画像を PNG 形式に変換できません");
  }
  job.sink.flush();
  out.close();
}

}  // namespace vireloc
