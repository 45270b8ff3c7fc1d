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

// Goals, each against its reference in the same run.
constexpr double pngSpeedGoal = 4.0;     // times ImageMagick's encoding alone, at least
constexpr double pngGrowthGoal = 1.03;   // file size against ImageMagick's, at most
constexpr double jpegGoal = 1.05;        // times bare libjpeg from ready rows, at most
constexpr double bmpGoal = 1.5;          // times one raw write of the same bytes, at most

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
              "(goal >= %.0fx); file %+.1f%% (goal <= %+.0f%%): %s\n",
              im->ms / png->ms, imEncode / png->ms, pngSpeedGoal, 100 * (growth - 1),
              100 * (pngGrowthGoal - 1),
              verdict(imEncode / png->ms >= pngSpeedGoal && growth <= pngGrowthGoal));
  std::printf("- JPEG %.2fx cjpeg's time\n", jpeg->ms / cjpeg->ms);
  if (const Row* bare = find(rows, "JPEG", "bare libjpeg")) {
    double jpegRatio = jpeg->ms / bare->ms;
    std::printf("- JPEG %.2fx in-process libjpeg's time from ready RGB rows (goal <= %.2f): %s\n",
                jpegRatio, jpegGoal, verdict(jpegRatio <= jpegGoal));
  }
  double bmpRatio = bmp->ms / raw->ms;
  // The bottom-up row order costs one pass over the pixels that a raw write does not make.
  std::printf("- BMP %.2fx a raw write's time, %+.1f ms (goal <= %.1fx): %s\n", bmpRatio,
              bmp->ms - raw->ms, bmpGoal, verdict(bmpRatio <= bmpGoal));
  std::printf("\nPNG settings meeting the PNG goal against ImageMagick's encoding alone, "
              "fastest first:\n\n");
  std::vector<const Row*> fits;
  for (const Row& r : rows) {
    const bool variant = r.method.rfind("level", 0) == 0;
    if (r.format == "PNG" && variant &&
        imEncode / r.ms >= pngSpeedGoal && double(r.bytes) <= pngGrowthGoal * double(im->bytes)) {
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
