#include "platform/win32/win32_dib.h"

namespace vireloc {

namespace {

// A BITMAPINFO with room for the largest colour table.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

std::size_t paletteEntries(std::uint16_t bitsPerPixel) {
  return bitsPerPixel <= 8 ? std::size_t{1} << bitsPerPixel : 0;
}

// Top-down (negative height); BI_RGB means 5-5-5 at 16 bits and B,G,R,X at 32.
DibInfo dibInfoFor(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel) {
  DibInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = bitsPerPixel;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(paletteEntries(bitsPerPixel));
  return info;
}

BITMAPINFO* asBitmapInfo(DibInfo& info) { return reinterpret_cast<BITMAPINFO*>(&info); }

bool isDibDepth(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::uint16_t dibDepthFor(int deviceBitsPerPixel) {
  if (deviceBitsPerPixel == 15) return 16;
  const auto bits = static_cast<std::uint16_t>(deviceBitsPerPixel);
  return isDibDepth(bits) ? bits : 32;
}

std::optional<PixelBuffer> readBitmapPixels(HDC dc, HBITMAP bitmap, std::int32_t width,
                                            std::int32_t height, std::uint16_t bitsPerPixel) {
  auto blank = PixelBuffer::blank(width, height, bitsPerPixel);
  if (!blank) return std::nullopt;
  PixelBuffer image = std::move(*blank);
  DibInfo info = dibInfoFor(width, height, bitsPerPixel);
  const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), image.pixels.data(),
                             asBitmapInfo(info), DIB_RGB_COLORS);
  if (rows != height) return std::nullopt;
  for (std::size_t i = 0; i < paletteEntries(bitsPerPixel); ++i) {
    const RGBQUAD& c = info.colors[i];
    image.palette.push_back(RgbQuad{c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
  }
  return image;
}

bool isWellFormed(const PixelBuffer& image) {
  if (!image.hasPixels() || !isDibDepth(image.bitsPerPixel)) return false;
  if (image.stride != PixelBuffer::strideFor(image.width, image.bitsPerPixel)) return false;
  const auto needed = PixelBuffer::byteCountFor(image.width, image.height, image.bitsPerPixel);
  if (!needed || image.pixels.size() < *needed) return false;
  return image.palette.size() == paletteEntries(image.bitsPerPixel);
}

BitmapHandle makeDeviceBitmap(HDC dc, const PixelBuffer& image) {
  BitmapHandle bitmap(CreateCompatibleBitmap(dc, image.width, image.height));
  if (!bitmap) return {};
  DibInfo info = dibInfoFor(image.width, image.height, image.bitsPerPixel);
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    const RgbQuad& c = image.palette[i];
    info.colors[i] = RGBQUAD{c.blue, c.green, c.red, 0};
  }
  const int rows = SetDIBits(dc, bitmap.get(), 0, static_cast<UINT>(image.height),
                             image.pixels.data(), asBitmapInfo(info), DIB_RGB_COLORS);
  if (rows != image.height) return {};
  return bitmap;
}

PaletteHandle makePalette(const PixelBuffer& image) {
  if (image.palette.empty() || image.palette.size() > 256) return {};
  // LOGPALETTE declares a one-entry table; this has the same layout with room for all.
  struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY entries[256];
  } logical{};
  logical.palVersion = 0x300;
  logical.palNumEntries = static_cast<WORD>(image.palette.size());
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    const RgbQuad& c = image.palette[i];
    logical.entries[i] = PALETTEENTRY{c.red, c.green, c.blue, 0};
  }
  return PaletteHandle(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
}

}  // namespace vireloc
