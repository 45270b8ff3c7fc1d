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

void writeCaptureFile(Files& files, const std::string& folder, const CaptureFormat& format,
                      const PixelBuffer& bitmap) {
  const std::string path = folder + captureTimeStamp(files.localTime()) + format.extension;
  writeNewFile(files, path, [&](FileWriter& file) { format.write(bitmap, file); });
}

}  // namespace

std::string captureTimeStamp(const LocalTime& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.millisecond);
  return stamp;
}

void CaptureWriter::ensureSaveFolder() {
  const std::string& folder = context_.settings.ClipAddr;
  if (!foundFolder_.empty() && folder == foundFolder_) return;
  if (!findSaveFolder()) useProgramFolder();
}

bool CaptureWriter::findSaveFolder() {
  if (!isDirectory(platform_.files, context_.settings.ClipAddr)) return false;
  foundFolder_ = context_.settings.ClipAddr;
  return true;
}

void CaptureWriter::useProgramFolder() {
  foundFolder_.clear();
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
  try {
    writeCaptureFile(platform_.files, context_.settings.ClipAddr, *format, bitmap);
  } catch (const AppError&) {
    // Only now is the folder asked again: the capture must not be lost to a folder gone
    // since it was found.
    foundFolder_.clear();
    if (findSaveFolder()) throw;
    useProgramFolder();
    writeCaptureFile(platform_.files, context_.settings.ClipAddr, *format, bitmap);
  }
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
