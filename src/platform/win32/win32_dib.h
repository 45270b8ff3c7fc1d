// Moving pixels between device-dependent bitmaps and PixelBuffer (GetDIBits / SetDIBits).
#pragma once
#include <windows.h>

#include <optional>

#include "platform/pixel_buffer.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

// The DIB depth that holds a device's pixels without loss: 15 bits are stored as 5-5-5 in
// 16, depths a DIB cannot express as 32.
std::uint16_t dibDepthFor(int deviceBitsPerPixel);

// The pixels of bitmap (not selected into any DC), top-down in bitsPerPixel; at 8 bits or
// fewer the colour table comes from the palette realized in dc. Nothing when GetDIBits fails.
std::optional<PixelBuffer> readBitmapPixels(HDC dc, HBITMAP bitmap, std::int32_t width,
                                            std::int32_t height, std::uint16_t bitsPerPixel);

// True when the buffer is something SetDIBits can take: a DIB depth, pixels, a stride as
// strideFor gives, all rows present and a full palette at 8 bits or fewer.
bool isWellFormed(const PixelBuffer& image);

// A bitmap compatible with dc holding image (which isWellFormed); empty on failure.
BitmapHandle makeDeviceBitmap(HDC dc, const PixelBuffer& image);

// A logical palette of the image's colour table; empty when it has none.
PaletteHandle makePalette(const PixelBuffer& image);

}  // namespace vireloc
