// PNG files: 8-bit RGB for images above 8 bits per pixel, a palette image at the image's own
// depth otherwise. No interlacing and no ancillary chunks.
#pragma once
#include "platform/files.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// How each R,G,B row is filtered before compression. Palette rows are never filtered: their
// indices have no numeric neighbourhood for a filter to exploit.
enum class PngRowFilter {
  none,
  up,
  upOrSub,  // per row, whichever leaves the smaller bytes (read as signed)
};

// How hard the compressor works (libdeflate's levels, 0 to 12) and the row filter; the
// benchmark compares them.
struct PngSettings {
  int level;
  PngRowFilter filter;
  // Whether a second thread may compress strips beside the caller's.
  bool spareThread = true;
};

// The settings writePng uses.
PngSettings defaultPngSettings();

// Writes `image` as PNG, then closes `out`. Throws AppError before writing anything for an
// image requireEncodable refuses (no pixels, negative size, ...) or settings the compressor
// refuses, or when compression fails. The rows are filtered and compressed a strip of about
// 64 KiB at a time, on two threads for an image of more than one strip. A failing
// write or close passes on the writer's SystemError as it stands. After any failure but a
// failing close, `out` is left open for its owner to discard.
void writePng(const PixelBuffer& image, FileWriter& out);
void writePng(const PixelBuffer& image, FileWriter& out, const PngSettings& settings);

}  // namespace vireloc
