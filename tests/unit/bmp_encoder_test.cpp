#include "capture/bmp_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_error.h"
#include "encoder_test_images.h"
#include "memory_file_writer.h"

namespace vireloc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testimages::blank;
using testimages::setPixel;

Bytes encode(const PixelBuffer& image) {
  MemoryFileWriter out;
  writeBmp(image, out);
  EXPECT_TRUE(out.closed);
  return out.bytes;
}

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count) {
  return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

TEST(BmpEncoder, ThirtyTwoBitHeadersAreByteExactRowsBottomUpFourthByteZero) {
  PixelBuffer image = blank(3, 2, 32);
  // The screen may hand over anything in the fourth byte; viewers read it as alpha.
  setPixel(image, 0, 0, 0xFF112233);  // top-left
  setPixel(image, 2, 1, 0x7FAABBCC);  // bottom-right
  Bytes file = encode(image);
  const Bytes expectedHeaders = {
      'B', 'M', 78, 0, 0, 0,  0, 0, 0, 0,  54, 0, 0, 0,  // size 54 + 2 * 12, pixels at 54
      40, 0, 0, 0,  3, 0, 0, 0,  2, 0, 0, 0,  1, 0,  32, 0,  0, 0, 0, 0,  24, 0, 0, 0,
      0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0};
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(slice(file, 0, 54), expectedHeaders);
  // The file's first row is the image's bottom row.
  EXPECT_EQ(slice(file, 54, 12), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0xCC, 0xBB, 0xAA, 0}));
  EXPECT_EQ(slice(file, 66, 12), (Bytes{0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpEncoder, OddWidthRowsArePaddedWithZeroesNotTheSourcePadding) {
  PixelBuffer image = blank(5, 3, 24, 0xEE);  // 15 bytes of pixels in a 16-byte stride
  setPixel(image, 4, 2, 0x010203);
  Bytes file = encode(image);
  ASSERT_EQ(file.size(), 54u + 3 * 16);
  EXPECT_EQ(slice(file, 34, 4), (Bytes{48, 0, 0, 0}));  // biSizeImage
  EXPECT_EQ(slice(file, 28, 2), (Bytes{24, 0}));
  for (int row = 0; row < 3; ++row) EXPECT_EQ(file[54 + row * 16 + 15], 0) << row;
  EXPECT_EQ(slice(file, 54 + 12, 3), (Bytes{3, 2, 1}));
}

TEST(BmpEncoder, EightBitCarriesAFullColourTableBeforeThePixels) {
  PixelBuffer image = blank(5, 2, 8, 0x77);
  image.palette[3] = RgbQuad{10, 20, 30, 99};  // the reserved byte is not copied
  setPixel(image, 0, 1, 3);
  setPixel(image, 4, 0, 255);
  Bytes file = encode(image);
  const std::size_t offset = 54 + 256 * 4;
  ASSERT_EQ(file.size(), offset + 2 * 8);
  EXPECT_EQ(slice(file, 2, 4), (Bytes{0x46, 0x04, 0, 0}));    // 1094
  EXPECT_EQ(slice(file, 10, 4), (Bytes{0x36, 0x04, 0, 0}));   // 1078
  EXPECT_EQ(slice(file, 28, 2), (Bytes{8, 0}));
  EXPECT_EQ(slice(file, 46, 8), (Bytes{0, 0, 0, 0, 0, 0, 0, 0}));  // clrUsed, clrImportant
  EXPECT_EQ(slice(file, 54, 4), (Bytes{255, 0, 0, 0}));
  EXPECT_EQ(slice(file, 54 + 3 * 4, 4), (Bytes{10, 20, 30, 0}));
  EXPECT_EQ(slice(file, offset, 8), (Bytes{3, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(slice(file, offset + 8, 8), (Bytes{0, 0, 0, 0, 255, 0, 0, 0}));
}

TEST(BmpEncoder, FewBitImagesClearBitsPastTheLastPixel) {
  PixelBuffer mono = blank(9, 1, 1);
  std::fill(mono.pixels.begin(), mono.pixels.end(), 0xFF);
  Bytes file = encode(mono);
  ASSERT_EQ(file.size(), 54u + 8 + 4);
  EXPECT_EQ(slice(file, 10, 4), (Bytes{62, 0, 0, 0}));
  EXPECT_EQ(slice(file, 62, 4), (Bytes{0xFF, 0x80, 0, 0}));

  PixelBuffer nibbles = blank(3, 1, 4);
  std::fill(nibbles.pixels.begin(), nibbles.pixels.end(), 0x9A);
  file = encode(nibbles);
  ASSERT_EQ(file.size(), 54u + 64 + 4);
  EXPECT_EQ(slice(file, 118, 4), (Bytes{0x9A, 0x90, 0, 0}));
}

TEST(BmpEncoder, ReadsTheSourceStrideNotItsOwn) {
  PixelBuffer image = blank(1, 2, 32);
  image.stride = 16;
  image.pixels.assign(32, 0xEE);
  setPixel(image, 0, 0, 0x00ABCDEF);
  setPixel(image, 0, 1, 0x00123456);
  Bytes file = encode(image);
  ASSERT_EQ(file.size(), 62u);
  EXPECT_EQ(slice(file, 54, 8), (Bytes{0x56, 0x34, 0x12, 0, 0xEF, 0xCD, 0xAB, 0}));
}

// Few writes, each of at most 1 MiB.
TEST(BmpEncoder, ScreenSizedImagesGoOutInFewWritesOfAtMost1MiB) {
  PixelBuffer image = blank(1920, 1080, 32);
  MemoryFileWriter out;
  writeBmp(image, out);
  EXPECT_EQ(out.bytes.size(), 54u + 1920 * 1080 * 4);
  EXPECT_LE(out.largestWrite, 1u << 20);
  EXPECT_LE(out.writes, 1 + 1080 / 136 + 1);  // the headers, then 136 rows of 7680 bytes a write
}

// Rows of a tall image go out over several writes, the last one partial:
// every file row must be its own image row, wherever the writes split.
TEST(BmpEncoder, TallImagesKeepEveryRowInPlaceAcrossWrites) {
  struct Case {
    std::int32_t width, height;
    std::uint16_t bits;
  };
  // The last: each row longer than the chunk a thread keeps.
  for (Case c : {Case{64, 9000, 32}, Case{333, 5000, 24}, Case{20000, 40, 32},
                 Case{300000, 3, 32}}) {
    PixelBuffer image = blank(c.width, c.height, c.bits, 0xEE);
    for (std::int32_t y = 0; y < c.height; ++y) {
      setPixel(image, 0, y, 0xAB000000u | static_cast<std::uint32_t>(y));
      setPixel(image, c.width - 1, y, 0xCD000000u | static_cast<std::uint32_t>(y + 1));
    }
    MemoryFileWriter out;
    writeBmp(image, out);
    const std::size_t rowSize = *PixelBuffer::strideFor(c.width, c.bits);
    const std::size_t pixelBytes = c.bits / 8;
    ASSERT_EQ(out.bytes.size(), 54 + rowSize * c.height) << c.width;
    EXPECT_GT(out.writes, 2) << c.width;
    for (std::int32_t fileRow = 0; fileRow < c.height; ++fileRow) {
      const std::uint32_t y = c.height - 1 - fileRow;
      const std::size_t at = 54 + rowSize * fileRow;
      Bytes first = slice(out.bytes, at, pixelBytes);
      Bytes last = slice(out.bytes, at + pixelBytes * (c.width - 1), pixelBytes);
      Bytes padding = slice(out.bytes, at + pixelBytes * c.width, rowSize - pixelBytes * c.width);
      Bytes expectFirst = {std::uint8_t(y), std::uint8_t(y >> 8), 0, 0};
      Bytes expectLast = {std::uint8_t(y + 1), std::uint8_t((y + 1) >> 8), 0, 0};
      expectFirst.resize(pixelBytes), expectLast.resize(pixelBytes);
      ASSERT_EQ(first, expectFirst) << c.width << " file row " << fileRow;
      ASSERT_EQ(last, expectLast) << c.width << " file row " << fileRow;
      ASSERT_EQ(padding, Bytes(padding.size(), 0)) << c.width << " file row " << fileRow;
    }
  }
}

TEST(BmpEncoder, FailedWriteOrClosePropagatesTheWritersError) {
  PixelBuffer image = blank(800, 600, 24);
  for (std::size_t failAt : {0u, 53u, 100000u, 1440053u}) {
    MemoryFileWriter out;
    out.failAfter(failAt);
    EXPECT_THROW(
        try { writeBmp(image, out); } catch (const SystemError& e) {
          EXPECT_STREQ(e.what(), "disk full");
          throw;
        },
        SystemError)
        << failAt;
    EXPECT_FALSE(out.closed);
  }
  MemoryFileWriter out;
  out.failOnClose();
  EXPECT_THROW(writeBmp(image, out), SystemError);
}

}  // namespace
}  // namespace vireloc
