// Clipboard text reads on the simulated desktop: a read runs at once, as if the other thread
// were instant, unless the test holds it. A held read waits for runHeldReads() and then finds
// the clipboard as it is by then, as a thread that comes late does; with answers held, it
// reads at once and only its answer waits, as when the loop has not heard yet.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>

#include "platform/clipboard_text_reader.h"

namespace vireloc::sim {

class SimClipboardTextReader final : public ClipboardTextReader {
 public:
  explicit SimClipboardTextReader(Clipboard& clipboard) : clipboard_(clipboard) {}

  bool holdReads = false;
  bool holdAnswers = false;
  std::size_t heldReads() const { return held_.size(); }
  // Runs the held reads in order, each followed by its answer.
  void runHeldReads();

  void readText(WindowHandle owner, Answer answer) override;
  void dropPending() override { held_.clear(); }

 private:
  using Read = std::function<std::optional<std::string>()>;

  Clipboard& clipboard_;
  std::deque<std::pair<Read, Answer>> held_;
  std::uint32_t lastSequence_ = 0;
};

}  // namespace vireloc::sim
