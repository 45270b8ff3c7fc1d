#include "capture/deflate_join.h"

#include <gtest/gtest.h>
#include <libdeflate.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vireloc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pieces that draw every kind of block from libdeflate: stored (noise), fixed codes (a few
// bytes) and dynamic codes over several blocks (long structured data).
std::vector<Bytes> pieces() {
  Bytes noise(70000), words, rows;
  std::uint32_t state = 99;
  for (auto& b : noise) b = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 24);
  const std::string text = "a short text ";
  words.assign(text.begin(), text.end());
  for (std::uint32_t i = 0; i < 400000; ++i) rows.push_back(static_cast<std::uint8_t>(i % 251 ^ i / 977));
  return {words, noise, rows, words, Bytes(1, 7)};
}

Bytes compress(libdeflate_compressor* c, const Bytes& data) {
  Bytes out(libdeflate_deflate_compress_bound(c, data.size()) + kJoinRoom);
  out.resize(libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size()));
  return out;
}

TEST(DeflateJoin, JoinedStreamsInflateToTheirPiecesInOrder) {
  for (int level : {0, 1, 6, 12}) {
    std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> c(
        libdeflate_alloc_compressor(level), libdeflate_free_compressor);
    DeflateJoiner joiner;
    Bytes joined, expected;
    const std::vector<Bytes> all = pieces();
    for (std::size_t i = 0; i < all.size(); ++i) {
      Bytes stream = compress(c.get(), all[i]);
      ASSERT_FALSE(stream.empty());
      if (i + 1 < all.size()) {
        const std::size_t size = stream.size();
        stream.resize(size + kJoinRoom);
        const std::size_t joinedSize = joiner.joinable(stream.data(), size);
        ASSERT_GT(joinedSize, size) << "level " << level << ", piece " << i;
        stream.resize(joinedSize);
      }
      joined.insert(joined.end(), stream.begin(), stream.end());
      expected.insert(expected.end(), all[i].begin(), all[i].end());
    }
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> d(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    Bytes inflated(expected.size());
    std::size_t in = 0, out = 0;
    ASSERT_EQ(libdeflate_deflate_decompress_ex(d.get(), joined.data(), joined.size(),
                                               inflated.data(), inflated.size(), &in, &out),
              LIBDEFLATE_SUCCESS)
        << "level " << level;
    EXPECT_EQ(in, joined.size()) << "the last piece ends the stream";
    EXPECT_TRUE(inflated == expected) << "level " << level;
  }
}

TEST(DeflateJoin, WhatIsNotOneWholeStreamIsLeftAlone) {
  std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> c(
      libdeflate_alloc_compressor(6), libdeflate_free_compressor);
  const Bytes whole = compress(c.get(), pieces()[2]);
  DeflateJoiner joiner;
  Bytes cases[] = {Bytes(whole.begin(), whole.end() - 1),   // cut short
                   Bytes(whole.begin(), whole.begin() + 40),  // cut in its first block
                   whole,                                     // with a byte too many
                   {0x07},                                    // a block type that does not exist
                   {0x01, 0x05, 0x00, 0x05, 0x00}};           // stored, length not matched
  cases[2].push_back(0);
  for (Bytes& stream : cases) {
    const Bytes before = stream;
    const std::size_t size = stream.size();
    stream.resize(size + kJoinRoom, 0xAA);
    EXPECT_EQ(joiner.joinable(stream.data(), size), 0u) << "case of " << size << " bytes";
    EXPECT_TRUE(Bytes(stream.begin(), stream.begin() + size) == before);
  }
}

}  // namespace
}  // namespace vireloc
