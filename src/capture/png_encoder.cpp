#include "capture/png_encoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "common/app_error.h"
#include "capture/byte_sink.h"
#include "capture/deflate_join.h"
#include "capture/encoder_rows.h"
#include "capture/png_row_filter.h"
#include "capture/spare_thread.h"

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

// One strip's piece of the zlib stream.
struct CompressedStrip {
  Bytes stream;  // raw deflate; another may follow it unless it is the last
  std::uint32_t adler = 1;  // of the strip's filtered rows alone
  std::size_t filteredBytes = 0;
};

// The strips of one image, taken one at a time by each thread that compresses.
struct StripWork {
  StripWork(const PixelBuffer& image, const PngSettings& settings)
      : image(image), settings(settings),
        rowsPerStrip(static_cast<std::int32_t>(
            std::clamp<std::size_t>(kStripBytes / RowFilter::rowBytes(image), 1, INT32_MAX))),
        strips(static_cast<std::size_t>((image.height - 1) / rowsPerStrip + 1)) {}

  const PixelBuffer& image;
  const PngSettings& settings;
  const std::int32_t rowsPerStrip;
  std::vector<CompressedStrip> strips;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
};

// What one thread needs to filter and compress strips: allocated once per image and thread.
class StripCompressor {
 public:
  explicit StripCompressor(const StripWork& work)
      : work_(work), rows_(work.image, work.settings.filter),
        compressor_(libdeflate_alloc_compressor(work.settings.level), libdeflate_free_compressor),
        filtered_(rows_.rowBytes() * static_cast<std::size_t>(work.rowsPerStrip)),
        out_(compressor_ ? libdeflate_deflate_compress_bound(compressor_.get(), filtered_.size) +
                               kJoinRoom
                         : 0) {
    // NULL also for want of memory, but a level out of range is the likelier cause.
    if (!compressor_) cannotCompress();
  }

  void compress(std::size_t index, CompressedStrip& strip) {
    const std::int32_t y = static_cast<std::int32_t>(index) * work_.rowsPerStrip;
    const std::int32_t count = std::min(work_.rowsPerStrip, work_.image.height - y);
    const std::size_t size = rows_.rowBytes() * static_cast<std::size_t>(count);
    rows_.seek(y);
    rows_.next(count, filtered_.bytes.get());
    strip.adler = libdeflate_adler32(1, filtered_.bytes.get(), size);
    strip.filteredBytes = size;
    std::size_t length = libdeflate_deflate_compress(compressor_.get(), filtered_.bytes.get(), size,
                                                     out_.bytes.get(), out_.size - kJoinRoom);
    if (length == 0) cannotCompress();  // the bound was no bound
    if (index + 1 < work_.strips.size() &&
        (length = joiner_.joinable(out_.bytes.get(), length)) == 0)
      cannotCompress();
    // A chunk holds less than 2 GiB, the zlib header and checksum included: a strip is one
    // row of a giant there.
    if (length > INT32_MAX - 6) cannotCompress();
    strip.stream.assign(out_.bytes.get(), out_.bytes.get() + length);
  }

 private:
  const StripWork& work_;
  RowFilter rows_;
  Compressor compressor_;
  Buffer filtered_, out_;
  DeflateJoiner joiner_;
};

// Compresses strips until none is left; what went wrong, if anything.
std::exception_ptr compressStrips(StripWork& work) {
  try {
    StripCompressor compressor(work);
    for (std::size_t i; !work.failed && (i = work.next++) < work.strips.size();)
      compressor.compress(i, work.strips[i]);
  } catch (...) {
    work.failed = true;
    return std::current_exception();
  }
  return nullptr;
}

// The Adler-32 of two byte runs one after the other, from each run's own.
std::uint32_t adlerJoined(std::uint32_t first, std::uint32_t second, std::size_t secondBytes) {
  constexpr std::uint32_t kBase = 65521;
  const std::uint32_t remainder = static_cast<std::uint32_t>(secondBytes % kBase);
  std::uint32_t low = first & 0xFFFF;
  std::uint32_t high = static_cast<std::uint32_t>(std::uint64_t{remainder} * low % kBase);
  low += (second & 0xFFFF) + kBase - 1;
  high += (first >> 16) + (second >> 16) + kBase - remainder;
  low %= kBase;
  high %= kBase;
  return high << 16 | low;
}

// Kept between images: a burst of captures starts it once.
SpareThread& spareThread() {
  static SpareThread spare(std::chrono::seconds(5));
  return spare;
}

// The image's filtered rows compressed a strip at a time, by this thread and, when the image
// has more than one strip, the spare thread beside it.
std::vector<CompressedStrip> compressImage(const PixelBuffer& image, const PngSettings& settings) {
  StripWork work(image, settings);
  std::exception_ptr spareFailure;
  const bool helped = settings.spareThread && work.strips.size() > 1 &&
                      spareThread().start([&] { spareFailure = compressStrips(work); });
  const std::exception_ptr failure = compressStrips(work);
  if (helped) spareThread().wait();
  if (failure) std::rethrow_exception(failure);
  if (spareFailure) std::rethrow_exception(spareFailure);
  return std::move(work.strips);
}

// The strips as one zlib stream, one IDAT chunk each.
void putImageData(ByteSink& sink, std::vector<CompressedStrip>& strips, int level) {
  std::uint32_t adler = 1;
  for (std::size_t i = 0; i < strips.size(); ++i) {
    Bytes& stream = strips[i].stream;
    adler = adlerJoined(adler, strips[i].adler, strips[i].filteredBytes);
    if (i == 0) {
      const auto head = zlibHeader(level);
      stream.insert(stream.begin(), head.begin(), head.end());
    }
    if (i + 1 == strips.size()) {
      stream.resize(stream.size() + 4);
      putBigEndian(&stream[stream.size() - 4], adler);
    }
    putChunk(sink, "IDAT", stream.data(), stream.size());
    Bytes().swap(stream);
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
  std::vector<CompressedStrip> strips = compressImage(image, settings);

  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ByteSink sink(out, 1 << 16);
  sink.put(kSignature, sizeof kSignature);
  const Bytes header = headerOf(image);
  putChunk(sink, "IHDR", header.data(), header.size());
  if (image.bitsPerPixel <= 8) {
    const Bytes palette = paletteOf(image);
    putChunk(sink, "PLTE", palette.data(), palette.size());
  }
  putImageData(sink, strips, settings.level);
  putChunk(sink, "IEND", nullptr, 0);
  sink.flush();
  out.close();
}

}  // namespace vireloc
