// Raw deflate streams compressed one after another made into one stream, so that an image can
// be compressed a strip at a time in a small buffer by a compressor that only takes whole
// inputs (libdeflate): a page of fresh memory costs more on some machines than compressing it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vireloc {

// Bytes joinable() may add.
constexpr std::size_t kJoinRoom = 5;

class BlockWalker;

// Turns complete raw deflate streams into ones that another may follow: the last block loses
// the final mark, and an empty stored block brings the stream to a byte boundary. Holds the
// code tables for walking the blocks (a few hundred kilobytes), so one joiner serves a whole
// image.
class DeflateJoiner {
 public:
  DeflateJoiner();
  ~DeflateJoiner();
  DeflateJoiner(const DeflateJoiner&) = delete;
  DeflateJoiner& operator=(const DeflateJoiner&) = delete;

  // `stream` has room for kJoinRoom more bytes. Returns the new size, or 0, with `stream`
  // unchanged, when it is not one whole well-formed stream.
  std::size_t joinable(std::uint8_t* stream, std::size_t size);

 private:
  std::unique_ptr<BlockWalker> walker_;
};

}  // namespace vireloc
