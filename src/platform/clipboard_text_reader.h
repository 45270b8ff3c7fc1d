// The clipboard's text read away from the message loop's thread: Wine takes hundreds of
// milliseconds to hand over a text of tens of megabytes (seconds on a busy machine), and the
// program must keep answering meanwhile.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/types.h"

namespace vireloc {

class ClipboardTextReader {
 public:
  // Runs on the message loop's thread: the text found, or nothing (none there, held open by
  // another program, marked not to be recorded, or found by the read before already).
  using Answer = std::function<void(std::optional<std::string> text)>;

  virtual ~ClipboardTextReader() = default;
  // Reads the clipboard's text on another thread, opening it for owner; reads run one at a
  // time and are answered in the order asked.
  virtual void readText(WindowHandle owner, Answer answer) = 0;
  // Reads not answered yet are never answered: the one who asked is going away.
  virtual void dropPending() = 0;
};

// One read as a reader does it, on whichever thread calls it: the clipboard opened (tried
// again after short pauses) and closed on every way out. Contents that the read numbered
// lastSequence found already are not read twice; lastSequence becomes this read's number.
std::optional<std::string> readClipboardText(Clipboard& clipboard, WindowHandle owner,
                                             std::uint32_t& lastSequence);

}  // namespace vireloc
