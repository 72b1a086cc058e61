// The set reader against sets typed out byte by byte.

#include <gtest/gtest.h>

#include "model/control_ids.h"
#include "support/chunk_bytes.h"
#include "support/editor_fixture.h"
#include "transfer/filer.h"

namespace korvan::test {
namespace {

class SetReaderTest : public EditorTest {
 protected:
  unsigned Unpack(const Bytes& b, unsigned medium = kMediumDisk) {
    Filer f(editor);
    f.fileType = 1;
    f.medium = medium;
    f.buffer = b.data;
    f.size = static_cast<unsigned>(b.size());
    f.Unpack();
    return f.error;
  }
  // Setup controls 18, 19, 25, 20, 21, then 16 blanks.
  static Bytes Xprb(int s18, uint16_t version = 0x0110) {
    Bytes b;
    b.U16(s18).U16(7).U16(2).U16(1).U16(1);
    for (int i = 0; i < 16; ++i) b.U8(0x20);
    return Chunk("XPRB", b, version);
  }
  static Bytes Xcur(int number, int bank, const std::vector<uint16_t>& image,
                    const char* name = "LIVE", uint16_t version = 0x0110) {
    return Chunk("XCUR", Bytes().U16(number).U16(bank).U8(1).U8(1).Name(name).Words(image),
                 version);
  }
  static Bytes Xpre(uint16_t version = 0x0110) {
    return Chunk("XPRE", Bytes().U16(1).U16(1).Name("B1").Name("B2"), version);
  }
  static Bytes Set(const Bytes& parts) { return Chunk("XPCR", parts); }

