#include "capture/encoder_rows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/app_error.h"
#include "capture/bmp_encoder.h"
#include "capture/jpeg_encoder.h"
#include "capture/png_encoder.h"
#include "encoder_test_images.h"
#include "memory_file_writer.h"

namespace vireloc {
namespace {

using testimages::blank;
using testimages::setPixel;

std::string refusal(const PixelBuffer& image) {
  try {
    requireEncodable(image, "PNG");
  } catch (const AppError& e) {
    return e.what();
  }
  return "";
}

TEST(RequireEncodable, RefusesImagesThatCannotBeWrittenAndSaysWhy) {
  const std::string refused = "画像を PNG 形式で保存できません。";
  PixelBuffer noWidth = blank(0, 5, 32);
  EXPECT_EQ(refusal(noWidth), refused + "画像が空です");
  EXPECT_EQ(refusal(blank(5, 0, 32)), refused + "画像が空です");
  EXPECT_EQ(refusal(PixelBuffer{}), refused + "画像が空です");

  PixelBuffer negative = blank(4, 4, 32);
  negative.height = -4;  // a top-down DIB height must not pass as a size
  EXPECT_EQ(refusal(negative), refused + "大きさが負です (4 x -4)");

  PixelBuffer twoBit = blank(4, 4, 8);
  twoBit.bitsPerPixel = 2;
  EXPECT_EQ(refusal(twoBit), refused + "2 ビットの色数には対応していません");

  PixelBuffer narrow = blank(10, 2, 24);
  narrow.stride = 28;  // needs 32
  EXPECT_EQ(refusal(narrow), refused + "1 行 28 バイトでは幅 10 の画素が入りません");

  PixelBuffer shortData = blank(10, 3, 32);
  shortData.pixels.pop_back();
  EXPECT_EQ(refusal(shortData), refused + "画素データが 119 バイトしかありません (120 バイト必要)");

  PixelBuffer shortPalette = blank(3, 3, 4);
  shortPalette.palette.resize(15);
  EXPECT_EQ(refusal(shortPalette), refused + "パレットが 15 色しかありません (16 色必要)");

  // Sizes another program claims: a row past 32 bits, or more bytes than can be addressed.
  PixelBuffer wideRow = blank(4, 4, 32);
  wideRow.width = 0x40000000;
  EXPECT_EQ(refusal(wideRow), refused + "画像が大きすぎます (1073741824 x 4, 32 ビット)");
  PixelBuffer huge = blank(4, 4, 32);
  huge.width = huge.height = 0x7FFFFFFF;
  EXPECT_NE(refusal(huge).find("画像が大きすぎます"), std::string::npos);
}

TEST(RequireEncodable, AcceptsEveryDepthAndAWiderStride) {
  for (std::uint16_t bits : {1, 4, 8, 16, 24, 32}) {
    EXPECT_EQ(refusal(blank(3, 2, bits)), "") << bits;
  }
  PixelBuffer wide = blank(3, 2, 32);
  wide.stride = 64;
  wide.pixels.resize(128);
  EXPECT_EQ(refusal(wide), "");
}

TEST(EncoderRefusal, EveryEncoderWritesNothingForAnImageWithoutPixels) {
  std::vector<std::function<void(const PixelBuffer&, FileWriter&)>> encoders = {
      [](const PixelBuffer& i, FileWriter& o) { writeBmp(i, o); },
      [](const PixelBuffer& i, FileWriter& o) { writePng(i, o); },
      [](const PixelBuffer& i, FileWriter& o) { writeJpeg(i, o); }};
  PixelBuffer negative = blank(2, 2, 32);
  negative.width = -2;
  for (const PixelBuffer& image : {blank(0, 0, 32), blank(7, 0, 8), negative}) {
    for (auto& encode : encoders) {
      MemoryFileWriter out;
      EXPECT_THROW(encode(image, out), AppError);
      EXPECT_TRUE(out.bytes.empty());
      EXPECT_FALSE(out.closed);
    }
  }
}

std::vector<int> rgbRow(const PixelBuffer& image, std::int32_t y) {
  std::vector<std::uint8_t> out(image.width * 3, 0x55);
  RgbRowConverter(image).convert(y, out.data());
  return std::vector<int>(out.begin(), out.end());
}

TEST(RgbRowConverter, TrueColourDepthsBecomeRgbInOrder) {
  PixelBuffer bgrx = blank(2, 2, 32);
  setPixel(bgrx, 0, 1, 0xFF102030);  // X=FF R=10 G=20 B=30
  setPixel(bgrx, 1, 1, 0x00FFFFFF);
  EXPECT_EQ(rgbRow(bgrx, 1), (std::vector<int>{0x10, 0x20, 0x30, 255, 255, 255}));
  EXPECT_EQ(rgbRow(bgrx, 0), (std::vector<int>{0, 0, 0, 0, 0, 0}));

  PixelBuffer bgr = blank(3, 1, 24);
  setPixel(bgr, 2, 0, 0xA1B2C3);
  EXPECT_EQ(rgbRow(bgr, 0), (std::vector<int>{0, 0, 0, 0, 0, 0, 0xA1, 0xB2, 0xC3}));
}

TEST(RgbRowConverter, FiveFiveFiveStretchesToFullRangeAndIgnoresTopBit) {
  PixelBuffer image = blank(5, 1, 16);
  setPixel(image, 0, 0, 0x7FFF);  // white
  setPixel(image, 1, 0, 0x7C00);  // red
  setPixel(image, 2, 0, 0x03E0);  // green
  setPixel(image, 3, 0, 0x8001);  // top bit set, blue 1
  setPixel(image, 4, 0, 0x4210);  // 16,16,16
  EXPECT_EQ(rgbRow(image, 0), (std::vector<int>{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 8,
                                                132, 132, 132}));
}

TEST(RgbRowConverter, IndicesLookUpThePaletteMostSignificantBitsFirst) {
  PixelBuffer mono = blank(10, 1, 1);
  mono.palette = {RgbQuad{1, 2, 3, 0}, RgbQuad{200, 100, 50, 9}};
  setPixel(mono, 0, 0, 1);
  setPixel(mono, 9, 0, 1);  // second byte's top bit
  std::vector<int> row = rgbRow(mono, 0);
  EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 6),
            (std::vector<int>{50, 100, 200, 3, 2, 1}));
  EXPECT_EQ(std::vector<int>(row.end() - 6, row.end()), (std::vector<int>{3, 2, 1, 50, 100, 200}));

