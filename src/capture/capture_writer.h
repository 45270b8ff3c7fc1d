#pragma once
#include <string>

#include "forms/program_context.h"

namespace vireloc {

// Where a capture goes: a file in the save folder named after the local time, and the
// clipboard when asked.
class CaptureWriter {
 public:
  // ownClipboardWrite runs the clipboard write it is given and marks the change it causes as
  // the program's own.
  CaptureWriter(ProgramContext& context,
                std::function<void(const std::function<void()>&)> ownClipboardWrite)
      : context_(context), platform_(context.platform), ownClipboardWrite_(std::move(ownClipboardWrite)) {}

  // A missing save folder becomes the program's folder, and the user is told so. A folder
  // found once is not asked again until a write into it fails: on a slow network share each
  // question can block the message loop for the network's time-out.
  void ensureSaveFolder();
  // Writes the image as SaveFormat says; an unknown format writes nothing. An image without
  // pixels is refused with a message rather than written as an empty or undefined file. A
  // save folder gone since it was found is replaced as ensureSaveFolder does, and the image
  // written there.
  void saveCapture(const PixelBuffer& bitmap);
  // With SaveClip "1", the image replaces the clipboard's contents.
  void copyCaptureToClipboard(const PixelBuffer& bitmap);

 private:
  ProgramContext& context_;
  Platform& platform_;
  std::function<void(const std::function<void()>&)> ownClipboardWrite_;
  std::string foundFolder_;  // ClipAddr as last found to be a folder

  bool findSaveFolder();
  void useProgramFolder();
};

// "yyyymmddhhnnsszzz": 17 digits down to the millisecond.
std::string captureTimeStamp(const LocalTime& time);

}  // namespace vireloc
