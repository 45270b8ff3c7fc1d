#pragma once
#include <cstdint>
#include <functional>

#include "platform/clipboard.h"

namespace vireloc {

// Tells the clipboard changes the program made itself from everybody else's, so that the
// image monitor never saves the program's own capture again. The flag covers the notification
// that arrives inside the write's own CloseClipboard; the sequence number covers one that the
// viewer chain delivers later, after other programs' viewers.
class OwnClipboardWrites {
 public:
  explicit OwnClipboardWrites(Clipboard& clipboard) : clipboard_(clipboard) {}

  // Runs a clipboard write (open, empty, set, close) marked as the program's own.
  void write(const std::function<void()>& change);
  // True while such a write runs, and afterwards as long as nobody changed the clipboard.
  bool clipboardHoldsOwnWrite();

 private:
  Clipboard& clipboard_;
  bool writing_ = false;
  std::uint32_t sequenceAfterWrite_ = 0;
};

}  // namespace vireloc
