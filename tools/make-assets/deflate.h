#pragma once
// A small deflate compressor for the PNG icons: greedy LZ77 matching over a 32 KiB
// window and the fixed Huffman codes, in one block.  Deterministic by construction
// (no library whose output may change between versions), so the committed icons are
// reproduced byte for byte.
#include <cstdint>
#include <vector>

namespace art {

// The raw deflate stream (RFC 1951) of `data`, without zlib header or checksum.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data);

}  // namespace art
