#include "link/sysex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

struct FrameCase {
  const char* what;
  Frame frame;
  std::vector<uint8_t> bytes;
};

TEST(SysexFrames, EveryFrameByteForByte) {
  const std::vector<uint8_t> entries{7, 2, 0x02, 0x2C, 0, 5, 0x7F, 0x7F};
  const std::vector<uint8_t> payload{1, 2, 3};
  const std::vector<uint8_t> report(16, 3);
  const FrameCase cases[] = {
      {"search", MakeSearch(), {0xF0, 0x7D, 0, 0, 0x20, 0x0E, 0x40, 0xF7}},
      {"status request, both meters hidden",
       MakeStatusRequest(0x20, -2, -2),
       {0xF0, 0x7D, 0, 0, 0x20, 0x0E, 0x44, 0, 0, 0xF7}},
      {"status request, channel 9, limiter off",
       MakeStatusRequest(15, 9, -1),
       {0xF0, 0x7D, 0, 0, 0x0F, 0x0E, 0x44, 11, 1, 0xF7}},
      {"remote mode linked",
       MakeRemoteMode(3, 0x40),
       {0xF0, 0x7D, 0, 0, 3, 0x0E, 0x3F, 0x04, 0x00, 0xF7}},
      {"set device id", MakeSetDeviceId(2, 4), {0xF0, 0x7D, 0, 0, 2, 0x0E, 0x22, 4, 0xF7}},
      {"set name, short", MakeSetName(1, "ABC"), {0xF0, 0x7D, 0,   0,   1,   0x0E, 0x25, 'A',
                                                  'B',  'C',  ' ', ' ', ' ', ' ',  ' ',  ' ',
                                                  ' ',  ' ',  ' ', ' ', ' ', ' ',  ' ',  0xF7}},
      {"set name, cut at a control character and at 16",
       MakeSetName(1, "AB\x01XYZ"),
       {0xF0, 0x7D, 0,   0,   1,   0x0E, 0x25, 'A', 'B', ' ', ' ', ' ',
        ' ',  ' ',  ' ', ' ', ' ', ' ',  ' ',  ' ', ' ', ' ', ' ', 0xF7}},
      {"block request 300",
       MakeBlockRequest(0, 1, 300),
       {0xF0, 0x7D, 0, 0, 0, 0x0E, 0x50, 1, 0x02, 0x2C, 0xF7}},
      {"file announce",
       MakeFileAnnounce(5, 0, "PRESETS"),
       {0xF0, 0x7D, 0, 0, 5, 0x0E, 0x12, 0, 'P', 'R', 'E', 'S', 'E', 'T', 'S', 0, 0, 0xF7}},
      {"file request, name cut to 8",
       MakeFileRequest(5, 0, "ABCDEFGHIJ"),
       {0xF0, 0x7D, 0, 0, 5, 0x0E, 0x52, 0, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0, 0xF7}},
      {"param changes: 300 and 16383",
       MakeParamChanges(1, entries),
       {0xF0, 0x7D, 0, 0, 1, 0x0E, 0x20, 2, 7, 2, 0x02, 0x2C, 0, 5, 0x7F, 0x7F, 0xF7}},
      {"data block",
       MakeDataBlock(1, 1, 130, 129, payload, 0x55),
       {0xF0, 0x7D, 0, 0, 1, 0x0E, 0x10, 1, 1, 1, 2, 1, 1, 1, 2, 3, 0x55, 0xF7}},
      {"identity",
       MakeIdentity(0x2F, 1, 5, "UNIT"),
       {0xF0, 0x7D, 0,   0,   0x2F, 0x0E, 0,   1,   5,   'U', 'N', 'I', 'T',
        ' ',  ' ',  ' ', ' ', ' ',  ' ',  ' ', ' ', ' ', ' ', ' ', ' ', 0xF7}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.frame, c.bytes) << c.what;
  EXPECT_EQ(MakeStatus(1, report).size(), 25u);
}

TEST(SysexFrames, NamesAreCutAtTheFirstUnprintableCharacter) {
  const auto wire = [](std::string_view s) {
    const auto w = WireName(s);
    return std::string(w.begin(), w.end());
  };
  EXPECT_EQ(wire("TWENTY CHARACTERS..."), "TWENTY CHARACTER");
  EXPECT_EQ(wire("caf\xC3\xA9 bar"), "caf             ");
  EXPECT_EQ(wire("x\x7F"), "x\x7F              ");
}

TEST(SysexFrames, KorvanHeaderNeedsAllFourBytesAndACommand) {
  EXPECT_TRUE(IsKorvanFrame(MakeSearch()));
  const std::vector<std::vector<uint8_t>> others{
      {0xF0, 0x7E, 0, 0, 1, 0x0E, 0x40, 0xF7},
      {0xF0, 0x7D, 0, 0, 1, 0x0F, 0x40, 0xF7},
      {0xF0, 0x7D, 0, 0, 1, 0x0E, 0xF7},
      {0xF0, 0xF7},
  };
  for (const auto& f : others) EXPECT_FALSE(IsKorvanFrame(f));
}

}  // namespace
}  // namespace korvan
