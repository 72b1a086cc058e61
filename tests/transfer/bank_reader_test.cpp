// The bank reader against banks typed out byte by byte.

#include <gtest/gtest.h>

#include <functional>

#include "model/control_ids.h"
#include "support/chunk_bytes.h"
#include "support/editor_fixture.h"
#include "transfer/filer.h"

namespace korvan::test {
namespace {

class BankReaderTest : public EditorTest {
 protected:
  unsigned Unpack(const Bytes& b, unsigned medium = kMediumDisk) {
    Filer f(editor);
    f.fileType = 0;
    f.medium = medium;
    f.buffer = b.data;
    f.size = static_cast<unsigned>(b.size());
    f.Unpack();
    return f.error;
  }
  std::vector<int> UsedCardSlots() {
    std::vector<int> used;
    for (int i = 0; i < kPresetsPerBank; ++i)
      if (!presets().At(kCardBank, i).empty) used.push_back(i);
    return used;
  }
  static Bytes Attributes(int lockedSlot = -1) {
    Bytes b;
    for (int i = 0; i < kPresetsPerBank; ++i) b.U8(i == lockedSlot ? 1 : 0);
    return b;
  }
  std::vector<uint16_t> image = DefaultImage(model());
  const int n = static_cast<int>(image.size());
};

TEST_F(BankReaderTest, EmptyBankOf80BytesEmptiesTheCardBank) {
  presets().StorePreset(kCardBank, 3);
  const Bytes bank = Chunk("XSNP", Attributes(7).U32(60), 0);
  ASSERT_EQ(bank.size(), 80u);
  ui.Clear();
  EXPECT_EQ(Unpack(bank), 0u);
  EXPECT_TRUE(UsedCardSlots().empty());
  EXPECT_EQ(presets().PresetNames[kCardBank].ValueAt(7), 1);
  EXPECT_EQ(presets().PresetNames[kCardBank].TextAt(3), "        ");
  EXPECT_TRUE(ui.Saw("bank menus changed"));
}

TEST_F(BankReaderTest, SingleSlotBankHoldsOneNameAndOneImage) {
  image[WordOf(model(), Out(3), mc::LPFreq)] = 200;
  const Bytes bank = Chunk("XSNP", Attributes().U32(4).Name("BASS").Words(image).U16(0));
  EXPECT_EQ(Unpack(bank), 0u);
  EXPECT_EQ(UsedCardSlots(), std::vector<int>{4});
  EXPECT_EQ(presets().At(kCardBank, 4).image, image);
  EXPECT_EQ(presets().PresetNames[kCardBank].TextAt(4), "BASS");
  // Another medium than the disk reads into the internal bank.
  EXPECT_EQ(Unpack(bank, kMediumSerial), 0u);
  EXPECT_EQ(presets().At(kInternalBank, 4).image, image);
  EXPECT_EQ(presets().At(kInternalBank, 0).empty, 1);
}

// A second slot coded against the first: runs of equal values and literal runs.
TEST_F(BankReaderTest, FollowingSlotsAreDecodedAgainstThePreviousOne) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint16_t>&)> change;
    std::function<void(Bytes&, const std::vector<uint16_t>&)> code;
  } cases[] = {
      {"identical", [](auto&) {}, [&](Bytes& b, auto&) { b.U16(n); }},
      {"last value differs", [&](auto& p) { p[n - 1] = 77; },
       [&](Bytes& b, auto&) { b.U16(n - 1).U16(1).U16(77); }},
      {"positions 10, 12 and 13 differ",
       [](auto& p) {
         p[10] = 1000;
         p[12] = 1001;
         p[13] = 1002;
       },
       [&](Bytes& b, auto& p) {
         b.U16(10).U16(4).U16(p[10]).U16(p[11]).U16(p[12]).U16(p[13]).U16(n - 14);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint16_t> second = image;
    c.change(second);
    Bytes body = Attributes().U32(0).Name("FIRST").Words(image).U16(9).Name("SECOND");
    c.code(body, second);
    body.U16(0);
    const Bytes bank = Chunk("XSNP", body, 0);
    ASSERT_EQ(Unpack(bank), 0u);
    EXPECT_EQ(presets().At(kCardBank, 9).image, second);
    EXPECT_EQ(UsedCardSlots(), (std::vector<int>{0, 9}));

    // The writer codes the same bank into the same bytes.
    ui.fileNames.push_back(Path("card.kvn"));
    ASSERT_TRUE(editor.files().SaveCardPresetsAs());
    const Filer& saved = editor.files().cardSaver();
    EXPECT_EQ(std::vector<uint8_t>(saved.buffer.begin(), saved.buffer.begin() + saved.size),
              bank.data);
  }
}

TEST_F(BankReaderTest, MalformedBanksAreIllegalDataAndKeepWhatWasReadBefore) {
  const std::vector<uint16_t> img = image;
  auto slot0 = [&] { return Attributes(5).U32(0).Name("NEW").Words(img); };
  std::vector<uint16_t> badMode = img;
  badMode[0] = 4;
  struct Case {
    const char* what;
    Bytes bytes;
    bool attributes;             // the attribute bytes were taken
    std::vector<int> usedAfter;  // card slots used afterwards (2 and 50 were used before)
  } cases[] = {
      {"shorter than a chunk", Bytes().Text("XSNP").U16(1).U16(0), false, {2, 50}},
      {"wrong tag", Chunk("XSNQ", Attributes().U32(60)), false, {2, 50}},
      {"revision 0", Chunk("XSNP", Attributes().U32(60), 0, 0), false, {2, 50}},
      {"revision 2", Chunk("XSNP", Attributes().U32(60), 0, 2), false, {2, 50}},
      {"size below 4", Chunk("XSNP", Bytes().U16(0).U8(0), 0, 1), false, {2, 50}},
      {"huge size", Chunk("XSNP", Attributes().U32(60), 0, 1, 0x7FFFFFF0), false, {2, 50}},
      {"negative size", Chunk("XSNP", Attributes().U32(60), 0, 1, 0xFFFFFFF0), false, {2, 50}},
      {"bad trailer",
       Bytes().Text("XSNP").U16(1).U16(0).U32(64).Add(Attributes().U32(60)).U32(0),
       false,
       {2, 50}},
      {"body shorter than the attributes", Chunk("XSNP", Bytes().U32(0).U32(0)), false, {2, 50}},
      {"first slot 61", Chunk("XSNP", Attributes(5).U32(61)), true, {2, 50}},
      {"empty bank without its trailer", Chunk("XSNP", Attributes(5).U32(60).U32(0)), true, {}},
      {"slot index 60", Chunk("XSNP", slot0().U16(60).Name("X").U16(n).U16(0)), true, {0, 2, 50}},
      {"slot indexes out of order",
       Chunk("XSNP", Attributes(5).U32(5).Name("A").Words(img).U16(3).Name("B").U16(n).U16(0)),
       true,
       {5, 50}},
      {"run past the end",
       Chunk("XSNP", slot0().U16(9).Name("B").U16(n + 1).U16(0)),
       true,
       {0, 50}},
      {"literal run past the end",
       Chunk("XSNP", slot0().U16(9).Name("B").U16(n - 1).U16(2).U16(1).U16(1).U16(0)),
       true,
       {0, 50}},
      {"name without its zero",
       Chunk("XSNP", Attributes(5).U32(4).Text("TENLETTERS").Words(img).U16(0)),
       true,
       {50}},
      {"mode word 4",
       Chunk("XSNP", Attributes(5).U32(4).Name("M").Words(badMode).U16(0)),
       true,
       {50}},
      {"list without its end", Chunk("XSNP", slot0()), true, {0, 2, 50}},
      {"truncated image",
       Chunk("XSNP", Attributes(5).U32(0).Name("A").U16(1).U16(2)),
       true,
       {2, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int i = 0; i < kPresetsPerBank; ++i) presets().ClearPreset(kCardBank, i);
    presets().StorePreset(kCardBank, 2);
    presets().StorePreset(kCardBank, 50);
    EXPECT_EQ(Unpack(c.bytes), kFilerIllegalData);
    EXPECT_EQ(presets().PresetNames[kCardBank].ValueAt(5), c.attributes ? 1 : 0);
    EXPECT_EQ(UsedCardSlots(), c.usedAfter);
  }
}

TEST_F(BankReaderTest, BankBodyAboveItsLimitIsRefused) {
  Bytes body = Attributes().U32(60);
  while (body.size() < kBankMaxBody + 4) body.U8(0);
  EXPECT_EQ(Unpack(Chunk("XSNP", body)), kFilerIllegalData);
}

TEST_F(BankReaderTest, ReadingAnOlderVersionLowersTheTableForLaterBanks) {
  editor.chunks().versions.Set(kChunkXSNP, 0x0110);
  ASSERT_EQ(Unpack(Chunk("XSNP", Attributes().U32(60), 0x0105)), 0u);
  EXPECT_EQ(editor.chunks().versions.Get(kChunkXSNP), 0x0105);
  ASSERT_EQ(Unpack(Chunk("XSNP", Attributes().U32(60), 0x0108)), 0u);
  EXPECT_EQ(editor.chunks().versions.Get(kChunkXSNP), 0x0105);
}

}  // namespace
}  // namespace korvan::test
