#pragma once
#include <string>

#include "app/application.h"
#include "platform/platform.h"

namespace vireloc {

class TForm1;

// Where a capture goes: a file in the save folder named after the local time, and the
// clipboard when asked.
class CaptureWriter {
 public:
  CaptureWriter(Platform& platform, Application& application, TForm1& form)
      : platform_(platform), application_(application), form_(form) {}

  // A missing save folder becomes the program's folder, and the user is told so.
  void ensureSaveFolder();
  // Writes the image as SaveFormat says; an unknown format writes nothing. An image without
  // pixels is refused with a message rather than written as an empty or undefined file.
  void saveCapture(const PixelBuffer& bitmap);
  // With SaveClip "1", the image replaces the clipboard's contents.
  void copyCaptureToClipboard(const PixelBuffer& bitmap);

 private:
  Platform& platform_;
  Application& application_;
  TForm1& form_;
};

// "yyyymmddhhnnsszzz": 17 digits down to the millisecond.
std::string captureTimeStamp(const LocalTime& time);

}  // namespace vireloc
