// Raw deflate streams compressed one after another made into one stream, so that an image can
// be compressed a strip at a time in a small buffer by a compressor that only takes whole
// inputs (libdeflate): a page of fresh memory costs more on some machines than compressing it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vireloc {

// Bytes joinable() may add.
constexpr std::size_t kJoinRoom = 5;

// Turns a complete raw deflate stream into one that another may follow: its last block loses
// the final mark, and an empty stored block brings it to a byte boundary. `stream` has room for
// kJoinRoom more bytes. Returns the new size, or 0, with `stream` unchanged, when it is not one
// whole well-formed stream.
std::size_t joinable(std::uint8_t* stream, std::size_t size);

}  // namespace vireloc
