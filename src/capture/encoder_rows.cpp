#include "capture/encoder_rows.h"

#include <cstring>
#include <string>

#include "common/app_error.h"

namespace vireloc {

namespace {

bool isSupportedDepth(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

[[noreturn]] void reject(const char* format, const std::string& why) {
  throw AppError("画像を " + std::string(format) + " 形式で保存できません。" + why);
}

std::string n(std::uint64_t value) { return std::to_string(value); }

// 5-bit channel to 8 bits by repeating its top bits, so 31 becomes 255, not 248.
constexpr std::array<std::uint8_t, 32> makeFiveBitTable() {
  std::array<std::uint8_t, 32> table{};
  for (int v = 0; v < 32; ++v) table[v] = static_cast<std::uint8_t>((v << 3) | (v >> 2));
  return table;
}
constexpr std::array<std::uint8_t, 32> fiveBit = makeFiveBitTable();

}  // namespace

void requireEncodable(const PixelBuffer& image, const char* format) {
  if (image.width < 0 || image.height < 0) {
    reject(format, "大きさが負です (" + std::to_string(image.width) + " x " +
                       std::to_string(image.height) + ")");
  }
  if (!image.hasPixels()) reject(format, "画像が空です");
  if (!isSupportedDepth(image.bitsPerPixel)) {
    reject(format, n(image.bitsPerPixel) + " ビットの色数には対応していません");
  }
  const auto rowBytes = PixelBuffer::strideFor(image.width, image.bitsPerPixel);
  const auto needed = PixelBuffer::byteCountFor(image.width, image.height, image.bitsPerPixel);
  if (!rowBytes || !needed) {
    reject(format, "画像が大きすぎます (" + n(image.width) + " x " + n(image.height) + ", " +
                       n(image.bitsPerPixel) + " ビット)");
  }
  if (image.stride < *rowBytes) {
    reject(format, "1 行 " + n(image.stride) + " バイトでは幅 " + n(image.width) +
                       " の画素が入りません");
  }
  const std::uint64_t held = std::uint64_t{image.stride} * std::uint64_t(image.height);
  if (image.pixels.size() < held) {
    reject(format, "画素データが " + n(image.pixels.size()) + " バイトしかありません (" +
                       n(held) + " バイト必要)");
  }
  if (image.bitsPerPixel <= 8) {
    std::size_t entries = std::size_t{1} << image.bitsPerPixel;
    if (image.palette.size() < entries) {
      reject(format, "パレットが " + n(image.palette.size()) + " 色しかありません (" +
                         n(entries) + " 色必要)");
    }
  }
}

std::size_t usedRowBytes(const PixelBuffer& image) {
  return static_cast<std::size_t>(
      (static_cast<std::uint64_t>(image.width) * image.bitsPerPixel + 7) / 8);
}

void copyUsedRow(const PixelBuffer& image, std::int32_t y, std::uint8_t* out) {
  std::size_t used = usedRowBytes(image);
  std::memcpy(out, image.pixels.data() + std::size_t{image.stride} * y, used);
  unsigned spareBits = static_cast<unsigned>(used * 8 -
                                             std::uint64_t{image.bitsPerPixel} * image.width);
  if (spareBits != 0) out[used - 1] &= static_cast<std::uint8_t>(0xFF << spareBits);
}

RgbRowConverter::RgbRowConverter(const PixelBuffer& image) : image_(image) {
  if (image.bitsPerPixel > 8) return;
  std::size_t entries = std::size_t{1} << image.bitsPerPixel;
  for (std::size_t i = 0; i < entries && i < image.palette.size(); ++i) {
    const RgbQuad& q = image.palette[i];
    colours_[i] = {q.red, q.green, q.blue};
  }
}

void RgbRowConverter::convert(std::int32_t y, std::uint8_t* out) const {
  const std::uint8_t* in = image_.pixels.data() + std::size_t{image_.stride} * y;
  const std::int32_t width = image_.width;
  switch (image_.bitsPerPixel) {
    case 32:
      if (width == 0) return;
      // A pixel at a time as one word: B,G,R,X read, R,G,B,B written, the fourth byte
      // overwritten by the next pixel; the last pixel byte by byte, as out ends with it.
      for (std::int32_t x = 1; x < width; ++x, in += 4, out += 3) {
        std::uint32_t pixel;
        std::memcpy(&pixel, in, 4);
        pixel = __builtin_bswap32(pixel) >> 8;  // little-endian: R,G,B in the low bytes
        std::memcpy(out, &pixel, 4);
      }
      out[0] = in[2], out[1] = in[1], out[2] = in[0];
      return;
    case 24:
      for (std::int32_t x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2], out[1] = in[1], out[2] = in[0];
      }
      return;
    case 16:
      for (std::int32_t x = 0; x < width; ++x, in += 2, out += 3) {
        unsigned v = in[0] | (in[1] << 8);
        out[0] = fiveBit[(v >> 10) & 31], out[1] = fiveBit[(v >> 5) & 31],
        out[2] = fiveBit[v & 31];
      }
      return;
    default:
      convertIndexed(in, out);
  }
}

void RgbRowConverter::convertIndexed(const std::uint8_t* in, std::uint8_t* out) const {
  const unsigned bits = image_.bitsPerPixel;
  const unsigned perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (std::int32_t x = 0; x < image_.width; ++x, out += 3) {
    unsigned shift = 8 - bits * (1 + x % perByte);
    const auto& c = colours_[(in[x / perByte] >> shift) & mask];
    out[0] = c[0], out[1] = c[1], out[2] = c[2];
  }
}

}  // namespace vireloc
