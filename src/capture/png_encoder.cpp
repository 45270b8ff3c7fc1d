#include "capture/png_encoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/app_error.h"
#include "capture/byte_sink.h"
#include "capture/deflate_join.h"
#include "capture/encoder_rows.h"

namespace vireloc {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Bytes that are written before they are read: left uninitialised, so the pages the
// compressor's worst-case output never reaches are never touched.
struct Buffer {
  explicit Buffer(std::size_t size)
      : bytes(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size(size) {}
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t size;
};

constexpr std::uint8_t kFilterNone = 0, kFilterSub = 1, kFilterUp = 2;

void putBigEndian(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 24);
  at[1] = static_cast<std::uint8_t>(value >> 16);
  at[2] = static_cast<std::uint8_t>(value >> 8);
  at[3] = static_cast<std::uint8_t>(value);
}

void putChunk(ByteSink& sink, const char (&type)[5], const std::uint8_t* data, std::size_t size) {
  std::uint8_t head[8];
  putBigEndian(head, static_cast<std::uint32_t>(size));
  std::memcpy(head + 4, type, 4);
  std::uint32_t sum = libdeflate_crc32(0, type, 4);
  if (size > 0) sum = libdeflate_crc32(sum, data, size);  // a null buffer restarts the sum
  std::uint8_t crc[4];
  putBigEndian(crc, sum);
  sink.put(head, sizeof head);
  if (size > 0) sink.put(data, size);
  sink.put(crc, sizeof crc);
}

constexpr std::size_t kRgb = 3;  // SUB's left neighbour lies one pixel back

// The byte-wise differences a - b; plain loops the compiler vectorises.
void subtract(const std::uint8_t* a, const std::uint8_t* b, std::size_t size, std::uint8_t* out) {
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(a[i] - b[i]);
}

// The sum of |a - b| over bytes read as signed: what a filter leaves for the deflater.
std::uint32_t signedSum(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const auto d = static_cast<std::int8_t>(a[i] - b[i]);
    sum += static_cast<std::uint32_t>(d < 0 ? -d : d);
  }
  return sum;
}

// Whichever of UP and SUB leaves the smaller signed sum: not always the deflater's best
// choice, but close, and cheap.
std::uint8_t cheaperOfUpAndSub(const std::uint8_t* row, const std::uint8_t* above,
                               std::size_t size) {
  static constexpr std::uint8_t kZero[kRgb] = {};
  const std::uint32_t up = signedSum(row, above, size);
  const std::uint32_t sub = signedSum(row, kZero, kRgb) + signedSum(row + kRgb, row, size - kRgb);
  return sub < up ? kFilterSub : kFilterUp;
}

// Writes the filter type, then the filtered bytes of an R,G,B row (at least one pixel);
// `above` is the row before it (all zero above the first).
void filterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
               PngRowFilter filter, std::uint8_t* out) {
  const std::uint8_t type = filter == PngRowFilter::upOrSub ? cheaperOfUpAndSub(row, above, size)
                            : filter == PngRowFilter::up    ? kFilterUp
                                                            : kFilterNone;
  *out++ = type;
  if (type == kFilterUp) {
    subtract(row, above, size, out);
  } else if (type == kFilterSub) {
    std::memcpy(out, row, kRgb);
    subtract(row + kRgb, row, size - kRgb, out + kRgb);
  } else {
    std::memcpy(out, row, size);
  }
}

// Rows of the image as IDAT compresses them, each its filter type and then its bytes, made a
// strip at a time into a buffer that every strip reuses.
class RowFilter {
 public:
  RowFilter(const PixelBuffer& image, PngRowFilter filter)
      : image_(image), filter_(filter), converter_(image),
        size_(image.bitsPerPixel <= 8 ? usedRowBytes(image)
                                      : std::size_t{3} * static_cast<std::uint32_t>(image.width)),
        above_(size_, 0), row_(size_) {}

  // Bytes of one filtered row.
  std::size_t rowBytes() const { return size_ + 1; }

  // Writes the next `count` rows into out.
  void next(std::int32_t count, std::uint8_t* out) {
    for (const std::int32_t end = y_ + count; y_ < end; ++y_, out += rowBytes()) {
      if (image_.bitsPerPixel <= 8) {
        out[0] = kFilterNone;
        copyUsedRow(image_, y_, out + 1);
        continue;
      }
      converter_.convert(y_, row_.data());
      filterRow(row_.data(), above_.data(), size_, filter_, out);
      std::swap(above_, row_);
    }
  }

 private:
  const PixelBuffer& image_;
  const PngRowFilter filter_;
  const RgbRowConverter converter_;
  const std::size_t size_;
  Bytes above_, row_;
  std::int32_t y_ = 0;
};

Bytes headerOf(const PixelBuffer& image) {
  const bool indexed = image.bitsPerPixel <= 8;
  Bytes header(13, 0);
  putBigEndian(&header[0], static_cast<std::uint32_t>(image.width));
  putBigEndian(&header[4], static_cast<std::uint32_t>(image.height));
  header[8] = static_cast<std::uint8_t>(indexed ? image.bitsPerPixel : 8);
  header[9] = indexed ? 3 : 2;  // palette or R,G,B; compression, filter method, no interlace
  return header;
}

