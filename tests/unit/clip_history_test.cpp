#include "clipboard/clip_history.h"

#include <gtest/gtest.h>

#include <vector>

namespace vireloc {
namespace {

std::vector<std::string> entriesOf(const ClipHistory& history) {
  std::vector<std::string> entries;
  for (int i = 0; i < ClipHistory::kSize; ++i) entries.push_back(history.entry(i));
  return entries;
}

// [A, B, C, D, E], A the newest.
ClipHistory filledHistory() {
  ClipHistory history;
  for (const char* text : {"E", "D", "C", "B", "A"}) history.record(text);
  return history;
}

using Entries = std::vector<std::string>;

// What the entries hold of the heap, their texts or not.
std::size_t heldBytes(const ClipHistory& history) {
  std::size_t bytes = 0;
  for (int i = 0; i < ClipHistory::kSize; ++i) bytes += history.entry(i).capacity();
  return bytes;
}

TEST(ClipHistoryTest, CopiedTextMovesToTheTopAndNewTextPushesTheOldestOut) {
  struct Case {
    const char* copied;
    Entries expected;
  };
  const Case cases[] = {
      {"C", {"C", "A", "B", "D", "E"}},
      {"E", {"E", "A", "B", "C", "D"}},
      {"F", {"F", "A", "B", "C", "D"}},
      {"A", {"A", "B", "C", "D", "E"}},
  };
  for (const Case& c : cases) {
    ClipHistory history = filledHistory();
    history.record(c.copied);
    EXPECT_EQ(entriesOf(history), c.expected) << "after copying " << c.copied;
  }
}

TEST(ClipHistoryTest, SearchComparesEntriesZeroToThreeOnly) {
  const ClipHistory history = filledHistory();
  EXPECT_EQ(history.searchPosition("A"), 0);
  EXPECT_EQ(history.searchPosition("D"), 3);
  EXPECT_EQ(history.searchPosition("E"), 4);  // equal to entry 4, found as a new text
  EXPECT_EQ(history.searchPosition("a"), 4);  // case matters
}

TEST(ClipHistoryTest, PromoteKeepsEntriesBelowThePosition) {
  ClipHistory history = filledHistory();
  history.promoteHistoryEntry(2, "X");
  EXPECT_EQ(entriesOf(history), (Entries{"X", "A", "B", "D", "E"}));
  history.promoteHistoryEntry(0, "Y");
  EXPECT_EQ(entriesOf(history), (Entries{"Y", "A", "B", "D", "E"}));
}

TEST(ClipHistoryTest, LargeTextsAreMovedNotCopied) {
  std::string large(8 << 20, 'x');
  const char* buffer = large.data();
  ClipHistory history;
  history.record(std::move(large));
  EXPECT_EQ(history.entry(0).data(), buffer);
  history.record("next");
  EXPECT_EQ(history.entry(1).data(), buffer);
  history.moveToTop(1);  // reused from the history window
  EXPECT_EQ(history.entry(0).data(), buffer);
  EXPECT_EQ(history.entry(1), "next");
}

TEST(ClipHistoryTest, MoveToTopKeepsTheOrderOfTheOthers) {
  ClipHistory history = filledHistory();
  history.moveToTop(4);
  EXPECT_EQ(entriesOf(history), (Entries{"E", "A", "B", "C", "D"}));
  history.moveToTop(0);
  EXPECT_EQ(entriesOf(history), (Entries{"E", "A", "B", "C", "D"}));
}

// A string moved into keeps its own buffer for the one it came from: a short text must not
// end up living in the buffer of a large one that left.
TEST(ClipHistoryTest, ALargeTextLeavesNoBufferBehind) {
  const std::string large(8 << 20, 'x');
  {
    ClipHistory history;
    history.record(large);
    for (const char* text : {"a", "b", "c", "d", "e"}) history.record(text);
    EXPECT_LT(heldBytes(history), 1024u) << "pushed out by five short texts";
  }
  {
    ClipHistory history = filledHistory();
    for (const std::string& text : {large, std::string("F"), std::string("G")}) history.record(text);
    history.promoteHistoryEntry(2, std::string(history.entry(2)));
    EXPECT_EQ(history.entry(0), large);
    EXPECT_LT(heldBytes(history), large.size() + 1024) << "copied to the top from its row";
  }
}

TEST(ClipHistoryTest, ClearEmptiesEveryEntry) {
  ClipHistory history = filledHistory();
  history.clear();
  EXPECT_EQ(entriesOf(history), Entries(5));
  history.record("new");
  EXPECT_EQ(history.entry(0), "new");
}

}  // namespace
}  // namespace vireloc
