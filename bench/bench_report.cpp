#include "bench_report.h"

#include <algorithm>
#include <cstdio>

namespace vireloc::bench {

namespace {

const Row* find(const std::vector<Row>& rows, const std::string& format,
                const std::string& methodStart) {
  for (const Row& r : rows) {
    if (r.format == format && r.method.rfind(methodStart, 0) == 0) return &r;
  }
  return nullptr;
}

const Row* referenceOf(const std::vector<Row>& rows, const std::string& format) {
  for (const Row& r : rows) {
    if (r.format == format && r.reference) return &r;
  }
  return nullptr;
}

const char* verdict(bool met) { return met ? "met" : "NOT MET"; }

}  // namespace

void printTable(const std::string& title, const std::vector<Row>& rows) {
  std::printf("\n### %s\n\n", title.c_str());
  std::printf("| format | method | ms | bytes | time vs ref | size vs ref |\n");
  std::printf("|---|---|---:|---:|---:|---:|\n");
  for (const Row& r : rows) {
    const Row* ref = referenceOf(rows, r.format);
    std::printf("| %s | %s%s | %.1f | %ju | %.2f | %.3f |\n", r.format.c_str(),
                r.method.c_str(), r.reference ? " **(ref)**" : "", r.ms, r.bytes,
                ref ? r.ms / ref->ms : 0.0, ref ? double(r.bytes) / double(ref->bytes) : 0.0);
  }
}

void printGoals(const std::string& title, const std::vector<Row>& rows) {
  const Row* png = find(rows, "PNG", "vireloc");
  const Row* im = referenceOf(rows, "PNG");
  const Row* jpeg = find(rows, "JPEG", "vireloc");
  const Row* cjpeg = referenceOf(rows, "JPEG");
  const Row* bmp = find(rows, "BMP", "vireloc");
  const Row* raw = referenceOf(rows, "BMP");
  if (!png || !im || !jpeg || !cjpeg || !bmp || !raw) return;
  const Row* imAlone = find(rows, "PNG", "ImageMagick encoding alone");
  double imEncode = imAlone ? imAlone->ms : im->ms;
  std::printf("\nGoals for %s:\n\n", title.c_str());
  double growth = double(png->bytes) / double(im->bytes);
  std::printf("- PNG %.1fx faster than ImageMagick, %.1fx for its encoding alone "
              "(goal >= 2x); file %+.1f%% (goal <= +10%%): %s\n",
              im->ms / png->ms, imEncode / png->ms, 100 * (growth - 1),
              verdict(imEncode / png->ms >= 2 && growth <= 1.10));
  double jpegRatio = jpeg->ms / cjpeg->ms;
  std::printf("- JPEG %.2fx cjpeg's time (goal <= 1.10): %s\n", jpegRatio,
              verdict(jpegRatio <= 1.10));
  if (const Row* bare = find(rows, "JPEG", "bare libjpeg")) {
    std::printf("- JPEG %.2fx in-process libjpeg's time from ready RGB rows (stricter)\n",
                jpeg->ms / bare->ms);
  }
  double bmpRatio = bmp->ms / raw->ms;
  // The bottom-up row order costs one copy of the pixels that a raw write does not make.
  std::printf("- BMP %.2fx a raw write's time, %+.1f ms (goal: close, <= 2x): %s\n", bmpRatio,
              bmp->ms - raw->ms, verdict(bmpRatio <= 2.0));
  std::printf("\nPNG settings meeting the PNG goal against ImageMagick's encoding alone, "
              "fastest first:\n\n");
  std::vector<const Row*> fits;
  for (const Row& r : rows) {
    if (r.format == "PNG" && r.method.rfind("level", 0) == 0 && imEncode / r.ms >= 2 &&
        double(r.bytes) <= 1.10 * double(im->bytes)) {
      fits.push_back(&r);
    }
  }
  std::sort(fits.begin(), fits.end(), [](const Row* a, const Row* b) { return a->ms < b->ms; });
  for (const Row* r : fits) {
    std::printf("- %s: %.1f ms, %ju bytes\n", r->method.c_str(), r->ms, r->bytes);
  }
  if (fits.empty()) std::printf("- none\n");
}

}  // namespace vireloc::bench
