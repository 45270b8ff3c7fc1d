#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "forms/program_context.h"

namespace vireloc {

// What follows a capture's file.
struct CaptureFollowUp {
  bool copyToClipboard = false;  // once the file is written, as SaveClip says
  // Told why the capture or its copy failed; empty: the default error report.
  std::function<void(const std::string& reason)> failed;
  std::function<void()> saved;  // the file is written; may be empty
};

// Where a capture goes: a file in the save folder named after the local time of the capture
// (or the next millisecond no file has), and the clipboard when asked.
class CaptureWriter {
 public:
  // ownClipboardWrite runs the clipboard write it is given and marks the change it causes as
  // the program's own.
  CaptureWriter(ProgramContext& context,
                std::function<void(const std::function<void()>&)> ownClipboardWrite)
      : context_(context), platform_(context.platform), ownClipboardWrite_(std::move(ownClipboardWrite)) {}

  // Writes the image as SaveFormat says, away from the message loop: a save folder on a share
  // that stopped answering holds neither the loop nor the next capture. A missing save folder
  // becomes the program's folder, the user is told so once, and the image is written there.
  // An unknown format writes nothing (the follow-up still runs); an image without pixels is
  // refused at once with a message rather than written as an empty or undefined file.
  void saveCapture(PixelBuffer bitmap, CaptureFollowUp followUp);
  // With SaveClip "1", the image replaces the clipboard's contents.
  void copyCaptureToClipboard(const PixelBuffer& bitmap);

  // Known inside the writer only.
  struct CaptureFormat;
  struct WriteOutcome;

 private:
  ProgramContext& context_;
  Platform& platform_;
  std::function<void(const std::function<void()>&)> ownClipboardWrite_;

  void write(std::shared_ptr<const PixelBuffer> bitmap, const LocalTime& stamp,
             const CaptureFormat& format, CaptureFollowUp followUp, bool folderMayBeGone);
  void written(const WriteOutcome& outcome, const std::shared_ptr<const PixelBuffer>& bitmap,
               const LocalTime& stamp, const CaptureFormat& format, CaptureFollowUp followUp,
               const std::string& folder);
  void followUp(const PixelBuffer& bitmap, const CaptureFollowUp& followUp);
  void report(const std::exception_ptr& failure, const CaptureFollowUp& followUp);
  void useProgramFolder();
};

// "yyyymmddhhnnsszzz": 17 digits down to the millisecond.
std::string captureTimeStamp(const LocalTime& time);
// The millisecond after `time`, across seconds, days, months and years.
LocalTime nextMillisecond(LocalTime time);

}  // namespace vireloc
