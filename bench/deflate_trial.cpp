#include "deflate_trial.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/app_error.h"
#include "capture/encoder_rows.h"

namespace vireloc::bench {

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class RowFilter { up, bestOfUpSub, bestOfSubUpPaeth };

std::uint8_t paeth(int a, int b, int c) {
  int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The usual heuristic: the filter whose bytes, read as signed, sum smallest.
long cost(const Bytes& filtered) {
  long sum = 0;
  for (std::uint8_t v : filtered) sum += v < 128 ? v : 256 - v;
  return sum;
}

// Each row of 8-bit R,G,B, filtered and prefixed with its filter byte, as IDAT compresses it.
Bytes filterRows(const PixelBuffer& frame, RowFilter choice) {
  const std::size_t rowBytes = std::size_t{3} * frame.width;
  const RgbRowConverter converter(frame);
  Bytes previous(rowBytes, 0), current(rowBytes), out((rowBytes + 1) * frame.height);
  Bytes sub(rowBytes), up(rowBytes), pa(rowBytes);
  for (std::int32_t y = 0; y < frame.height; ++y) {
    converter.convert(y, current.data());
    for (std::size_t i = 0; i < rowBytes; ++i) {
      int a = i >= 3 ? current[i - 3] : 0, b = previous[i], c = i >= 3 ? previous[i - 3] : 0;
      up[i] = static_cast<std::uint8_t>(current[i] - b);
      if (choice == RowFilter::up) continue;
      sub[i] = static_cast<std::uint8_t>(current[i] - a);
      if (choice == RowFilter::bestOfSubUpPaeth) {
        pa[i] = static_cast<std::uint8_t>(current[i] - paeth(a, b, c));
      }
    }
    std::uint8_t type = 2;
    const Bytes* best = &up;
    if (choice != RowFilter::up) {
      long bestCost = cost(up);
      if (long c = cost(sub); c < bestCost) type = 1, best = &sub, bestCost = c;
      if (choice == RowFilter::bestOfSubUpPaeth && cost(pa) < bestCost) type = 4, best = &pa;
    }
    std::uint8_t* row = &out[(rowBytes + 1) * y];
    row[0] = type;
    std::copy(best->begin(), best->end(), row + 1);
    std::swap(previous, current);
  }
  return out;
}

void putU32(Bytes& bytes, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back((v >> shift) & 0xFF);
}

void putChunk(Bytes& file, const char* type, const std::uint8_t* data, std::size_t size) {
  putU32(file, static_cast<std::uint32_t>(size));
  const std::size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data, data + size);
  putU32(file, libdeflate_crc32(0, &file[start], size + 4));
}

void writeTrial(const PixelBuffer& frame, const std::string& path, int level,
                RowFilter choice) {
  Bytes filtered = filterRows(frame, choice);
  std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor(
      libdeflate_alloc_compressor(level), libdeflate_free_compressor);
  Bytes compressed(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
  compressed.resize(libdeflate_zlib_compress(compressor.get(), filtered.data(), filtered.size(),
                                             compressed.data(), compressed.size()));
  Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  putU32(header, static_cast<std::uint32_t>(frame.width));
  putU32(header, static_cast<std::uint32_t>(frame.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  putChunk(file, "IHDR", header.data(), header.size());
  putChunk(file, "IDAT", compressed.data(), compressed.size());
  putChunk(file, "IEND", nullptr, 0);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) throw AppError("cannot create " + path);
  std::fwrite(file.data(), 1, file.size(), out);
  if (std::fclose(out) != 0) throw AppError("cannot write " + path);
}

}  // namespace

std::vector<DeflateTrial> deflateTrials() {
  std::vector<DeflateTrial> trials;
  struct Filter {
    const char* name;
    RowFilter choice;
  };
  for (Filter f : {Filter{"UP", RowFilter::up}, Filter{"UP or SUB per row", RowFilter::bestOfUpSub},
                   Filter{"SUB, UP or PAETH per row", RowFilter::bestOfSubUpPaeth}}) {
    for (int level : {1, 3, 4, 5, 6}) {
      trials.push_back({"libdeflate level " + std::to_string(level) + ", " + f.name,
                        [level, f](const PixelBuffer& frame, const std::string& path) {
                          writeTrial(frame, path, level, f.choice);
                        }});
    }
  }
  return trials;
}

}  // namespace vireloc::bench
