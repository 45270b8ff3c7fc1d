// Windows bitmap files, written the way Windows writes a screen DIB.
#pragma once
#include "platform/files.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// Writes `image` as an uncompressed bottom-up BMP at its own depth (a colour table of
// 2^bitsPerPixel entries at 8 bits or fewer, rows padded with zero bytes), then closes `out`.
// Throws AppError before writing anything for an image requireEncodable refuses (no pixels,
// negative size, ...) or one too large for a BMP file. A failing write or close passes on the
// writer's SystemError as it stands; after a failing write `out` is left open for its owner
// to discard.
void writeBmp(const PixelBuffer& image, FileWriter& out);

}  // namespace vireloc
