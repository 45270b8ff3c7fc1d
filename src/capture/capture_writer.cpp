#include "capture/capture_writer.h"

#include <cstdio>

#include "common/app_error.h"
#include "platform/opened_clipboard.h"
#include "capture/bmp_encoder.h"
#include "capture/jpeg_encoder.h"
#include "capture/new_file.h"
#include "capture/png_encoder.h"

namespace vireloc {

namespace {

struct CaptureFormat {
  const char* extension;
  void (*write)(const PixelBuffer&, FileWriter&);
};

const CaptureFormat* formatFor(std::optional<ImageFormat> saveFormat) {
  static const CaptureFormat formats[] = {
      {".bmp", &writeBmp},
      {".jpg", &writeJpeg},
      {".PNG", [](const PixelBuffer& image, FileWriter& out) { writePng(image, out); }},
  };
  return saveFormat ? &formats[static_cast<int>(*saveFormat)] : nullptr;
}

}  // namespace

std::string captureTimeStamp(const LocalTime& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.millisecond);
  return stamp;
}

void CaptureWriter::ensureSaveFolder() {
  if (isDirectory(platform_.files, context_.settings.ClipAddr)) return;
  context_.application.showMessage("フォルダが見つからないため保存フォルダを\r\n" + context_.appDir +
                           "\r\nに変更しました");
  context_.settings.ClipAddr = context_.appDir;
  context_.iniWrite();
}

void CaptureWriter::saveCapture(const PixelBuffer& bitmap) {
  const CaptureFormat* format = formatFor(context_.settings.saveFormat());
  if (!format) return;
  if (!bitmap.hasPixels())
    throw AppError("キャプチャした範囲が空のため、ファイルを保存しませんでした");
  const std::string path = context_.settings.ClipAddr +
                           captureTimeStamp(platform_.files.localTime()) + format->extension;
  writeNewFile(platform_.files, path, [&](FileWriter& file) { format->write(bitmap, file); });
}

void CaptureWriter::copyCaptureToClipboard(const PixelBuffer& bitmap) {
  if (!context_.settings.copiesCaptureToClipboard()) return;
  // Made before the clipboard is emptied: a copy that cannot be made must cost the user
  // nothing of what the clipboard holds.
  auto image = inUserWords("クリップボードに置く画像を作成できません。",
                           [&] { return platform_.clipboard.makeClipboardImage(bitmap); });
  ownClipboardWrite_([&] {
    OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
    platform_.clipboard.emptyClipboard();
    if (!platform_.clipboard.setClipboardImage(std::move(image)))
      throw AppError("クリップボードに画像を置けません");
  });
}

}  // namespace vireloc
