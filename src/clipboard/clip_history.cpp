#include "clipboard/clip_history.h"

#include <algorithm>
#include <cassert>

namespace vireloc {

int ClipHistory::searchPosition(const std::string& text) const {
  for (int position = 0; position < kSize - 1; ++position)
    if (entries_[position] == text) return position;
  return kSize - 1;
}

void ClipHistory::promoteHistoryEntry(int position, std::string text) {
  assert(position >= 0 && position < kSize);
  // Swapped, not move-assigned: a string moved into keeps its old buffer for the one it came
  // from, and a short text would live on in the megabytes of a large one that left. The
  // entry overwritten ends in `text` and goes with it.
  for (int k = position; k > 0; --k) entries_[k].swap(entries_[k - 1]);
  entries_[0].swap(text);
}

void ClipHistory::moveToTop(int position) {
  assert(position >= 0 && position < kSize);
  std::rotate(entries_.begin(), entries_.begin() + position, entries_.begin() + position + 1);
}

void ClipHistory::record(std::string text) {
  const int position = searchPosition(text);
  promoteHistoryEntry(position, std::move(text));
}

void ClipHistory::clear() {
  for (std::string& entry : entries_) std::string().swap(entry);  // gives the memory back
}

}  // namespace vireloc
