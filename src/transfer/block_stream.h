#pragma once
// Whole images on the wire: the 7-bit-safe stream of 8-byte groups (a length group, then seven
// image bytes and their top bits per group), cut into blocks of at most 1000 stream bytes, each
// carried by one SYSEX_DATA_BLOCK frame.

#include <cstdint>
#include <span>
#include <vector>

namespace korvan {

inline constexpr unsigned kBlockStreamBytes = 1000;

// The stream length of an image of n bytes (n >= 1): 8 * (1 + ceil(n / 7)).
unsigned StreamLength(unsigned n);
unsigned BlockCount(unsigned n);

// Stream bytes from offset `from` to `to` (exclusive) of an image's stream, made on the fly.
std::vector<uint8_t> EncodeStream(std::span<const uint8_t> image, unsigned from, unsigned to);

// Decodes the stream held in the first size bytes of buffer, in place; size becomes the image
// length. Returns 0, 1 for an empty stream, or 6 when the stream is too short for its length
// group or announces more bytes than it carries.
unsigned DecodeStreamInPlace(std::vector<uint8_t>& buffer, unsigned& size);

// (~sum(b + 1)) & 0x7F over a block's stream bytes.
uint8_t BlockChecksum(std::span<const uint8_t> stream);

// The SYSEX_DATA_BLOCK frame of block k of an image.
std::vector<uint8_t> DataBlockFrame(std::span<const uint8_t> image, int fileType, int device,
                                    unsigned block);

}  // namespace korvan
