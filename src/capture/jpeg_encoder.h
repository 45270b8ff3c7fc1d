// JPEG files: baseline, quality 100, 8-bit RGB whatever the image's depth.
#pragma once
#include "platform/files.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// Writes `image` as a sequential JPEG with libjpeg's defaults at quality 100 (forced to
// baseline tables), then closes `out`. Throws AppError before writing anything for an image
// requireEncodable refuses (no pixels, negative size, ...) or one with a side longer than
// JPEG allows, and AppError when libjpeg fails. A failing write or close passes on the
// writer's SystemError as it stands. After any failure but a failing close, `out` is left
// open for its owner to discard.
void writeJpeg(const PixelBuffer& image, FileWriter& out);

}  // namespace vireloc
