// Clipboard text reads on real Windows: a thread of the reader's own, not the captures' worker
// (a text must not wait behind a capture to a folder that does not answer), ended as soon as
// no read is left.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/clipboard_text_reader.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_worker_thread.h"

namespace vireloc {

class Win32ClipboardTextReader final : public ClipboardTextReader {
 public:
  explicit Win32ClipboardTextReader(Windowing& windowing);

  void readText(WindowHandle owner, Answer answer) override;
  void dropPending() override { worker_.dropPending(); }

 private:
  struct ReadState {
    Win32Clipboard clipboard;  // keeps no state: the thread's own
    std::uint32_t lastSequence = 0;
  };
  // Held by each read too: a read the system keeps past the exit wait outlives the reader.
  std::shared_ptr<ReadState> state_ = std::make_shared<ReadState>();
  Win32WorkerThread<std::optional<std::string>> worker_;
};

}  // namespace vireloc