Bytes paletteOf(const PixelBuffer& image) {
  Bytes palette;
  for (std::size_t i = 0; i < (std::size_t{1} << image.bitsPerPixel); ++i) {
    const RgbQuad& q = image.palette[i];
    palette.insert(palette.end(), {q.red, q.green, q.blue});
  }
  return palette;
}

using Compressor = std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)>;

[[noreturn]] void cannotCompress() { throw AppError("画像を PNG 形式に変換できません"); }

// The zlib stream's two leading bytes: deflate with a 32 KiB window, and a hint of the effort.
std::array<std::uint8_t, 2> zlibHeader(int level) {
  const unsigned effort = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  const unsigned head = 0x7800 | effort << 6;
  const unsigned check = (31 - head % 31) % 31;
  return {0x78, static_cast<std::uint8_t>((head | check) & 0xFF)};
}

// About this many bytes of filtered rows are compressed at a time. Small enough that the
// buffers come from heap memory already touched: a first touch of a page can cost more than
// compressing it, and Wine's heap maps blocks from about 100 KiB anew every time. Large enough
// that each strip's fresh start (no earlier bytes to match) costs the file 1-2%.
constexpr std::size_t kStripBytes = 64 * 1024;

// The image data as one zlib stream in one IDAT chunk per strip.
void putImageData(ByteSink& sink, const PixelBuffer& image, const PngSettings& settings,
                  libdeflate_compressor* compressor) {
  RowFilter rows(image, settings.filter);
  const auto rowsPerStrip = static_cast<std::int32_t>(
      std::clamp<std::size_t>(kStripBytes / rows.rowBytes(), 1, INT32_MAX));
  const std::size_t stripBytes = rows.rowBytes() * static_cast<std::size_t>(rowsPerStrip);
  Buffer strip(stripBytes);
  // Before the stream its header, after it room for the join or the checksum.
  constexpr std::size_t kHead = 2, kTail = std::max<std::size_t>(kJoinRoom, 4);
  Buffer out(kHead + libdeflate_deflate_compress_bound(compressor, stripBytes) + kTail);
  DeflateJoiner joiner;
  std::uint32_t adler = 1;
  for (std::int32_t y = 0; y < image.height; y += rowsPerStrip) {
    const std::int32_t count = std::min(rowsPerStrip, image.height - y);
    const std::size_t size = rows.rowBytes() * static_cast<std::size_t>(count);
    rows.next(count, strip.bytes.get());
    adler = libdeflate_adler32(adler, strip.bytes.get(), size);
    std::uint8_t* const stream = out.bytes.get() + kHead;
    std::size_t length = libdeflate_deflate_compress(compressor, strip.bytes.get(), size, stream,
                                                     out.size - kHead - kTail);
    if (length == 0) cannotCompress();  // the bound was no bound
    const bool last = y + count == image.height;
    if (last) {
      putBigEndian(stream + length, adler);
      length += 4;
    } else if ((length = joiner.joinable(stream, length)) == 0) {
      cannotCompress();
    }
    std::uint8_t* begin = stream;
    if (y == 0) {
      begin -= kHead;
      std::memcpy(begin, zlibHeader(settings.level).data(), kHead);
    }
    const auto chunk = static_cast<std::size_t>(stream + length - begin);
    if (chunk > INT32_MAX) cannotCompress();  // a chunk holds less than 2 GiB: a row of a giant
    putChunk(sink, "IDAT", begin, chunk);
  }
}

}  // namespace

PngSettings defaultPngSettings() {
  // bench/RESULTS.md: on 1080p and 4K desktops files within 2% of ImageMagick's; level 4 is
  // a little faster, but its files are some 3% larger.
  return PngSettings{5, PngRowFilter::upOrSub};
}

void writePng(const PixelBuffer& image, FileWriter& out) {
  writePng(image, out, defaultPngSettings());
}

void writePng(const PixelBuffer& image, FileWriter& out, const PngSettings& settings) {
  requireEncodable(image, "PNG");
  Compressor compressor(libdeflate_alloc_compressor(settings.level), libdeflate_free_compressor);
  // NULL also for want of memory, but a level out of range is the likelier cause.
  if (!compressor) cannotCompress();

  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ByteSink sink(out, 1 << 16);
  sink.put(kSignature, sizeof kSignature);
  const Bytes header = headerOf(image);
  putChunk(sink, "IHDR", header.data(), header.size());
  if (image.bitsPerPixel <= 8) {
    const Bytes palette = paletteOf(image);
    putChunk(sink, "PLTE", palette.data(), palette.size());
  }
  putImageData(sink, image, settings, compressor.get());
  putChunk(sink, "IEND", nullptr, 0);
  sink.flush();
  out.close();
}

}  // namespace vireloc
