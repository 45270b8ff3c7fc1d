#include "capture/png_row_filter.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vireloc {

namespace {

constexpr std::uint8_t kFilterNone = 0, kFilterSub = 1, kFilterUp = 2;
constexpr std::size_t kRgb = 3;  // SUB's left neighbour lies one pixel back

// The byte-wise differences a - b; plain loops the compiler vectorises.
void subtract(const std::uint8_t* a, const std::uint8_t* b, std::size_t size, std::uint8_t* out) {
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(a[i] - b[i]);
}

// The sum of |a - b| over bytes read as signed: what a filter leaves for the deflater.
std::uint32_t signedSum(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const auto d = static_cast<std::int8_t>(a[i] - b[i]);
    sum += static_cast<std::uint32_t>(d < 0 ? -d : d);
  }
  return sum;
}

// Whichever of UP and SUB leaves the smaller signed sum: not always the deflater's best
// choice, but close, and cheap.
std::uint8_t cheaperOfUpAndSub(const std::uint8_t* row, const std::uint8_t* above,
                               std::size_t size) {
  static constexpr std::uint8_t kZero[kRgb] = {};
  const std::uint32_t up = signedSum(row, above, size);
  const std::uint32_t sub = signedSum(row, kZero, kRgb) + signedSum(row + kRgb, row, size - kRgb);
  return sub < up ? kFilterSub : kFilterUp;
}

// Writes the filter type, then the filtered bytes of an R,G,B row (at least one pixel);
// `above` is the row before it (all zero above the first).
void filterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
               PngRowFilter filter, std::uint8_t* out) {
  const std::uint8_t type = filter == PngRowFilter::upOrSub ? cheaperOfUpAndSub(row, above, size)
                            : filter == PngRowFilter::up    ? kFilterUp
                                                            : kFilterNone;
  *out++ = type;
  if (type == kFilterUp) {
    subtract(row, above, size, out);
  } else if (type == kFilterSub) {
    std::memcpy(out, row, kRgb);
    subtract(row + kRgb, row, size - kRgb, out + kRgb);
  } else {
    std::memcpy(out, row, size);
  }
}

}  // namespace

RowFilter::RowFilter(const PixelBuffer& image, PngRowFilter filter)
    : image_(image), filter_(filter), converter_(image), size_(rowBytes(image) - 1),
      above_(size_, 0), row_(size_) {}

std::size_t RowFilter::rowBytes(const PixelBuffer& image) {
  return 1 + (image.bitsPerPixel <= 8 ? usedRowBytes(image)
                                      : std::size_t{3} * static_cast<std::uint32_t>(image.width));
}

void RowFilter::seek(std::int32_t y) {
  if (y == y_) return;
  y_ = y;
  if (image_.bitsPerPixel <= 8) return;
  if (y == 0) {
    std::fill(above_.begin(), above_.end(), 0);
  } else {
    converter_.convert(y - 1, above_.data());
  }
}

void RowFilter::next(std::int32_t count, std::uint8_t* out) {
  for (const std::int32_t end = y_ + count; y_ < end; ++y_, out += rowBytes()) {
    if (image_.bitsPerPixel <= 8) {
      out[0] = kFilterNone;
      copyUsedRow(image_, y_, out + 1);
      continue;
    }
    converter_.convert(y_, row_.data());
    filterRow(row_.data(), above_.data(), size_, filter_, out);
    std::swap(above_, row_);
  }
}

}  // namespace vireloc
