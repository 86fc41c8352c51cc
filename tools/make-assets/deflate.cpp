#include "deflate.h"

#include <algorithm>
#include <array>

namespace art {
namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kWindow = 32768;
constexpr int kHashBits = 15;
// How many earlier places with the same first three bytes a match is looked for in:
// enough for the icons' repeated rows and blocks, and quick.
constexpr int kMaxChain = 128;
constexpr int kEndOfBlock = 256;

// Base values and extra bits of the length codes 257..285 and distance codes 0..29.
constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                             15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,     9,     13,
                                               17,   25,   33,   49,   65,   97,    129,   193,
                                               257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                               4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits packed from the least significant end of each byte, as deflate stores them.
class BitWriter {
 public:
  void Put(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) PutBit((value >> i) & 1);
  }
  // A Huffman code goes out from its most significant bit.
  void PutCode(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) PutBit((code >> i) & 1);
  }
  std::vector<std::uint8_t> Finish() {
    if (used_ != 0) bytes_.push_back(current_);
    return std::move(bytes_);
  }

 private:
  void PutBit(std::uint32_t bit) {
    current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
    if (++used_ == 8) {
      bytes_.push_back(current_);
      current_ = 0;
      used_ = 0;
    }
  }
  std::vector<std::uint8_t> bytes_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of symbol 0..287.
void PutSymbol(BitWriter& out, int symbol) {
  if (symbol < 144) {
    out.PutCode(static_cast<std::uint32_t>(0x30 + symbol), 8);
  } else if (symbol < 256) {
    out.PutCode(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
  } else if (symbol < 280) {
    out.PutCode(static_cast<std::uint32_t>(symbol - 256), 7);
  } else {
    out.PutCode(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
  }
}

// The code whose base is the largest not above `value`, in a table of rising bases.
template <std::size_t N>
int CodeFor(const std::array<int, N>& bases, int value) {
  return static_cast<int>(std::upper_bound(bases.begin(), bases.end(), value) - bases.begin()) - 1;
}

void PutMatch(BitWriter& out, int length, int distance) {
  const int l = CodeFor(kLengthBase, length);
  PutSymbol(out, 257 + l);
  out.Put(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  const int d = CodeFor(kDistanceBase, distance);
  out.PutCode(static_cast<std::uint32_t>(d), 5);
  out.Put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

std::uint32_t Hash3(const std::vector<std::uint8_t>& data, std::size_t at) {
  const std::uint32_t v = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  BitWriter out;
  out.Put(1, 1);  // the last block
  out.Put(1, 2);  // fixed Huffman codes
  // For every hash of three bytes the latest place it was seen; for every place the
  // one before it with the same hash (-1: none).
  std::vector<int> head(std::size_t{1} << kHashBits, -1);
  std::vector<int> previous(data.size(), -1);
  auto remember = [&](std::size_t at) {
    if (at + kMinMatch > data.size()) return;
    const std::uint32_t h = Hash3(data, at);
    previous[at] = head[h];
    head[h] = static_cast<int>(at);
  };
  std::size_t at = 0;
  while (at < data.size()) {
    int bestLength = 0, bestDistance = 0;
    if (at + kMinMatch <= data.size()) {
      const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, data.size() - at));
      int candidate = head[Hash3(data, at)];
      for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const int distance = static_cast<int>(at) - candidate;
        if (distance > kWindow) break;
        int length = 0;
        while (length < limit && data[static_cast<std::size_t>(candidate + length)] == data[at + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = distance;
          if (length == limit) break;
        }
        candidate = previous[static_cast<std::size_t>(candidate)];
      }
    }
    if (bestLength >= kMinMatch) {
      PutMatch(out, bestLength, bestDistance);
      for (int i = 0; i < bestLength; ++i) remember(at + i);
      at += static_cast<std::size_t>(bestLength);
    } else {
      PutSymbol(out, data[at]);
      remember(at);
      ++at;
    }
  }
  PutSymbol(out, kEndOfBlock);
  return out.Finish();
}

}  // namespace art
