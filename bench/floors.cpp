#include "floors.h"

#ifndef _WIN32
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <cstdio>
#include <jpeglib.h>

#include "common/app_error.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace vireloc::bench {

namespace {

std::FILE* create(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw AppError("cannot create " + path);
  return file;
}

}  // namespace

void writeRaw(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  std::FILE* file = create(path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  if (std::fclose(file) != 0) throw AppError("cannot write " + path);
}

#ifndef _WIN32  // the Windows trees have no libpng
void writeLibpng(const PixelBuffer& frame, const std::string& path, const LibpngSettings& settings) {
  std::FILE* file = create(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    throw AppError("libpng failed on " + path);
  }
  png_init_io(png, file);
  if (settings.level >= 0) png_set_compression_level(png, settings.level);
  if (settings.filters >= 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
  png_set_IHDR(png, info, frame.width, frame.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (std::int32_t y = 0; y < frame.height; ++y) {
    png_write_row(png, frame.pixels.data() + std::size_t{frame.stride} * y);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) throw AppError("cannot write " + path);
}
#endif

void writeBareLibjpeg(const std::vector<std::uint8_t>& rgb, std::int32_t width,
                      std::int32_t height, const std::string& path) {
  std::FILE* file = create(path);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);  // exits on error: fine for a benchmark
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(&rgb[std::size_t{3} * width * cinfo.next_scanline]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(file) != 0) throw AppError("cannot write " + path);
}

#ifndef _WIN32
void runProgram(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
    throw AppError("cannot start " + argv[0]);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw AppError(argv[0] + " failed");
}
#endif

}  // namespace vireloc::bench
