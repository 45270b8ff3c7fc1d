#include "platform/utf16_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace vireloc {
namespace {

std::string convert(const std::u16string& text) { return utf8FromUtf16(text.data(), text.size()); }

TEST(Utf16Conversion, EachSizeOfCharacterAndPair) {
  EXPECT_EQ(convert(u"a\u00e9\u65e5\U0001F600z"), "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80z");
  EXPECT_EQ(convert(u"\u007f\u0080\u07ff\u0800\uffff"), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
  EXPECT_EQ(convert(u"\U00010000\U0010FFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
}

TEST(Utf16Conversion, UnpairedHalvesBecomeReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(convert(std::u16string{u'a', 0xD83D, u'b'}), "a" + replacement + "b");
  EXPECT_EQ(convert(std::u16string{0xDE00, 0xD83D}), replacement + replacement);
  EXPECT_EQ(convert(std::u16string{0xD83D, 0xD83D, 0xDE00}), replacement + "\xF0\x9F\x98\x80");
  EXPECT_EQ(convert(std::u16string{u'x', 0xD83D}), "x" + replacement);  // cut at the end
}

TEST(Utf16Conversion, EndsAtTheFirstNulOrAtTheCapacity) {
  const std::u16string text{u'a', u'b', 0, u'c'};
  EXPECT_EQ(convert(text), "ab");
  EXPECT_EQ(measureUtf16(text.data(), text.size()).units, 2u);
  EXPECT_EQ(utf8FromUtf16(text.data(), 1), "a");
  // A high half whose partner lies past the capacity is unpaired.
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(utf8FromUtf16(pair.data(), 1), "\xEF\xBF\xBD");
}

// The blocks the passes work in must not show: every special unit at every place around
// their edges, in ASCII and in kana.
TEST(Utf16Conversion, SpecialUnitsAtEveryPlaceOfLongText) {
  struct Piece {
    std::u16string units;
    std::string utf8;
  };
  const Piece pieces[] = {{u"\U0001F600", "\xF0\x9F\x98\x80"},
                          {std::u16string{0xD83D}, "\xEF\xBF\xBD"},
                          {std::u16string{0xDE00}, "\xEF\xBF\xBD"},
                          {u"\u00e9", "\xC3\xA9"}};
  const Piece backgrounds[] = {{u"a", "a"}, {u"\u3042", "\xE3\x81\x82"}};
  for (const Piece& background : backgrounds)
    for (const Piece& piece : pieces)
      for (std::size_t at = 0; at < 40; ++at) {
        std::u16string text;
        std::string expected;
        for (std::size_t k = 0; k < at; ++k) text += background.units, expected += background.utf8;
        text += piece.units, expected += piece.utf8;
        for (std::size_t k = 0; k < 40; ++k) text += background.units, expected += background.utf8;
        ASSERT_EQ(convert(text), expected) << "at " << at;
        const Utf16Extent extent = measureUtf16(text.data(), text.size());
        ASSERT_EQ(extent.utf8Bytes, expected.size()) << "at " << at;
        text[at + piece.units.size()] = 0;
        ASSERT_EQ(convert(text), expected.substr(0, expected.size() - 40 * background.utf8.size()))
            << "NUL after the piece at " << at;
      }
}

}  // namespace
}  // namespace vireloc
