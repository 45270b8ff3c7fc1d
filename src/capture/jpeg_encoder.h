// JPEG files: baseline, quality 100, 8-bit RGB whatever the image's depth.
#pragma once
#include "platform/files.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// Writes `image` as a sequential JPEG with libjpeg's defaults at quality 100 (forced to
// baseline tables), then closes `out`. Throws AppError before writing anything for an image
// requireEncodable refuses (no pixels, negative size, ...); a libjpeg failure or a failing
// write or close becomes or propagates an AppError and leaves `out` open for its owner to
// discard.
void writeJpeg(const PixelBuffer& image, FileWriter& out);

}  // namespace vireloc
