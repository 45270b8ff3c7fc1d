// Clipboard text reads on real Windows: a thread of the reader's own, not the captures' worker
// (a text must not wait behind a capture to a folder that does not answer). It starts when a
// read is asked for and ends when none is left, so that an idle program keeps no thread for
// it; its answers wake the main thread through a hidden window, by a message that names the
// read only.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>

#include "platform/clipboard_text_reader.h"
#include "platform/win32/win32_handles.h"
#include "platform/windowing.h"

namespace vireloc {

class Win32ClipboardTextReader final : public ClipboardTextReader, private MessageHandler {
 public:
  explicit Win32ClipboardTextReader(Windowing& windowing);
  // Waits a moment for the read at work; reads not begun are dropped. A read the system
  // keeps longer is left to end with the process: all it uses is its own.
  ~Win32ClipboardTextReader() override;
  Win32ClipboardTextReader(const Win32ClipboardTextReader&) = delete;
  Win32ClipboardTextReader& operator=(const Win32ClipboardTextReader&) = delete;

  void readText(WindowHandle owner, Answer answer) override;
  void dropPending() override;

 private:
  struct Shared;
  static DWORD WINAPI work(void* shared);
  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;
  bool startThread();
  void deliverReady();

  Windowing& windowing_;
  WindowHandle window_ = 0;
  std::shared_ptr<Shared> shared_;  // the thread holds it too
  KernelHandle thread_;             // the latest thread started
  std::uint64_t nextId_ = 1;
  std::deque<std::pair<std::uint64_t, Answer>> waiting_;  // main thread only, in order asked
};

}  // namespace vireloc
