#include "capture/bmp_encoder.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "common/app_error.h"
#include "capture/byte_sink.h"
#include "capture/encoder_rows.h"

namespace vireloc {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;

// Little-endian fields, whatever the host's byte order.
class HeaderBytes {
 public:
  void u16(std::uint32_t v) { bytes_.push_back(v & 0xFF), bytes_.push_back((v >> 8) & 0xFF); }
  void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> makeHeaders(const PixelBuffer& image, std::uint32_t pixelOffset,
                                      std::uint32_t imageSize) {
  HeaderBytes h;
  h.u16('B' | ('M' << 8));
  h.u32(pixelOffset + imageSize);
  h.u16(0), h.u16(0);
  h.u32(pixelOffset);
  h.u32(infoHeaderSize);
  h.u32(static_cast<std::uint32_t>(image.width));
  h.u32(static_cast<std::uint32_t>(image.height));  // positive: rows bottom-up
  h.u16(1);                                          // planes
  h.u16(image.bitsPerPixel);
  h.u32(0);  // BI_RGB
  h.u32(imageSize);
  h.u32(0), h.u32(0);  // resolution
  h.u32(0), h.u32(0);  // colours used, important: all
  for (std::size_t i = 0; image.bitsPerPixel <= 8 && i < (1u << image.bitsPerPixel); ++i) {
    const RgbQuad& q = image.palette[i];
    h.u16(q.blue | (q.green << 8)), h.u16(q.red);  // reserved byte written as 0
  }
  return h.bytes();
}

}  // namespace

void writeBmp(const PixelBuffer& image, FileWriter& out) {
  requireEncodable(image, "BMP");
  const std::uint32_t rowSize = *PixelBuffer::strideFor(image.width, image.bitsPerPixel);
  const std::uint32_t tableSize = image.bitsPerPixel <= 8 ? 4u << image.bitsPerPixel : 0;
  const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + tableSize;
  const std::uint64_t imageSize =
      std::uint64_t{rowSize} * static_cast<std::uint32_t>(image.height);
  if (imageSize > std::numeric_limits<std::uint32_t>::max() - pixelOffset) {
    throw AppError("画像が 4 GB を超えるため、BMP 形式では保存できません");
  }

  ByteSink sink(out);
  std::vector<std::uint8_t> headers =
      makeHeaders(image, pixelOffset, static_cast<std::uint32_t>(imageSize));
  sink.put(headers.data(), headers.size());

  const std::size_t used = usedRowBytes(image);
  // Rows that fill their stride exactly go out without a copy; 32-bit rows are copied to
  // clear their fourth bytes, which viewers would read as transparency.
  const bool rowsAsTheyAre = used == rowSize && image.bitsPerPixel != 32 &&
                             (std::uint64_t{image.bitsPerPixel} * image.width) % 8 == 0;
  std::vector<std::uint8_t> row(rowsAsTheyAre ? 0 : rowSize, 0);  // padding stays zero
  for (std::int32_t y = image.height - 1; y >= 0; --y) {
    if (rowsAsTheyAre) {
      sink.put(image.pixels.data() + std::size_t{image.stride} * y, rowSize);
    } else {
      copyUsedRow(image, y, row.data());
      if (image.bitsPerPixel == 32) {
        for (std::size_t x = 3; x < used; x += 4) row[x] = 0;
      }
      sink.put(row.data(), rowSize);
    }
  }
  sink.flush();
  out.close();
}

}  // namespace vireloc
