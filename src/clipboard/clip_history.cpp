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
  for (int k = position - 1; k >= 0; --k) entries_[k + 1] = std::move(entries_[k]);
  entries_[0] = std::move(text);
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
