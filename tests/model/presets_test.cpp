#include <gtest/gtest.h>

#include "model/control_ids.h"
#include "model/presets.h"
#include "support/chunk_bytes.h"
#include "support/editor_fixture.h"

namespace korvan::test {
namespace {

using PresetsTest = EditorTest;

TEST_F(PresetsTest, CurrentImageIsLaidOutControlByControl) {
  EXPECT_EQ(presets().ImageWords(), 758);
  EXPECT_EQ(presets().NamesOffset(), 718);
  presets().WriteCurrentImage();
  EXPECT_EQ(presets().CurrentImage, DefaultImage(model()));
  EXPECT_EQ(WordOf(model(), Out(1), mc::Level), 262);
  EXPECT_EQ(presets().CurrentImage[738], 'I');  // input C's name

  // Names are written one sign-extended byte per word; reserved words travel as they are.
  presets().InputNames[2][0] = static_cast<char>(0xE9);
  model().Module(11).reservedWord = 0x1234;
  presets().WriteCurrentImage();
  EXPECT_EQ(presets().CurrentImage[738], 0xFFE9);
  EXPECT_EQ(presets().CurrentImage[706 + 11], 0x1234);
}

TEST_F(PresetsTest, StoreThenRecallRestoresEveryPartOfTheImage) {
  ChangeMode(2);
  Edit(kSetupModix, mc::Summer, 4);
  Edit(2, mc::EqGain(3), 170);
  Edit(Out(6), mc::ShortDelay, 777);
  Edit(Out(2), mc::Mute, 0);
  model().Module(11).reservedWord = 9;
  presets().InputNames[1] = MakeNameField("GUITAR  ");
  presets().StorePreset(kInternalBank, 4);
  EXPECT_FALSE(model().EditedFlag);
  auto& names = presets().PresetNames[kInternalBank];
  names.Select(4);
  names.SetText("STAGE   ");
  names.SetNodeValue(1);
  const ParameterImage stored = presets().At(kInternalBank, 4).image;

  Edit(kSetupModix, mc::Summer, 1);
  Edit(2, mc::EqGain(3), 100);
  Edit(Out(6), mc::ShortDelay, 5);
  Edit(Out(2), mc::Mute, 1);
  model().Module(11).reservedWord = 0;
  presets().InputNames[1] = MakeNameField("X");
  model().LoadedEditedFlag = true;
  ui.Clear();

  ASSERT_TRUE(presets().RecallPreset(kInternalBank, 4));
  presets().WriteCurrentImage();
  EXPECT_EQ(presets().CurrentImage, stored);
  EXPECT_EQ(V(Out(2), mc::Mute), 0);  // same configuration: the preset's own mute state
  EXPECT_EQ(NameText(presets().InputNames[1]), "GUITAR  ");
  EXPECT_FALSE(model().EditedFlag);
  EXPECT_FALSE(model().LoadedEditedFlag);
  EXPECT_EQ(presets().CurrentPreset.number, 4);
  EXPECT_EQ(presets().CurrentPreset.bank, kInternalBank);
  EXPECT_EQ(NameText(presets().CurrentPresetName), "STAGE   ");
  EXPECT_TRUE(presets().CurrentPresetLocked);
  EXPECT_TRUE(ui.Saw("display refreshed"));
}

TEST_F(PresetsTest, RecallingAnotherConfigurationLeavesAllOutputsMuted) {
  ChangeMode(3);
  for (int k = 1; k <= 6; ++k) Edit(Out(k), mc::Mute, 0);
  presets().StorePreset(kCardBank, 8);
  struct Case {
    int modeBefore;
    bool muted;
  } cases[] = {{1, true}, {0, true}, {3, false}};
  for (const Case& c : cases) {
    ChangeMode(c.modeBefore);
    ASSERT_TRUE(presets().RecallPreset(kCardBank, 8));
    EXPECT_EQ(model().OutputConfiguration, 3);
    for (int k = 1; k <= 6; ++k)
      EXPECT_EQ(V(Out(k), mc::Mute), c.muted ? 1 : 0)
          << "from mode " << c.modeBefore << " out " << k;
  }
}

TEST_F(PresetsTest, RecallRebuildsLinksFromTheRecalledSwitches) {
  ChangeMode(1);  // inputs A+B linked, outputs paired 1-4, 2-5, 3-6
  ASSERT_NE(C(1, mc::Level).partners[0], nullptr);
  Edit(kSetupModix, mc::InStereoLink, 0);
  presets().StorePreset(kInternalBank, 30);
  ChangeMode(2);  // links back on, outputs paired 1-2, 3-4, 5-6
  ASSERT_EQ(C(Out(1), mc::LPFreq).partners[0], &C(Out(2), mc::LPFreq));

  ASSERT_TRUE(presets().RecallPreset(kInternalBank, 30));
  EXPECT_EQ(C(1, mc::Level).partners[0], nullptr);
  EXPECT_EQ(C(2, mc::Level).partners[0], nullptr);
  EXPECT_EQ(C(Out(1), mc::LPFreq).partners[0], &C(Out(4), mc::LPFreq));
  Edit(1, mc::Level, 120);
  EXPECT_EQ(V(2, mc::Level), 150);
  Edit(Out(1), mc::Level, 90);
  EXPECT_EQ(V(Out(4), mc::Level), 90);
}

TEST_F(PresetsTest, ClearingEmptiesTheSlotWithACopyOfTheFirstImage) {
  Edit(Out(1), mc::Level, 10);
  presets().StorePreset(kCardBank, 6);
  auto& names = presets().PresetNames[kCardBank];
  names.Select(6);
  names.SetText("OLD     ");
  names.SetNodeValue(1);
  EXPECT_EQ(presets().MenuCaption(kCardBank, 6), "7 : OLD     ");

  presets().ClearPreset(kCardBank, 6);
  EXPECT_EQ(presets().MenuCaption(kCardBank, 6), "7");
  const Snapshot& s = presets().At(kCardBank, 6);
  EXPECT_EQ(s.empty, 1);
  EXPECT_EQ(s.image, presets().At(kInternalBank, 0).image);
  EXPECT_EQ(names.TextAt(6), "        ");
  EXPECT_EQ(names.ValueAt(6), 0);

  Edit(Out(1), mc::Level, 20);
  presets().WriteCurrentImage();
  const ParameterImage before = presets().CurrentImage;
  EXPECT_FALSE(presets().RecallPreset(kCardBank, 6));
  presets().WriteCurrentImage();
  EXPECT_EQ(presets().CurrentImage, before);
  EXPECT_TRUE(model().EditedFlag);

  // The first slot itself keeps its image when cleared.
  const ParameterImage first = presets().At(kInternalBank, 0).image;
  presets().ClearPreset(kInternalBank, 0);
  EXPECT_EQ(presets().At(kInternalBank, 0).empty, 1);
  EXPECT_EQ(presets().At(kInternalBank, 0).image, first);
}

TEST_F(PresetsTest, RecallSendsTheWholeSetOnlyWhenLinked) {
  presets().StorePreset(kInternalBank, 2);
  ASSERT_TRUE(presets().RecallPreset(kInternalBank, 2));
  EXPECT_EQ(editor.SyncToPcRequests(), 0);
  editor.SetRemoteMode(0x80);
  ASSERT_TRUE(presets().RecallPreset(kInternalBank, 2));
  EXPECT_EQ(editor.SyncToPcRequests(), 1);
  EXPECT_EQ(editor.RemoteMode(), 0x80);
}

TEST(StrListTest, CursorFollowsSeekNextAndSelect) {
  DispStrList list;
  EXPECT_EQ(list.Text(), "");
  EXPECT_FALSE(list.Next());
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(list.Append("e" + std::to_string(i)));
  EXPECT_EQ(list.cursorIndex(), 0);
  list.Seek(100);
  EXPECT_EQ(list.cursorIndex(), 59);
  EXPECT_FALSE(list.Next());
  EXPECT_TRUE(list.AtLast());

  struct Case {
    int i;
    bool result;
    int cursor;
  } cases[] = {{75, false, 59}, {59, false, 59}, {10, true, 10}, {10, false, 10}, {0, true, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(list.Select(c.i), c.result) << c.i;
    EXPECT_EQ(list.cursorIndex(), c.cursor) << c.i;
    EXPECT_EQ(list.topIndex(), c.cursor) << c.i;
  }
  list.SetText("longer text");
  list.SetNodeValue(3);
  EXPECT_EQ(list.TextAt(0), "longer text");
  EXPECT_EQ(list.ValueAt(0), 3);
}

TEST(StrListTest, RefusesEntriesBeyondItsCapacity) {
  StrList list;
  for (int i = 0; i < StrList::kCapacity; ++i) ASSERT_TRUE(list.Append("x"));
  EXPECT_FALSE(list.Append("one too many"));
  EXPECT_EQ(list.count(), StrList::kCapacity);
}

}  // namespace
}  // namespace korvan::test
