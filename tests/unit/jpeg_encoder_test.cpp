#include "capture/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

struct Segment {
  int marker;
  Bytes data;
};

// The marker segments up to the start of scan.
std::vector<Segment> segmentsOf(const Bytes& file) {
  std::vector<Segment> segments;
  EXPECT_TRUE(file.size() > 4 && file[0] == 0xFF && file[1] == 0xD8) << "no SOI";
  std::size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xFF) {
    int marker = file[at + 1];
    std::size_t length = (file[at + 2] << 8) | file[at + 3];
    if (length < 2 || at + 2 + length > file.size()) break;
    segments.push_back({marker, Bytes(file.begin() + at + 4, file.begin() + at + 2 + length)});
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  EXPECT_TRUE(file.size() >= 2 && file[file.size() - 2] == 0xFF && file.back() == 0xD9)
      << "no EOI";
  return segments;
}

struct DecodeErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void onDecodeError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<DecodeErrors*>(cinfo->err)->jump, 1);
}

// Decodes with libjpeg's own decompressor into R,G,B; empty on failure.
Bytes decodeRgb(const Bytes& file, int& width, int& height) {
  jpeg_decompress_struct cinfo{};
  DecodeErrors errors{};
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = onDecodeError;
  static Bytes pixels;  // outside the setjmp frame's destructors
  pixels.clear();
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  width = static_cast<int>(cinfo.output_width);
  height = static_cast<int>(cinfo.output_height);
  pixels.resize(std::size_t{3} * width * height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &pixels[std::size_t{3} * width * cinfo.output_scanline];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return pixels;
}

Bytes encode(const PixelBuffer& image) {
  MemoryFileWriter out;
  writeJpeg(image, out);
  EXPECT_TRUE(out.closed);
  return out.bytes;
}

TEST(JpegEncoder, IsBaselineRgbWithQualityHundredTables) {
  Bytes file = encode(testimages::gradient(50, 30));
  std::vector<Segment> segments = segmentsOf(file);
  int frames = 0, tables = 0;
  for (const Segment& s : segments) {
    EXPECT_NE(s.marker, 0xC2) << "progressive";
    if (s.marker == 0xC0) {
      ++frames;
      ASSERT_EQ(s.data.size(), 6u + 3 * 3);
      EXPECT_EQ(s.data[0], 8) << "precision";
      EXPECT_EQ((s.data[1] << 8) | s.data[2], 30);
      EXPECT_EQ((s.data[3] << 8) | s.data[4], 50);
      EXPECT_EQ(s.data[5], 3) << "components";
    }
    if (s.marker == 0xDB) {
      // One or more tables: a precision/id byte, then 64 eight-bit entries.
      for (std::size_t at = 0; at + 65 <= s.data.size(); at += 65, ++tables) {
        EXPECT_EQ(s.data[at] >> 4, 0) << "8-bit entries";
        for (int i = 1; i <= 64; ++i) ASSERT_EQ(s.data[at + i], 1) << "entry " << i;
      }
    }
  }
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(tables, 2);  // luminance and chrominance
  ASSERT_FALSE(segments.empty());
  EXPECT_EQ(segments.back().marker, 0xDA);
  EXPECT_EQ(segments.back().data[0], 3) << "one scan with all components: sequential";
}

TEST(JpegEncoder, SmoothPicturesComeBackAlmostUnchanged) {
  PixelBuffer image = testimages::gradient(161, 97);  // not a multiple of the block size
  int width = 0, height = 0;
  Bytes decoded = decodeRgb(encode(image), width, height);
  ASSERT_EQ(width, 161);
  ASSERT_EQ(height, 97);
  long worst = 0, total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* source = &image.pixels[y * image.stride + 4 * x];  // B,G,R,X
      const std::uint8_t* got = &decoded[3 * (y * width + x)];
      for (int c = 0; c < 3; ++c) {
        long difference = std::labs(long{got[c]} - source[2 - c]);
        worst = std::max(worst, difference);
        total += difference;
      }
    }
  }
  EXPECT_LE(worst, 4);
  EXPECT_LT(double(total) / (3.0 * width * height), 1.0);
}

