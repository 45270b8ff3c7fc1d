// The rows of a PNG's image data before compression: each its filter type, then its bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/encoder_rows.h"
#include "capture/png_encoder.h"
#include "platform/pixel_buffer.h"

namespace vireloc {

// The image's rows filtered as `filter` says, a run of rows at a time; the row above a run
// is converted again when the run does not follow the one before.
class RowFilter {
 public:
  RowFilter(const PixelBuffer& image, PngRowFilter filter);

  // Bytes of one filtered row: its filter type, then its palette indices or R,G,B bytes.
  static std::size_t rowBytes(const PixelBuffer& image);
  std::size_t rowBytes() const { return size_ + 1; }

  // Makes row y the next one written.
  void seek(std::int32_t y);
  // Writes the next `count` rows into out.
  void next(std::int32_t count, std::uint8_t* out);

 private:
  const PixelBuffer& image_;
  const PngRowFilter filter_;
  const RgbRowConverter converter_;
  const std::size_t size_;
  std::vector<std::uint8_t> above_, row_;
  std::int32_t y_ = 0;
};

}  // namespace vireloc