  // A set in "LL MM HH" with the output stereo link on and output 3 left unmuted.
  std::vector<uint16_t> SetImage() {
    std::vector<uint16_t> img = DefaultImage(model());
    img[0] = 2;
    img[WordOf(model(), 0, mc::OpMode)] = 2;
    img[WordOf(model(), 0, mc::OutStereoLink)] = 1;
    img[WordOf(model(), 0, mc::InStereoLink)] = 0;
    for (int k = 1; k <= 6; ++k) img[WordOf(model(), Out(k), mc::Mute)] = k == 3 ? 0 : 1;
    img[WordOf(model(), Out(1), mc::Level)] = 130;
    img[WordOf(model(), Out(2), mc::Level)] = 130;
    return img;
  }
};

TEST_F(SetReaderTest, SetFileOf1646BytesIsAppliedWhole) {
  const Bytes set =
      Set(Bytes().Add(Xprb(3)).Add(Xcur(12, 1, SetImage(), "LIVE", 0x0100)).Add(Xpre()));
  ASSERT_EQ(set.size(), 1646u);
  ui.Clear();
  ASSERT_EQ(Unpack(set), 0u);
  model().ProcessChanges();
  // XPRB: 18, 20 and 21 taken, 19 and 25 not.
  EXPECT_EQ(V(0, mc::Setup18), 3);
  EXPECT_EQ(V(0, mc::DelayUnit), 1);
  EXPECT_EQ(V(0, mc::MuteOutsAtPowerOn), 1);
  EXPECT_EQ(V(0, mc::Setup19), 0);
  EXPECT_EQ(V(0, mc::Setup25), 0);
  // XPRE: A into 17, B into 16, the texts kept for the next set written.
  EXPECT_EQ(V(0, mc::Setup17), 1);
  EXPECT_EQ(V(0, mc::Setup16), 1);
  EXPECT_EQ(NameText(editor.chunks().CaptureXpre().text1), "B1");
  // XCUR.
  EXPECT_EQ(presets().CurrentPreset.number, 12);
  EXPECT_EQ(presets().CurrentPreset.bank, kCardBank);
  EXPECT_TRUE(presets().CurrentPresetLocked);
  EXPECT_EQ(NameText(presets().CurrentPresetName), "LIVE");
  EXPECT_TRUE(model().LoadedEditedFlag);
  EXPECT_FALSE(model().EditedFlag);
  EXPECT_EQ(presets().CurrentImage, SetImage());
  EXPECT_TRUE(ui.Saw("display refreshed"));
  EXPECT_EQ(editor.chunks().versions.Get(kChunkXCUR), 0x0100);
  // The model follows the set's mode and switches; the set's own mutes stand.
  EXPECT_EQ(model().OutputConfiguration, 2);
  EXPECT_EQ(V(Out(3), mc::Mute), 0);
  EXPECT_EQ(V(Out(1), mc::Level), 130);
  EXPECT_EQ(C(Out(1), mc::LPFreq).partners[0], &C(Out(2), mc::LPFreq));
  EXPECT_EQ(C(1, mc::Level).partners[0], nullptr);
  presets().WriteCurrentImage();
  EXPECT_EQ(presets().CurrentImage, SetImage());
}

TEST_F(SetReaderTest, LoadedSetIsSentOnlyWhenNotReceivedFromTheUnit) {
  const Bytes set = Set(Bytes().Add(Xprb(5)).Add(Xcur(0, 0, SetImage())).Add(Xpre()));
  ASSERT_EQ(Unpack(set), 0u);
  EXPECT_EQ(editor.SyncToPcRequests(), 0);  // stand-alone
  editor.SetRemoteMode(0x80);
  ASSERT_EQ(Unpack(set, kMediumSerial), 0u);
  EXPECT_EQ(editor.SyncToPcRequests(), 0);
  ASSERT_EQ(Unpack(set, kMediumDisk), 0u);
  EXPECT_EQ(editor.SyncToPcRequests(), 1);
  EXPECT_EQ(editor.RemoteMode(), 0x80);
}

TEST_F(SetReaderTest, ChunksOfOtherKindsInsideTheContainerAreSkipped) {
  const Bytes set = Set(Bytes()
                            .Add(Chunk("ABCD", Bytes().U32(7)))
                            .Add(Xprb(4))
                            .Add(Xcur(3, 0, SetImage()))
                            .Add(Xpre())
                            .Add(Chunk("ZZZZ", Bytes())));
  EXPECT_EQ(Unpack(set), 0u);
  EXPECT_EQ(presets().CurrentPreset.number, 3);
  EXPECT_EQ(V(0, mc::Setup18), 4);
}

TEST_F(SetReaderTest, MalformedSetsAreIllegalDataAndKeepTheChunksReadBefore) {
  std::vector<uint16_t> badMode = SetImage();
  badMode[0] = 4;
  const Bytes good = Xcur(3, 0, SetImage());
  Bytes otherBadTrailer = Bytes().Text("ABCD").U16(1).U16(0).U32(4).U32(0).U32(0);
  Bytes otherNegative = Bytes().Text("ABCD").U16(1).U16(0).U32(0xFFFFFFFC).Inverted("ABCD");
  Bytes wrongXprbSize = Chunk("XPRB", Bytes().U16(1).U16(1).U16(1).U16(1).U16(1).U16(1));
  Bytes cut = Set(Bytes().Add(Xprb(9)).Add(good));
  cut.data.resize(700);
  // The container ends after XCUR's header, which announces a whole image.
  Bytes pastEnd = Chunk("XPCR", Bytes().Add(Xprb(9)).Text("XCUR").U16(1).U16(0x0110).U32(1532));
  struct Case {
    const char* what;
    Bytes bytes;
    bool xprbTaken;  // setup 18 became 9
    bool xcurTaken;  // the current preset became number 3
  } cases[] = {
      {"preset number 60", Set(Bytes().Add(Xprb(9)).Add(Xcur(60, 0, SetImage())).Add(Xpre())), true,
       false},
      {"bank 2", Set(Bytes().Add(Xprb(9)).Add(Xcur(3, 2, SetImage())).Add(Xpre())), true, false},
      {"mode word 4", Set(Bytes().Add(Xprb(9)).Add(Xcur(3, 0, badMode)).Add(Xpre())), true, false},
      {"name without its zero", Set(Bytes().Add(Xprb(9)).Add(Xcur(3, 0, SetImage(), "0123456789"))),
       true, false},
      {"XPRB of the wrong size", Set(Bytes().Add(wrongXprbSize).Add(good)), false, false},
      {"XCUR of another image size",
       Set(Bytes().Add(Xprb(9)).Add(
           Chunk("XCUR", Bytes().U16(3).U16(0).U8(0).U8(0).Name("X").U16(1)))),
       true, false},
      {"other chunk with a bad trailer", Set(Bytes().Add(Xprb(9)).Add(good).Add(otherBadTrailer)),
       true, true},
      {"other chunk of negative size", Set(Bytes().Add(Xprb(9)).Add(otherNegative).Add(good)), true,
       false},
      {"part running past the container", pastEnd, true, false},
      {"bytes after the container", Set(Bytes().Add(Xprb(9)).Add(good)).U32(0), true, true},
      {"container revision 2", Chunk("XPCR", Bytes().Add(Xprb(9)).Add(good), 0x0110, 2), false,
       false},
      {"cut short", cut, false, false},
      {"XPRE text without its zero",
       Set(Bytes().Add(Xprb(9)).Add(good).Add(
           Chunk("XPRE", Bytes().U16(0).U16(0).Text("0123456789").Name("B")))),
       true, true},
      {"huge container size", Chunk("XPCR", Bytes().Add(Xprb(9)).Add(good), 0x0110, 1, 0x7FFFFFF0),
       false, false},
      {"three stray bytes", Set(Bytes().Add(Xprb(9)).U8(1).U8(2).U8(3)), true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    model().SetValue(model().Setup(mc::Setup18), 5, NOTIFY_FULL);
    presets().CurrentPreset = {0, kInternalBank};
    EXPECT_EQ(Unpack(c.bytes), kFilerIllegalData);
    EXPECT_EQ(V(0, mc::Setup18), c.xprbTaken ? 9 : 5);
    EXPECT_EQ(presets().CurrentPreset.number, c.xcurTaken ? 3 : 0);
  }
}

}  // namespace
}  // namespace korvan::test
