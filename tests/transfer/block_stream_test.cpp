#include <gtest/gtest.h>

#include "transfer/block_stream.h"

namespace korvan::test {
namespace {

std::vector<uint8_t> Image(size_t n) {
  std::vector<uint8_t> image(n);
  for (size_t i = 0; i < n; ++i) image[i] = static_cast<uint8_t>(i * 37 + 11);
  return image;
}

TEST(BlockStreamTest, ImagesAreCutIntoBlocksOfAThousandStreamBytes) {
  struct Case {
    unsigned n;
    unsigned length;
    std::vector<size_t> blockBytes;
  } cases[] = {
      {1, 16, {16}}, {868, 1000, {1000}}, {869, 1008, {1000, 8}}, {2000, 2296, {1000, 1000, 296}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const auto image = Image(c.n);
    EXPECT_EQ(StreamLength(c.n), c.length);
    ASSERT_EQ(BlockCount(c.n), c.blockBytes.size());
    for (unsigned k = 0; k < c.blockBytes.size(); ++k) {
      const auto frame = DataBlockFrame(image, 1, 0x20, k);
      ASSERT_EQ(frame.size(), 15 + c.blockBytes[k]);
      const std::vector<uint8_t> head(frame.begin(), frame.begin() + 13);
      EXPECT_EQ(head, (std::vector<uint8_t>{0xF0, 0x7D, 0, 0, 0x20, 0x0E, 0x10, 1, 1, 0,
                                            static_cast<uint8_t>(c.blockBytes.size()), 0,
                                            static_cast<uint8_t>(k)}));
      const std::span<const uint8_t> data(frame.data() + 13, c.blockBytes[k]);
      EXPECT_EQ(frame[13 + c.blockBytes[k]], BlockChecksum(data));
      EXPECT_EQ(frame.back(), 0xF7);
      for (uint8_t b : data) ASSERT_LT(b, 0x80);
      // Block k (k >= 1) starts with image byte 7 * (125k - 1).
      if (k > 0) {
        EXPECT_EQ(data[0], image[7 * (125 * k - 1)] & 0x7F);
      }
    }
  }
}

TEST(BlockStreamTest, StreamDecodesBackToTheImage) {
  std::vector<uint8_t> image = Image(2000);
  image[0] = 0xFF;
  image[1999] = 0x80;
  std::vector<uint8_t> stream = EncodeStream(image, 0, StreamLength(2000));
  EXPECT_EQ(stream[8], 0x7F);
  EXPECT_EQ(stream[15] & 1, 1);  // the top bit of 0xFF
  // Received in whole blocks: the buffer holds 1000 bytes per block.
  stream.resize(3000, 0);
  unsigned size = 3000;
  ASSERT_EQ(DecodeStreamInPlace(stream, size), 0u);
  ASSERT_EQ(size, 2000u);
  EXPECT_EQ(std::vector<uint8_t>(stream.begin(), stream.begin() + 2000), image);
}

TEST(BlockStreamTest, StreamThatAnnouncesMoreThanItCarriesIsRefused) {
  std::vector<uint8_t> stream = EncodeStream(Image(20), 0, StreamLength(20));
  unsigned size = 16;  // the length group and one group: at most 7 bytes
  EXPECT_EQ(DecodeStreamInPlace(stream, size), 6u);
  unsigned none = 0;
  EXPECT_EQ(DecodeStreamInPlace(stream, none), 1u);
  unsigned tooShort = 5;
  EXPECT_EQ(DecodeStreamInPlace(stream, tooShort), 6u);
}

TEST(BlockStreamTest, ChecksumIsTheComplementOfTheSumOfBytesPlusOne) {
  const std::vector<uint8_t> data = {0x00, 0x01, 0x7F};
  EXPECT_EQ(BlockChecksum(data), static_cast<uint8_t>(~(1 + 2 + 0x80) & 0x7F));
}

}  // namespace
}  // namespace korvan::test
