#include "clipboard/own_clipboard_writes.h"

#include "common/busy_flag.h"

namespace vireloc {

void OwnClipboardWrites::write(const std::function<void()>& change) {
  struct RecordSequence {
    OwnClipboardWrites& self;
    ~RecordSequence() { self.sequenceAfterWrite_ = self.clipboard_.clipboardSequenceNumber(); }
  } record{*this};
  BusyWhileAtWork writing(writing_);
  change();
}

bool OwnClipboardWrites::clipboardHoldsOwnWrite() {
  if (writing_) return true;
  return sequenceAfterWrite_ != 0 && clipboard_.clipboardSequenceNumber() == sequenceAfterWrite_;
}

}  // namespace vireloc
