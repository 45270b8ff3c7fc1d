#include "capture/deflate_join.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

namespace vireloc {

namespace {

// Reads the stream's bits least significant first; past the end it reads zeros and says so.
// peek and skip use the bits already held: refill first (take does).
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // Holds at least 57 bits afterwards.
  void refill() {
    if (available_ > 56) return;
    if (size_ - std::min(next_, size_) >= 8) {  // whole bytes while the word fits (little-endian)
      std::uint64_t word;
      std::memcpy(&word, data_ + next_, 8);
      bits_ |= word << available_;
      next_ += (63 - available_) / 8;
      available_ |= 56;
      return;
    }
    for (; available_ <= 56; available_ += 8, ++next_) {
      bits_ |= std::uint64_t{next_ < size_ ? data_[next_] : std::uint8_t{0}} << available_;
    }
  }
  unsigned available() const { return available_; }
  std::uint32_t peek(unsigned count) const {
    return static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << count) - 1));
  }
  void skip(unsigned count) {
    bits_ >>= count;
    available_ -= count;
  }
  std::uint32_t take(unsigned count) {
    refill();
    const std::uint32_t value = peek(count);
    skip(count);
    return value;
  }
  void skipToByte() { take(available_ & 7); }
  // After skipToByte.
  void skipBytes(std::size_t count) {
    next_ = position() / 8 + count;
    bits_ = 0;
    available_ = 0;
  }
  // Bits consumed.
  std::size_t position() const { return 8 * next_ - available_; }
  bool overrun() const { return position() > 8 * size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;  // the next byte for the bit buffer
  std::uint64_t bits_ = 0;
  unsigned available_ = 0;
};

constexpr unsigned kMaxCodeBits = 15;

// A canonical Huffman code decoded by one look-up of its longest code's bits.
class HuffmanTable {
 public:
  // False for a code with more codes than its lengths allow. An incomplete code is taken; a
  // missing code decodes as an error.
  bool build(const std::uint8_t* lengths, std::size_t count) {
    std::array<unsigned, kMaxCodeBits + 1> perLength{};
    for (std::size_t s = 0; s < count; ++s) ++perLength[lengths[s]];
    perLength[0] = 0;
    std::array<unsigned, kMaxCodeBits + 1> next{};
    int left = 1;
    bits_ = 1;
    for (unsigned bits = 1, code = 0; bits <= kMaxCodeBits; ++bits) {
      left = 2 * left - static_cast<int>(perLength[bits]);
      if (left < 0) return false;
      code = (code + perLength[bits - 1]) << 1;
      next[bits] = code;
      if (perLength[bits] != 0) bits_ = bits;
    }
    const std::size_t size = std::size_t{1} << bits_;
    std::fill_n(entries_.begin(), size, kMissing);
    for (std::size_t s = 0; s < count; ++s) {
      const unsigned bits = lengths[s];
      if (bits == 0) continue;
      const unsigned code = next[bits]++;
      unsigned reversed = 0;
      for (unsigned b = 0; b < bits; ++b) reversed |= ((code >> b) & 1) << (bits - 1 - b);
      for (std::size_t at = reversed; at < size; at += std::size_t{1} << bits) {
        entries_[at] = static_cast<std::uint16_t>(s << 4 | bits);
      }
    }
    return true;
  }
  // The symbol at the reader, which holds its longest code; -1 for none.
  int decode(BitReader& in) const {
    const std::uint16_t entry = entries_[in.peek(bits_)];
    if (entry == kMissing) return -1;
    in.skip(entry & 15);
    return entry >> 4;
  }

 private:
  static constexpr std::uint16_t kMissing = 0xFFFF;
  unsigned bits_ = 1;  // of the longest code: the table's index
  std::array<std::uint16_t, std::size_t{1} << kMaxCodeBits> entries_;
};

constexpr std::uint8_t kLengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::size_t kLitLenCodes = 286, kDistanceCodes = 30;

struct StreamEnd {
  std::size_t lastBlockBit;  // where the final block's header starts
  std::size_t endBit;        // just after its end-of-block code
};

}  // namespace

// Walks a stream's blocks without producing their bytes: a symbol at a time, so a stream
// that compressed well is walked many times faster than it is inflated.
class BlockWalker {
 public:
  std::optional<StreamEnd> findEnd(const std::uint8_t* data, std::size_t size) {
    BitReader in(data, size);
    for (;;) {
      const std::size_t blockStart = in.position();
      const bool final = in.take(1) != 0;
      const std::uint32_t type = in.take(2);
      const bool walked = type == 0   ? skipStored(in)
                          : type == 1 ? useFixedCodes() && skipCoded(in)
                          : type == 2 ? readCodes(in) && skipCoded(in)
                                      : false;
      if (!walked || in.overrun()) return std::nullopt;
      if (final) return StreamEnd{blockStart, in.position()};
    }
  }