  PixelBuffer nibbles = blank(3, 1, 4);
  setPixel(nibbles, 0, 0, 0xF);
  setPixel(nibbles, 1, 0, 0x1);
  setPixel(nibbles, 2, 0, 0x8);
  EXPECT_EQ(rgbRow(nibbles, 0), (std::vector<int>{105, 15, 240, 7, 1, 254, 56, 8, 247}));

  PixelBuffer bytes = blank(2, 2, 8);
  setPixel(bytes, 1, 1, 255);
  EXPECT_EQ(rgbRow(bytes, 1), (std::vector<int>{0, 0, 255, 249, 255, 0}));
}

TEST(CopyUsedRow, ClearsBitsPastTheLastPixel) {
  PixelBuffer mono = blank(11, 2, 1);
  std::fill(mono.pixels.begin(), mono.pixels.end(), 0xFF);
  EXPECT_EQ(usedRowBytes(mono), 2u);
  std::uint8_t out[2] = {};
  copyUsedRow(mono, 1, out);
  EXPECT_EQ(out[0], 0xFF);
  EXPECT_EQ(out[1], 0xE0);

  PixelBuffer nibbles = blank(3, 1, 4);
  std::fill(nibbles.pixels.begin(), nibbles.pixels.end(), 0xAB);
  copyUsedRow(nibbles, 0, out);
  EXPECT_EQ(out[1], 0xA0);
}

}  // namespace
}  // namespace vireloc
