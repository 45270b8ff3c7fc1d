// The reference points the encoders are measured against: the least work each format needs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/pixel_buffer.h"

namespace vireloc::bench {

// One fwrite of bytes already laid out as the file; the floor for BMP.
void writeRaw(const std::vector<std::uint8_t>& bytes, const std::string& path);

#ifndef _WIN32  // the Windows trees have no libpng
// libpng (over zlib), reading the B,G,R,X rows through its own transforms; -1 keeps
// libpng's default (zlib level 6, every filter tried per row).
struct LibpngSettings {
  int level = -1;
  int filters = -1;  // PNG_FILTER_* bits
};
void writeLibpng(const PixelBuffer& frame, const std::string& path,
                 const LibpngSettings& settings = {});
#endif

// libjpeg at quality 100 from ready-made R,G,B rows, as cjpeg would do in-process.
void writeBareLibjpeg(const std::vector<std::uint8_t>& rgb, std::int32_t width,
                      std::int32_t height, const std::string& path);

#ifndef _WIN32
// Runs a program and waits for it; throws AppError unless it exits with 0.
void runProgram(const std::vector<std::string>& argv);
#endif

}  // namespace vireloc::bench
