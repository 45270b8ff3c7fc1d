#include "capture/png_encoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <utility>
#include <string>
#include <thread>
#include <vector>

#include "common/app_error.h"
#include "capture/encoder_rows.h"
#include "encoder_test_images.h"
#include "memory_file_writer.h"

namespace vireloc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testimages::blank;
using testimages::setPixel;

struct Chunk {
  std::string type;
  Bytes data;
};

std::uint32_t bigEndian(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Splits a PNG file into its chunks, checking the signature and each chunk's CRC.
std::vector<Chunk> chunksOf(const Bytes& file) {
  static const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<Chunk> chunks;
  EXPECT_TRUE(file.size() >= 8 && Bytes(file.begin(), file.begin() + 8) == signature);
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    std::uint32_t length = bigEndian(&file[at]);
    if (at + 12 + length > file.size()) break;
    Chunk chunk{std::string(file.begin() + at + 4, file.begin() + at + 8),
                Bytes(file.begin() + at + 8, file.begin() + at + 8 + length)};
    std::uint32_t crc = crc32(0, &file[at + 4], 4 + length);
    EXPECT_EQ(crc, bigEndian(&file[at + 8 + length])) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  EXPECT_EQ(at, file.size()) << "trailing bytes after the last chunk";
  return chunks;
}

// The distinct chunk types in order, a run of IDATs counted once.
std::string layout(const std::vector<Chunk>& chunks) {
  std::string out;
  for (const Chunk& c : chunks) {
    if (out.size() >= 4 && out.compare(out.size() - 4, 4, c.type) == 0) continue;
    out += out.empty() ? c.type : " " + c.type;
  }
  return out;
}

// Decodes with libpng's own reader into 8-bit R,G,B.
Bytes decodeRgb(const Bytes& file, std::int32_t& width, std::int32_t& height) {
  png_image decoded{};
  decoded.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&decoded, file.data(), file.size())) {
    ADD_FAILURE() << decoded.message;
    return {};
  }
  decoded.format = PNG_FORMAT_RGB;
  Bytes pixels(PNG_IMAGE_SIZE(decoded));
  EXPECT_TRUE(png_image_finish_read(&decoded, nullptr, pixels.data(), 0, nullptr))
      << decoded.message;
  width = static_cast<std::int32_t>(decoded.width);
  height = static_cast<std::int32_t>(decoded.height);
  return pixels;
}

Bytes expectedRgb(const PixelBuffer& image) {
  Bytes rgb(std::size_t{3} * image.width * image.height);
  RgbRowConverter converter(image);
  for (std::int32_t y = 0; y < image.height; ++y) converter.convert(y, &rgb[3 * image.width * y]);
  return rgb;
}

Bytes encode(const PixelBuffer& image, const PngSettings& settings = defaultPngSettings()) {
  MemoryFileWriter out;
  writePng(image, out, settings);
  EXPECT_TRUE(out.closed);
  return out.bytes;
}

void expectRoundTrip(const PixelBuffer& image, const Bytes& file) {
  std::int32_t width = 0, height = 0;
  Bytes decoded = decodeRgb(file, width, height);
  EXPECT_EQ(width, image.width);
  EXPECT_EQ(height, image.height);
  EXPECT_TRUE(decoded == expectedRgb(image)) << "pixels differ after decoding";
}

// Noise with structure, so every filter has work to do.
PixelBuffer busyImage(std::int32_t width, std::int32_t height, std::uint16_t bits) {
  PixelBuffer image = blank(width, height, bits);
  std::uint32_t state = 12345;
  std::uint32_t limit = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      std::uint32_t value = (x / 7 + y / 5) % 3 == 0 ? (state >> 8) : std::uint32_t(x * y);
      setPixel(image, x, y, value & limit);
    }
  }
  return image;
}

TEST(PngEncoder, TrueColourIsEightBitRgbWithOnlyCriticalChunks) {
  for (std::uint16_t bits : {32, 24, 16}) {
    PixelBuffer image = busyImage(37, 23, bits);
    Bytes file = encode(image);
    std::vector<Chunk> chunks = chunksOf(file);
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(layout(chunks), "IHDR IDAT IEND") << bits;
    const Bytes& ihdr = chunks[0].data;
    ASSERT_EQ(ihdr.size(), 13u);
    EXPECT_EQ(bigEndian(&ihdr[0]), 37u);
    EXPECT_EQ(bigEndian(&ihdr[4]), 23u);
    EXPECT_EQ(ihdr[8], 8) << "bit depth";
    EXPECT_EQ(ihdr[9], 2) << "colour type RGB";
    EXPECT_EQ(ihdr[12], 0) << "interlace";
    expectRoundTrip(image, file);
  }
}

