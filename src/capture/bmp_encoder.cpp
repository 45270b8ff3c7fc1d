#include "capture/bmp_encoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "common/app_error.h"
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

// Byte-wise mask, so the same bytes are kept whatever the host's byte order; a loop the
// compiler turns into vector instructions.
void copyClearingFourthBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels) {
  constexpr std::uint8_t keepBytes[4] = {0xFF, 0xFF, 0xFF, 0};
  std::uint32_t keep;
  std::memcpy(&keep, keepBytes, 4);
  for (std::size_t i = 0; i < pixels; ++i) {
    std::uint32_t pixel;
    std::memcpy(&pixel, in + 4 * i, 4);
    pixel &= keep;
    std::memcpy(out + 4 * i, &pixel, 4);
  }
}

// Row y as the file stores it, in rowSize bytes: padding zeroed and, at 32 bits, the fourth
// bytes cleared, which viewers would read as transparency.
void fillFileRow(const PixelBuffer& image, std::int32_t y, std::uint8_t* out,
                 std::size_t rowSize) {
  const std::size_t used = usedRowBytes(image);
  if (image.bitsPerPixel == 32) {
    copyClearingFourthBytes(image.pixels.data() + std::size_t{image.stride} * y, out,
                            static_cast<std::uint32_t>(image.width));
  } else {
    copyUsedRow(image, y, out);
  }
  std::memset(out + used, 0, rowSize - used);
}

// Whole rows per write, up to 1 MiB: few system calls, each of which also stamps the file's
// time (on the host, 64 KiB writes took 2.1-2.6x a single write of the file, 1 MiB 1.3-1.4x).
constexpr std::size_t chunkBytes = std::size_t{1} << 20;

// The chunk, one per thread and kept while the thread lives. A block this large comes from the
// heap as fresh pages every time (Wine's heap past about 100 KiB, Windows' past about
// 512 KiB), and under Wine faulting them in cost more than writing a 1024x768 screen. The
// captures' worker ends a few seconds after its last job: a burst of captures faults the
// chunk in once, and an idle program keeps none.
std::uint8_t* threadChunk() {
  // Every byte is filled before it is written: no need to zero it first.
  thread_local const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(chunkBytes);
  return chunk.get();
}

// The file holds rows bottom-up, straight from the image in one pass. Each chunk is a run of
// file rows filled by reading its image rows top-down: memory prefetching follows that
// far better than a walk backwards through the image.
void writeRowsBottomUp(const PixelBuffer& image, std::uint32_t rowSize, FileWriter& out) {
  const auto rowsPerChunk =
      static_cast<std::int32_t>(std::max<std::size_t>(1, chunkBytes / rowSize));
  std::unique_ptr<std::uint8_t[]> ownChunk;  // for a row longer than the thread's chunk
  if (rowSize > chunkBytes) ownChunk = std::make_unique_for_overwrite<std::uint8_t[]>(rowSize);
  std::uint8_t* const chunk = ownChunk ? ownChunk.get() : threadChunk();
  for (std::int32_t end = image.height; end > 0; end -= rowsPerChunk) {
    const std::int32_t first = std::max(0, end - rowsPerChunk);
    for (std::int32_t y = first; y < end; ++y) {
      fillFileRow(image, y, chunk + std::size_t{rowSize} * (end - 1 - y), rowSize);
    }
    out.write(chunk, std::size_t{rowSize} * (end - first));
  }
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

  std::vector<std::uint8_t> headers =
      makeHeaders(image, pixelOffset, static_cast<std::uint32_t>(imageSize));
  out.write(headers.data(), headers.size());
  writeRowsBottomUp(image, rowSize, out);
  out.close();
}

}  // namespace vireloc
