#include "capture/jpeg_encoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <exception>
#include <string>
#include <type_traits>
#include <vector>

#include "common/app_error.h"
#include "capture/encoder_rows.h"

namespace vireloc {

namespace {

constexpr int rowsPerBatch = 16;  // one MCU row at the largest sampling factor

// libjpeg-turbo takes B,G,R and B,G,R,X rows itself, sparing a conversion to R,G,B per row.
bool readsRowsAsTheyAre(const PixelBuffer& image) {
  return image.bitsPerPixel == 32 || image.bitsPerPixel == 24;
}

void describeInput(jpeg_compress_struct& cinfo, const PixelBuffer& image) {
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  switch (image.bitsPerPixel) {
    case 32:
      cinfo.input_components = 4;
      cinfo.in_color_space = JCS_EXT_BGRX;
      return;
    case 24:
      cinfo.input_components = 3;
      cinfo.in_color_space = JCS_EXT_BGR;
      return;
    default:
      cinfo.input_components = 3;
      cinfo.in_color_space = JCS_RGB;
  }
}

// Everything libjpeg's callbacks reach. libjpeg is C: its failures leave by longjmp to
// `jump`, so no C++ exception may cross it; a failed write parks its exception here.
struct JpegJob {
  JpegJob(const PixelBuffer& image, FileWriter& out)
      : image(image), out(out), buffer(1 << 18),
        rows(readsRowsAsTheyAre(image)
                 ? 0
                 : std::size_t{3} * static_cast<std::uint32_t>(image.width) * rowsPerBatch) {}

  const PixelBuffer& image;
  FileWriter& out;
  std::vector<std::uint8_t> buffer;  // compressed bytes on their way to the file
  std::vector<std::uint8_t> rows;    // a batch of converted RGB rows, for the other depths
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_destination_mgr destination{};
  std::jmp_buf jump{};
  std::exception_ptr writeFailure;
};

JpegJob& jobOf(j_compress_ptr cinfo) { return *static_cast<JpegJob*>(cinfo->client_data); }

void onJpegError(j_common_ptr cinfo) {
  // The library's own text is English; the user is told in the program's words instead.
  std::longjmp(static_cast<JpegJob*>(cinfo->client_data)->jump, 1);
}

void onJpegMessage(j_common_ptr) {
  // Warnings and traces would go to stderr, which a tray program does not have.
}

// Writes n bytes of the buffer; a failure leaves libjpeg the way its own errors do.
void sendBuffer(JpegJob& job, std::size_t n) {
  try {
    job.out.write(job.buffer.data(), n);
  } catch (...) {
    job.writeFailure = std::current_exception();
  }
  if (job.writeFailure) std::longjmp(job.jump, 1);
}

void onInitDestination(j_compress_ptr cinfo) {
  JpegJob& job = jobOf(cinfo);
  job.destination.next_output_byte = job.buffer.data();
  job.destination.free_in_buffer = job.buffer.size();
}

boolean onBufferFull(j_compress_ptr cinfo) {
  JpegJob& job = jobOf(cinfo);
  sendBuffer(job, job.buffer.size());  // libjpeg asks for the whole buffer, whatever free says
  onInitDestination(cinfo);
  return TRUE;
}

void onTermDestination(j_compress_ptr cinfo) {
  JpegJob& job = jobOf(cinfo);
  std::size_t used = job.buffer.size() - job.destination.free_in_buffer;
  if (used != 0) sendBuffer(job, used);
}

static_assert(std::is_trivially_destructible_v<RgbRowConverter>);

// libjpeg only reads the rows it is handed; its interface has no const.
void writeRowsAsTheyAre(JpegJob& job) {
  const PixelBuffer& image = job.image;
  JSAMPROW rowPointers[rowsPerBatch];
  std::int32_t y = 0;
  while (y < image.height) {
    int batch = image.height - y < rowsPerBatch ? image.height - y : rowsPerBatch;
    for (int i = 0; i < batch; ++i) {
      rowPointers[i] =
          const_cast<JSAMPLE*>(image.pixels.data() + std::size_t{image.stride} * (y + i));
    }
    y += static_cast<std::int32_t>(jpeg_write_scanlines(&job.cinfo, rowPointers, batch));
  }
}

void writeConvertedRows(JpegJob& job) {
  const RgbRowConverter converter(job.image);  // trivially destructible: a longjmp may skip it
  const std::size_t rowBytes = std::size_t{3} * static_cast<std::uint32_t>(job.image.width);
  JSAMPROW rowPointers[rowsPerBatch];
  for (int i = 0; i < rowsPerBatch; ++i) rowPointers[i] = job.rows.data() + rowBytes * i;
  std::int32_t y = 0;
  while (y < job.image.height) {
    int batch = job.image.height - y < rowsPerBatch ? job.image.height - y : rowsPerBatch;
    for (int i = 0; i < batch; ++i) converter.convert(y + i, rowPointers[i]);
    y += static_cast<std::int32_t>(jpeg_write_scanlines(&job.cinfo, rowPointers, batch));
  }
}

// The only frame libjpeg may longjmp into. It holds no C++ object that a jump could skip:
// what needs destroying lives in the job, owned by the caller.
bool encode(JpegJob& job) {
  j_compress_ptr cinfo = &job.cinfo;
  cinfo->err = jpeg_std_error(&job.errors);
  job.errors.error_exit = onJpegError;
  job.errors.output_message = onJpegMessage;
  cinfo->client_data = &job;
  if (setjmp(job.jump)) {
    jpeg_destroy_compress(cinfo);
    return false;
  }
  jpeg_create_compress(cinfo);
  job.destination.init_destination = onInitDestination;
  job.destination.empty_output_buffer = onBufferFull;
  job.destination.term_destination = onTermDestination;
  cinfo->dest = &job.destination;
  describeInput(*cinfo, job.image);
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, 100, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  if (readsRowsAsTheyAre(job.image)) {
    writeRowsAsTheyAre(job);
  } else {
    writeConvertedRows(job);
  }
  jpeg_finish_compress(cinfo);
  jpeg_destroy_compress(cinfo);
  return true;
}

}  // namespace

void writeJpeg(const PixelBuffer& image, FileWriter& out) {
  requireEncodable(image, "JPEG");
  if (image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION) {
    throw AppError("画像の一辺が " + std::to_string(JPEG_MAX_DIMENSION) +
                   " ピクセルを超えるため、JPEG 形式では保存できません");
  }
  JpegJob job(image, out);
  if (!encode(job)) {
    if (job.writeFailure) std::rethrow_exception(job.writeFailure);
    throw AppError("画像を JPEG 形式に変換できません");
  }
  out.close();
}

}  // namespace vireloc