// Each depth is converted to RGB before encoding: large flat areas come back as their colour.
TEST(JpegEncoder, EveryDepthIsEncodedInItsTrueColours) {
  struct Case {
    std::uint16_t bits;
    std::uint32_t left, right;
    int expectedLeft[3], expectedRight[3];
  };
  const Case cases[] = {
      {32, 0x00FF8000, 0x000020C0, {255, 128, 0}, {0, 32, 192}},
      {24, 0x00104080, 0x00FFFFFF, {16, 64, 128}, {255, 255, 255}},
      {16, 0x7C00, 0x001F, {255, 0, 0}, {0, 0, 255}},
      {8, 0, 255, {0, 0, 255}, {249, 255, 0}},  // palette of encoder_test_images.h
      {4, 1, 15, {7, 1, 254}, {105, 15, 240}},
      {1, 0, 1, {0, 0, 255}, {7, 1, 254}}};
  for (const Case& c : cases) {
    PixelBuffer image = blank(48, 32, c.bits);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 48; ++x) setPixel(image, x, y, x < 24 ? c.left : c.right);
    }
    int width = 0, height = 0;
    Bytes decoded = decodeRgb(encode(image), width, height);
    ASSERT_EQ(decoded.size(), 48u * 32 * 3) << c.bits;
    const std::uint8_t* left = &decoded[3 * (16 * 48 + 8)];
    const std::uint8_t* right = &decoded[3 * (16 * 48 + 40)];
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(left[i], c.expectedLeft[i], 3) << c.bits << " bits, channel " << i;
      EXPECT_NEAR(right[i], c.expectedRight[i], 3) << c.bits << " bits, channel " << i;
    }
  }
}

// libjpeg at quality 100 fed R,G,B rows, as any program would encode those pixels.
Bytes encodeRgbRows(const Bytes& rgb, int width, int height) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(&rgb[std::size_t{3} * width * cinfo.next_scanline]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

// 32- and 24-bit rows are read where they lie, fourth byte and stride padding included: the
// file must still be byte for byte the one their R,G,B values make.
TEST(JpegEncoder, DeepImagesGiveTheBytesOfTheirRgbValues) {
  const int width = 161, height = 97;  // not a multiple of the block size
  PixelBuffer source = testimages::gradient(width, height);  // fourth bytes 0xEE
  Bytes rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = &source.pixels[y * source.stride + 4 * x];
      rgb.insert(rgb.end(), {p[2], p[1], p[0]});
    }
  }
  const Bytes expected = encodeRgbRows(rgb, width, height);

  EXPECT_EQ(encode(source), expected) << "32 bits";
  PixelBuffer wide = blank(width, height, 32);  // a stride with 12 bytes of padding
  wide.stride += 12;
  wide.pixels.assign(std::size_t{wide.stride} * height, 0x5A);
  PixelBuffer packed = blank(width, height, 24, 0xEE);  // 483 bytes in a 484-byte stride
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t bgr = 0;
      std::memcpy(&bgr, &source.pixels[y * source.stride + 4 * x], 3);
      setPixel(wide, x, y, bgr | 0x7F000000u);
      setPixel(packed, x, y, bgr);
    }
  }
  EXPECT_EQ(encode(wide), expected) << "32 bits, wide stride";
  EXPECT_EQ(encode(packed), expected) << "24 bits";
}

TEST(JpegEncoder, AFailingWriteAnywherePropagatesTheWritersError) {
  PixelBuffer image = testimages::gradient(2000, 1400);  // more than one output buffer
  std::size_t fileSize = encode(image).size();
  ASSERT_GT(fileSize, std::size_t{1} << 18);
  for (std::size_t failAt : {std::size_t{0}, std::size_t{1} << 18, fileSize - 1}) {
    MemoryFileWriter out;
    out.failAfter(failAt);
    try {
      writeJpeg(image, out);
      ADD_FAILURE() << "no error at " << failAt;
    } catch (const SystemError& e) {
      EXPECT_STREQ(e.what(), "disk full") << failAt;
    }
    EXPECT_FALSE(out.closed);
  }
  MemoryFileWriter out;
  out.failOnClose();
  EXPECT_THROW(writeJpeg(image, out), SystemError);
}

TEST(JpegEncoder, RefusesSidesLongerThanTheFormatAllows) {
  for (const auto& [width, height] : {std::pair{65501, 1}, std::pair{1, 65501}}) {
    MemoryFileWriter out;
    try {
      writeJpeg(blank(width, height, 8), out);
      ADD_FAILURE() << width << "x" << height << " was written";
    } catch (const AppError& e) {
      EXPECT_STREQ(e.what(), "画像の一辺が 65500 ピクセルを超えるため、JPEG 形式では保存できません")
          << width << "x" << height;
    }
    EXPECT_TRUE(out.bytes.empty());
  }
  for (const auto& [width, height] : {std::pair{65500, 1}, std::pair{1, 65500}})
    EXPECT_FALSE(encode(blank(width, height, 8)).empty()) << width << "x" << height;
}

}  // namespace
}  // namespace vireloc