TEST(PngEncoder, PaletteImagesKeepTheirDepthAndFullPalette) {
  for (std::uint16_t bits : {8, 4, 1}) {
    PixelBuffer image = busyImage(13, 9, bits);  // odd width: 1 and 4 bits end mid-byte
    std::fill(image.pixels.begin(), image.pixels.end(), 0xFF);  // spare bits set too
    setPixel(image, 0, 0, 0);
    setPixel(image, 12, 8, 1);
    Bytes file = encode(image);
    std::vector<Chunk> chunks = chunksOf(file);
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(layout(chunks), "IHDR PLTE IDAT IEND") << bits;
    EXPECT_EQ(chunks[0].data[8], bits) << "bit depth";
    EXPECT_EQ(chunks[0].data[9], 3) << "colour type palette";
    const Bytes& plte = chunks[1].data;
    ASSERT_EQ(plte.size(), 3u << bits);
    for (std::size_t i = 0; i < image.palette.size(); ++i) {
      EXPECT_EQ(plte[3 * i], image.palette[i].red);
      EXPECT_EQ(plte[3 * i + 1], image.palette[i].green);
      EXPECT_EQ(plte[3 * i + 2], image.palette[i].blue);
    }
    expectRoundTrip(image, file);
  }
}

TEST(PngEncoder, EveryLevelAndFilterDecodesToTheSamePixels) {
  PixelBuffer image = busyImage(400, 500, 32);  // several strips, compressed one by one
  std::size_t stored = 0, smallest = 0;
  for (PngSettings settings : {PngSettings{0, PngRowFilter::none}, PngSettings{1, PngRowFilter::up},
                               PngSettings{5, PngRowFilter::upOrSub},
                               PngSettings{12, PngRowFilter::upOrSub}}) {
    Bytes file = encode(image, settings);
    expectRoundTrip(image, file);
    if (settings.level == 0) stored = file.size();
    if (settings.level == 12) smallest = file.size();
  }
  // Level 0 stores: the settings really reach the compressor.
  EXPECT_GT(stored, std::size_t{400} * 500 * 3);
  EXPECT_LT(smallest, stored);
}

// Strips taken by two threads in whatever order they come must make the file one thread
// makes, byte for byte; so must writers at once, one of them without the spare thread.
TEST(PngEncoder, StripsCompressedBesideTheCallerMakeTheSameFile) {
  for (std::uint16_t bits : {32, 24, 8}) {
    const PixelBuffer image = busyImage(300, 700, bits);  // some ten strips
    PngSettings alone = defaultPngSettings();
    alone.spareThread = false;
    const Bytes expected = encode(image, alone);
    expectRoundTrip(image, expected);
    std::vector<Bytes> files(3);
    std::vector<std::thread> writers;
    for (Bytes& file : files) writers.emplace_back([&] { file = encode(image); });
    for (std::thread& writer : writers) writer.join();
    for (const Bytes& file : files) EXPECT_TRUE(file == expected) << bits;
  }
}

// Ramps that their left neighbours predict and repeats that the row above predicts, in one
// image: each row must get the filter that suits it.
TEST(PngEncoder, EachRowGetsTheFilterThatSuitsIt) {
  PixelBuffer image = blank(48, 5, 32);
  for (std::int32_t x = 0; x < 48; ++x) {
    const std::uint32_t noise = (std::uint32_t(x) * 2654435761u) >> 8;
    const std::uint32_t grey = 0x010101u * std::uint32_t(x * 2);
    for (auto [y, value] : {std::pair{0, grey}, {1, grey}, {2, grey + 0x646464u},
                            {3, noise & 0xFFFFFF}, {4, noise & 0xFFFFFF}}) {
      setPixel(image, x, y, value);
    }
  }
  const Bytes file = encode(image, PngSettings{0, PngRowFilter::upOrSub});
  std::vector<Chunk> chunks = chunksOf(file);
  ASSERT_EQ(layout(chunks), "IHDR IDAT IEND");
  // Level 0 stores the rows as they are, after the zlib header (2 bytes) and one stored
  // block's header (5 bytes).
  const Bytes& data = chunks[1].data;
  const std::size_t first = 7, row = 1 + 48 * 3;
  ASSERT_GE(data.size(), first + 5 * row);
  std::string types;
  for (int y : {0, 1, 2, 4}) types += char('0' + data[first + y * row]);
  EXPECT_EQ(types, "1212") << "filter types of rows 0, 1, 2 and 4 (1 SUB, 2 UP)";
  expectRoundTrip(image, file);
}

TEST(PngEncoder, AFailingWriteAnywherePropagatesTheWritersError) {
  PixelBuffer image = busyImage(300, 200, 32);
  std::size_t fileSize = encode(image).size();
  for (std::size_t failAt : {std::size_t{0}, std::size_t{8}, std::size_t{40}, fileSize / 2,
                             fileSize - 1}) {
    MemoryFileWriter out;
    out.failAfter(failAt);
    try {
      writePng(image, out);
      ADD_FAILURE() << "no error at " << failAt;
    } catch (const SystemError& e) {
      EXPECT_STREQ(e.what(), "disk full") << failAt;
    }
    EXPECT_FALSE(out.closed);
  }
  MemoryFileWriter out;
  out.failOnClose();
  EXPECT_THROW(writePng(image, out), SystemError);
}

TEST(PngEncoder, CompressorRefusalsBecomeAppErrors) {
  PixelBuffer image = busyImage(8, 8, 32);
  MemoryFileWriter out;
  try {
    writePng(image, out, PngSettings{99, PngRowFilter::up});  // no such level
    ADD_FAILURE() << "no error";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "画像を PNG 形式に変換できません");
  }
  EXPECT_FALSE(out.closed);
  EXPECT_TRUE(out.bytes.empty());
}

}  // namespace
}  // namespace vireloc
