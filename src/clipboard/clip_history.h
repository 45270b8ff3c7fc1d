// clipHistory: the last five distinct clipboard texts, index 0 the newest, a free slot empty.
#pragma once
#include <array>
#include <string>

namespace vireloc {

class ClipHistory {
 public:
  static constexpr int kSize = 5;

  const std::string& entry(int index) const { return entries_.at(index); }

  // Where a newly copied text goes: its index among entries 0 to 3, else 4. Entry 4 is never
  // compared; a text equal to it lands there all the same.
  int searchPosition(const std::string& text) const;
  // Entries above `position` move one place down, the one at `position` is overwritten, and
  // `text` becomes entry 0. Texts can be tens of megabytes: they are moved, never copied.
  void promoteHistoryEntry(int position, std::string text);
  // Entry `position` becomes entry 0, those above it move one place down: a reused text is
  // moved, not copied.
  void moveToTop(int position);
  // Records a copied text: searchPosition, then promoteHistoryEntry.
  void record(std::string text);
  void clear();

 private:
  std::array<std::string, kSize> entries_;
};

}  // namespace vireloc
