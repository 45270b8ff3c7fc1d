#include "capture/capture_writer.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "common/app_error.h"
#include "platform/opened_clipboard.h"
#include "capture/bmp_encoder.h"
#include "capture/jpeg_encoder.h"
#include "capture/new_file.h"
#include "capture/png_encoder.h"

namespace vireloc {

struct CaptureWriter::CaptureFormat {
  const char* extension;
  void (*write)(const PixelBuffer&, FileWriter&);
};

struct CaptureWriter::WriteOutcome {
  bool folderGone = false;
  std::exception_ptr failure;
};

namespace {

using CaptureFormat = CaptureWriter::CaptureFormat;
using WriteOutcome = CaptureWriter::WriteOutcome;

const CaptureFormat* formatFor(std::optional<ImageFormat> saveFormat) {
  static const CaptureFormat formats[] = {
      {".bmp", &writeBmp},
      {".jpg", &writeJpeg},
      {".PNG", [](const PixelBuffer& image, FileWriter& out) { writePng(image, out); }},
  };
  return saveFormat ? &formats[static_cast<int>(*saveFormat)] : nullptr;
}

// On the worker: every question to the folder may wait for a network's time-out.
// Two captures in one millisecond are both kept: a taken name moves the stamp on by a
// millisecond, at most this many times.
constexpr int kMostStampMoves = 1000;

WriteOutcome writeInto(Files& files, const std::string& folder, LocalTime stamp,
                       const CaptureFormat& format, const PixelBuffer& bitmap,
                       bool folderMayBeGone) {
  WriteOutcome outcome;
  try {
    if (folderMayBeGone && !isDirectory(files, folder)) {
      outcome.folderGone = true;
      return outcome;
    }
    for (int move = 0;; ++move, stamp = nextMillisecond(stamp)) {
      try {
        writeNewFile(files, folder + captureTimeStamp(stamp) + format.extension,
                     [&](FileWriter& file) { format.write(bitmap, file); });
        break;
      } catch (const FileNameTaken&) {
        if (move == kMostStampMoves) throw;
      }
    }
  } catch (const AppError&) {
    // A folder gone since it was asked still gets the capture elsewhere.
    if (folderMayBeGone && !isDirectory(files, folder))
      outcome.folderGone = true;
    else
      outcome.failure = std::current_exception();
  } catch (...) {
    outcome.failure = std::current_exception();
  }
  return outcome;
}

}  // namespace

namespace {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;
  return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

LocalTime nextMillisecond(LocalTime t) {
  if (++t.millisecond < 1000) return t;
  t.millisecond = 0;
  if (++t.second < 60) return t;
  t.second = 0;
  if (++t.minute < 60) return t;
  t.minute = 0;
  if (++t.hour < 24) return t;
  t.hour = 0;
  if (++t.day <= daysInMonth(t.year, t.month)) return t;
  t.day = 1;
  if (++t.month <= 12) return t;
  t.month = 1;
  ++t.year;
  return t;
}

std::string captureTimeStamp(const LocalTime& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.millisecond);
  return stamp;
}

void CaptureWriter::useProgramFolder() {
  context_.application.showMessage("フォルダが見つからないため保存フォルダを\r\n" + context_.appDir +
                           "\r\nに変更しました");
  context_.settings.ClipAddr = context_.appDir;
  context_.iniWrite();
}

void CaptureWriter::saveCapture(PixelBuffer bitmap, CaptureFollowUp followUp) {
  const CaptureFormat* format = formatFor(context_.settings.saveFormat());
  if (!format) {
    this->followUp(bitmap, followUp);
    return;
  }
  if (!bitmap.hasPixels())
    throw AppError("キャプチャした範囲が空のため、ファイルを保存しませんでした");
  write(std::make_shared<const PixelBuffer>(std::move(bitmap)), platform_.files.localTime(), *format,
        followUp, true);
}

void CaptureWriter::write(std::shared_ptr<const PixelBuffer> bitmap, const LocalTime& stamp,
                          const CaptureFormat& format, CaptureFollowUp followUp,
                          bool folderMayBeGone) {
  Files& files = platform_.files;
  const std::string folder = context_.settings.ClipAddr;
  platform_.background.run([=, this, &files, &format]() -> BackgroundWork::Continuation {
    const WriteOutcome outcome = writeInto(files, folder, stamp, format, *bitmap, folderMayBeGone);
    return [=, this, &format] { written(outcome, bitmap, stamp, format, followUp, folder); };
  });
}

void CaptureWriter::written(const WriteOutcome& outcome,
                            const std::shared_ptr<const PixelBuffer>& bitmap,
                            const LocalTime& stamp, const CaptureFormat& format,
                            CaptureFollowUp followUp, const std::string& folder) {
  if (outcome.folderGone) {
    // Told once: a capture behind this one that found the same folder gone follows it.
    if (context_.settings.ClipAddr == folder) useProgramFolder();
    write(bitmap, stamp, format, followUp, context_.settings.ClipAddr != context_.appDir);
    return;
  }
  if (outcome.failure) return report(outcome.failure, followUp);
  if (followUp.saved) followUp.saved();
  this->followUp(*bitmap, followUp);
}

void CaptureWriter::followUp(const PixelBuffer& bitmap, const CaptureFollowUp& followUp) {
  if (!followUp.copyToClipboard) return;
  try {
    copyCaptureToClipboard(bitmap);
  } catch (const std::exception&) {
    report(std::current_exception(), followUp);
  }
}

void CaptureWriter::report(const std::exception_ptr& failure, const CaptureFollowUp& followUp) {
  if (!followUp.failed)
    return context_.application.runGuarded([&] { std::rethrow_exception(failure); });
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    followUp.failed(error.what());
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
