// Any clipboard bitmap into the JPEG writer: a refusal before the first byte (a malformed
// image, or a side past JPEG's longest), or a file libjpeg reads back at the image's size.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "capture/jpeg_encoder.h"
#include "fuzz_image.h"

using namespace vireloc;
using namespace vireloc::fuzz;

namespace {

struct Reader {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump{};
};

void onError(j_common_ptr cinfo) { std::longjmp(static_cast<Reader*>(cinfo->client_data)->jump, 1); }
void onMessage(j_common_ptr) {}

// The whole file is decoded: a truncated or corrupt one fails here.
bool decodesAtSize(const std::vector<std::uint8_t>& file, std::uint32_t width, std::uint32_t height) {
  static Reader reader;  // outside the frame longjmp returns to
  static std::vector<std::uint8_t> row;
  jpeg_decompress_struct* cinfo = &reader.cinfo;
  cinfo->err = jpeg_std_error(&reader.errors);
  reader.errors.error_exit = onError;
  reader.errors.output_message = onMessage;
  cinfo->client_data = &reader;
  if (setjmp(reader.jump)) {
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(cinfo, TRUE);
  const bool sized = cinfo->image_width == width && cinfo->image_height == height &&
                     cinfo->num_components == 3;
  jpeg_start_decompress(cinfo);
  row.resize(std::size_t{cinfo->output_width} * cinfo->output_components);
  JSAMPROW rows[1] = {row.data()};
  while (cinfo->output_scanline < cinfo->output_height) jpeg_read_scanlines(cinfo, rows, 1);
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
  return sized;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto tooLong = [](const PixelBuffer& image) {
    return image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION;
  };
  const auto checkFile = [](const PixelBuffer& image, const std::vector<std::uint8_t>& file) {
    check(decodesAtSize(file, std::uint32_t(image.width), std::uint32_t(image.height)),
          "libjpeg cannot read the file back at the image's size");
  };
  return fuzzEncoder(data, size, kJpegStripPixels, 64, writeJpeg, tooLong, checkFile);
}
