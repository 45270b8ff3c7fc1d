// PNG files: 8-bit RGB for images above 8 bits per pixel, a palette image at the image's own
// depth otherwise. No interlacing and no ancillary chunks.
#pragma once
#include "platform/files.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// How hard zlib works and which row filters libpng may try; the benchmark compares them.
struct PngSettings {
  int level;     // zlib level 0..9
  int filters;   // PNG_FILTER_* / PNG_ALL_FILTERS bits, or PNG_NO_FILTERS
  int strategy;  // Z_DEFAULT_STRATEGY, Z_FILTERED, Z_RLE, ...
};

// The settings writePng uses.
PngSettings defaultPngSettings();

// Writes `image` as PNG, then closes `out`. Throws AppError before writing anything for an
// image requireEncodable refuses (no pixels, negative size, ...), and AppError when libpng
// fails. A failing write or close passes on the writer's SystemError as it stands. After any
// failure but a failing close, `out` is left open for its owner to discard.
void writePng(const PixelBuffer& image, FileWriter& out);
void writePng(const PixelBuffer& image, FileWriter& out, const PngSettings& settings);

}  // namespace vireloc
