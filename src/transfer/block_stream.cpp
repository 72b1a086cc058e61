#include "transfer/block_stream.h"

#include <algorithm>

namespace korvan {

unsigned StreamLength(unsigned n) {
  return 8 * (1 + (n + 6) / 7);
}

unsigned BlockCount(unsigned n) {
  return (StreamLength(n) + kBlockStreamBytes - 1) / kBlockStreamBytes;
}

std::vector<uint8_t> EncodeStream(std::span<const uint8_t> image, unsigned from, unsigned to) {
  const unsigned n = static_cast<unsigned>(image.size());
  to = std::min(to, StreamLength(n));
  std::vector<uint8_t> out;
  if (from >= to) return out;
  out.reserve(to - from);
  // Groups are whole; from and to are multiples of 8 except at the end of the stream.
  for (unsigned g = from / 8; g * 8 < to; ++g) {
    uint8_t group[8] = {};
    if (g == 0) {
      for (int i = 0; i < 4; ++i) {
        const uint8_t b = static_cast<uint8_t>(n >> (8 * i));
        group[i] = b & 0x7F;
        if (b & 0x80) group[7] |= static_cast<uint8_t>(1 << i);
      }
    } else {
      const size_t first = 7 * static_cast<size_t>(g - 1);
      for (int i = 0; i < 7; ++i) {
        const uint8_t b = first + i < n ? image[first + i] : 0;
        group[i] = b & 0x7F;
        if (b & 0x80) group[7] |= static_cast<uint8_t>(1 << i);
      }
    }
    for (unsigned i = 0; i < 8; ++i) {
      const unsigned at = g * 8 + i;
      if (at >= from && at < to) out.push_back(group[i]);
    }
  }
  return out;
}

unsigned DecodeStreamInPlace(std::vector<uint8_t>& buffer, unsigned& size) {
  if (size == 0) return 1;
  const size_t have = std::min<size_t>(size, buffer.size());
  if (have < 8) return 6;
  uint32_t length = 0;
  for (int i = 0; i < 4; ++i) {
    uint32_t b = buffer[i] & 0x7F;
    if (buffer[7] & (1 << i)) b |= 0x80;
    length |= b << (8 * i);
  }
  const size_t groups = have / 8 - 1;
  if (length > 7 * groups) return 6;
  size_t out = 0;
  for (size_t g = 1; g <= groups; ++g) {
    const uint8_t* in = buffer.data() + 8 * g;
    const uint8_t top = in[7];
    uint8_t bytes[7];
    for (int i = 0; i < 7; ++i)
      bytes[i] = static_cast<uint8_t>((in[i] & 0x7F) | ((top >> i) & 1) << 7);
    for (int i = 0; i < 7; ++i) buffer[out++] = bytes[i];
  }
  size = length;
  return 0;
}

uint8_t BlockChecksum(std::span<const uint8_t> stream) {
  unsigned sum = 0;
  for (uint8_t b : stream) sum += b + 1u;
  return static_cast<uint8_t>(~sum & 0x7F);
}

std::vector<uint8_t> DataBlockFrame(std::span<const uint8_t> image, int fileType, int device,
                                    unsigned block) {
  const unsigned total = BlockCount(static_cast<unsigned>(image.size()));
  const std::vector<uint8_t> data =
      EncodeStream(image, block * kBlockStreamBytes, (block + 1) * kBlockStreamBytes);
  const uint8_t header[13] = {0xF0,
                              0x7D,
                              0x00,
                              0x00,
                              static_cast<uint8_t>(device & 0x7F),
                              0x0E,
                              0x10,
                              static_cast<uint8_t>(fileType & 0x7F),
                              0x01,
                              static_cast<uint8_t>((total >> 7) & 0x7F),
                              static_cast<uint8_t>(total & 0x7F),
                              static_cast<uint8_t>((block >> 7) & 0x7F),
                              static_cast<uint8_t>(block & 0x7F)};
  std::vector<uint8_t> frame(sizeof header + data.size() + 2);
  std::copy(std::begin(header), std::end(header), frame.begin());
  std::copy(data.begin(), data.end(), frame.begin() + sizeof header);
  frame[sizeof header + data.size()] = BlockChecksum(data);
  frame.back() = 0xF7;
  return frame;
}

}  // namespace korvan