 private:
  static bool skipStored(BitReader& in) {
    in.skipToByte();
    const std::uint32_t length = in.take(16);
    if ((in.take(16) ^ length) != 0xFFFF) return false;
    in.skipBytes(length);
    return true;
  }

  bool useFixedCodes() {
    std::array<std::uint8_t, 288 + 32> lengths{};
    for (std::size_t s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    for (std::size_t s = 288; s < lengths.size(); ++s) lengths[s] = 5;
    return litLen_.build(lengths.data(), 288) && distance_.build(lengths.data() + 288, 32);
  }

  bool readCodes(BitReader& in) {
    const std::size_t litLenCount = in.take(5) + 257, distanceCount = in.take(5) + 1;
    const std::size_t codeLengthCount = in.take(4) + 4;
    if (litLenCount > kLitLenCodes || distanceCount > kDistanceCodes) return false;
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<std::uint8_t, 19> codeLengths{};
    for (std::size_t i = 0; i < codeLengthCount; ++i) codeLengths[kOrder[i]] = static_cast<std::uint8_t>(in.take(3));
    if (!codeLengthCode_.build(codeLengths.data(), codeLengths.size())) return false;

    std::array<std::uint8_t, kLitLenCodes + kDistanceCodes> lengths{};
    const std::size_t total = litLenCount + distanceCount;
    for (std::size_t n = 0; n < total;) {
      in.refill();
      const int symbol = codeLengthCode_.decode(in);
      if (symbol < 0) return false;
      if (symbol < 16) {
        lengths[n++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      if (symbol == 16 && n == 0) return false;
      const std::uint8_t value = symbol == 16 ? lengths[n - 1] : 0;
      const std::size_t repeat = symbol == 16   ? 3 + in.take(2)
                                 : symbol == 17 ? 3 + in.take(3)
                                                : 11 + in.take(7);
      if (repeat > total - n) return false;
      for (std::size_t k = 0; k < repeat; ++k) lengths[n++] = value;
    }
    if (lengths[256] == 0) return false;  // no end of block
    return litLen_.build(lengths.data(), litLenCount) &&
           distance_.build(lengths.data() + litLenCount, distanceCount);
  }

  bool skipCoded(BitReader& in) {
    // 48 bits hold the longest length code, distance code and their extra bits.
    constexpr unsigned kLongestPair = 15 + 5 + 15 + 13;
    for (;;) {
      if (in.overrun()) return false;
      in.refill();
      while (in.available() >= kLongestPair) {
        const int symbol = litLen_.decode(in);
        if (symbol < 256) {
          if (symbol < 0) return false;
          continue;
        }
        if (symbol == 256) return !in.overrun();
        if (symbol - 257 >= 29) return false;
        in.skip(kLengthExtraBits[symbol - 257]);
        const int distance = distance_.decode(in);
        if (distance < 0 || distance >= static_cast<int>(kDistanceCodes)) return false;
        in.skip(distance < 4 ? 0 : static_cast<unsigned>(distance / 2 - 1));
      }
    }
  }

  HuffmanTable litLen_, distance_, codeLengthCode_;
};

// Left unset: every table is filled before it is read.
DeflateJoiner::DeflateJoiner() : walker_(std::make_unique_for_overwrite<BlockWalker>()) {}
DeflateJoiner::~DeflateJoiner() = default;

std::size_t DeflateJoiner::joinable(std::uint8_t* stream, std::size_t size) {
  const std::optional<StreamEnd> end = walker_->findEnd(stream, size);
  if (!end || (end->endBit + 7) / 8 != size) return 0;
  stream[end->lastBlockBit / 8] &= static_cast<std::uint8_t>(~(1u << end->lastBlockBit % 8));
  // The stored block's header (not final, stored: three zero bits), then zeros to the byte.
  if (end->endBit % 8 != 0) stream[size - 1] &= static_cast<std::uint8_t>((1u << end->endBit % 8) - 1);
  std::size_t bytes = size;
  for (const std::size_t aligned = (end->endBit + 3 + 7) / 8; bytes < aligned;) stream[bytes++] = 0;
  for (const std::uint8_t b : {0x00, 0x00, 0xFF, 0xFF}) stream[bytes++] = b;  // LEN 0, NLEN
  return bytes;
}

}  // namespace vireloc
