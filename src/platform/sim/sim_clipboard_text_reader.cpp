#include "platform/sim/sim_clipboard_text_reader.h"

namespace vireloc::sim {

void SimClipboardTextReader::readText(WindowHandle owner, Answer answer) {
  Read read = [this, owner] { return readClipboardText(clipboard_, owner, lastSequence_); };
  if (holdAnswers) {
    read = [text = read()] { return text; };
  } else if (!holdReads && held_.empty()) {
    return answer(read());
  }
  // Behind a held read, a new one waits its turn.
  held_.emplace_back(std::move(read), std::move(answer));
}

void SimClipboardTextReader::runHeldReads() {
  while (!held_.empty()) {
    auto [read, answer] = std::move(held_.front());
    held_.pop_front();
    answer(read());
  }
}

}  // namespace vireloc::sim
