#include <gtest/gtest.h>

#include <set>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "model/brwin.h"
#include "support/fake_ui.h"
#include "support/model_fixture.h"

namespace korvan::test {
namespace {

// Counts how often a binding was asked to show a value, and the last value.
struct CountingBinding : BRWin {
  void Show(int v) override {
    ++shows;
    last = v;
  }
  int shows = 0;
  int last = -1;
};

TEST_F(ModelTest, ImageSizeFollowsStoredCounts) {
  EXPECT_EQ(model.SetupModule().storedCount, 13);
  for (int i = 0; i < kInputCount; ++i) EXPECT_EQ(model.InputModule(i).storedCount, 62);
  for (int i = 0; i < kOutputCount; ++i) EXPECT_EQ(model.OutputModule(i).storedCount, 74);
  EXPECT_EQ(model.MiscModule().storedCount, 0);
  EXPECT_EQ(model.ImageWordCount(), 758);
}

TEST_F(ModelTest, SetValueClampsAndIgnoresTheCurrentValue) {
  MCtrl& gain = C(1, mc::Level);
  struct Case {
    int in, stored;
  } cases[] = {{-5, 0}, {310, 300}, {157, 157}};
  for (const Case& c : cases) {
    model.SetValue(gain, c.in, NOTIFY_FULL);
    EXPECT_EQ(gain.value, c.stored) << c.in;
  }
  model.ProcessChanges();
  model.SetValue(gain, 157, NOTIFY_FULL);
  EXPECT_TRUE(model.QueueEmpty());
  EXPECT_EQ(gain.flags & DO_QUEUED, 0);
}

TEST_F(ModelTest, RepeatedChangesCoalesceIntoOneQueueEntryAndOneSend) {
  host.acceptSends = true;
  CountingBinding view;
  MCtrl& gain = C(7, mc::Level);
  gain.binding = &view;
  model.SetValue(gain, 100, NOTIFY_FULL);
  model.SetValue(gain, 120, NOTIFY_FULL);
  EXPECT_EQ(host.sent.size(), 1u);
  model.ProcessChanges();
  EXPECT_EQ(view.shows, 1);
  EXPECT_EQ(view.last, 120);
  EXPECT_TRUE(gain.flags & DO_SEND);  // left for the send queue to clear
  EXPECT_TRUE(model.QueueEmpty());
}

TEST_F(ModelTest, EditsSetEditedFlagButDrainingKeepsBothFlags) {
  model.EditValue(C(1, mc::Level), 160);
  EXPECT_TRUE(model.EditedFlag);
  MCtrl* others[] = {&C(2, mc::Level)};
  model.LinkControls(C(1, mc::Level), others);
  model.ProcessChanges();
  model.EditedFlag = false;
  model.LoadedEditedFlag = true;
  // The partner's change made while draining (with the send bit) is not an edit of the user's.
  model.SetValue(C(1, mc::Level), 140, DO_HANDLER | DO_PARTNERS | DO_DISPLAY);
  model.ProcessChanges();
  EXPECT_EQ(C(2, mc::Level).value, 140);
  EXPECT_FALSE(model.EditedFlag);
  EXPECT_TRUE(model.LoadedEditedFlag);
}

TEST_F(ModelTest, LinkingCopiesFirstValueAndQueuesPartnerForSending) {
  host.acceptSends = true;
  model.SetValue(C(1, mc::Level), 170, NOTIFY_FULL);
  model.SetValue(C(2, mc::Level), 150, NOTIFY_FULL);
  model.ProcessChanges();
  host.sent.clear();
  MCtrl* others[] = {&C(2, mc::Level)};
  model.LinkControls(C(1, mc::Level), others);
  EXPECT_EQ(C(2, mc::Level).value, 170);
  ASSERT_EQ(host.sent.size(), 1u);
  EXPECT_EQ(host.sent[0], &C(2, mc::Level));
  EXPECT_EQ(C(2, mc::Level).partners[0], &C(1, mc::Level));
  // A change of either side now reaches the other when the queue is drained.
  model.ProcessChanges();
  model.EditValue(C(2, mc::Level), 180);
  model.ProcessChanges();
  EXPECT_EQ(C(1, mc::Level).value, 180);
}

TEST_F(ModelTest, LinkingLeavesUnlinkedControlsApart) {
  model.SetValue(C(5, mc::LongDelay), 300, NOTIFY_FULL);
  MCtrl* others[] = {&C(6, mc::LongDelay)};
  model.LinkControls(C(5, mc::LongDelay), others);
  EXPECT_EQ(C(6, mc::LongDelay).value, 0);
  EXPECT_EQ(C(6, mc::LongDelay).partners[0], nullptr);
}

TEST_F(ModelTest, RingKeepsOffsetsThroughClampingAndReturn) {
  MCtrl& a = C(5, mc::ShortDelay);
  MCtrl& b = C(6, mc::ShortDelay);
  MCtrl& c = C(7, mc::ShortDelay);
  const int bases[] = {100, 50, 300};
  MCtrl* members[] = {&a, &b, &c};
  for (int i = 0; i < 3; ++i) model.SetValue(*members[i], bases[i], NOTIFY_LOCAL);
  model.ProcessChanges();
  model.RingJoin(a, b);
  model.RingJoin(b, c);
  model.RingJoin(c, a);
  struct Step {
    int first, second, third;
  } steps[] = {{150, 100, 350}, {0, 0, 200}, {100, 50, 300}};
  for (const Step& s : steps) {
    model.EditValue(a, s.first);
    model.ProcessChanges();
    EXPECT_EQ(b.value, s.second) << s.first;
    EXPECT_EQ(c.value, s.third) << s.first;
  }
}

TEST_F(ModelTest, NotificationDuringOwnPassMergesInsteadOfQueueingAgain) {
  // Ring pair a <-> b, and b linked to a as partner: moving a moves b (ring), b gives its value
  // back to a (partner) while a's own pass has already run its ring step.
  MCtrl& a = C(5, mc::HPFreq);
  MCtrl& b = C(6, mc::LPFreq);
  model.RingPair(a, b);
  model.EditValue(a, 190);
  model.ProcessChanges();
  EXPECT_EQ(b.value, 190);
  EXPECT_TRUE(model.QueueEmpty());
  // Both were queued at most once: nothing is pending any more.
  EXPECT_EQ(a.flags & DO_QUEUED, 0);
  EXPECT_EQ(b.flags & DO_QUEUED, 0);
}

TEST_F(ModelTest, RefusedEditsWhileLockedShowPopupAndRedisplay) {
  CountingBinding view;
  MCtrl& gain = C(3, mc::Level);
  gain.binding = &view;
  host.lock = 1;
  model.EditValue(gain, 100);
  model.ProcessChanges();
  EXPECT_EQ(gain.value, 150);
  EXPECT_EQ(view.last, 150);
  ASSERT_EQ(host.popups.size(), 1u);
  EXPECT_EQ(host.popups[0], "Cannot change Parameter / Parameter is locked");
  // Control 0 is never configured: a set changes nothing and, locked, reports the lock.
  model.SetValue(C(3, 0), 1, NOTIFY_FULL);
  EXPECT_EQ(C(3, 0).value, 0);
  EXPECT_EQ(host.popups.size(), 2u);
  host.lock = 0;
  model.SetValue(C(3, 0), 1, NOTIFY_FULL);
  EXPECT_EQ(host.popups.size(), 2u);  // without a lock the refusal is silent
}

TEST_F(ModelTest, ReceivedEntryRules) {
  struct Case {
    int modix, mcix, value;
    bool taken;
  } cases[] = {
      {12, 2, 1, false}, {3, 0, 1, false},  {1, 64, 1, false}, {0, 5, 7, false},
      {0, 5, 3, true},   {5, 75, 10, true},  // the mode reset would return the delay to 0
  };
  for (const Case& c : cases)
    EXPECT_EQ(model.ApplyReceivedEntry(c.modix, c.mcix, c.value), c.taken)
        << c.modix << ":" << c.mcix << "=" << c.value;
  EXPECT_EQ(model.SetupValue(mc::OpMode), 3);
  EXPECT_EQ(model.OutputConfiguration, 3);
  EXPECT_EQ(C(5, mc::ShortDelay).value, 10);
  // A received value is shown and its rules run, but it is never echoed.
  EXPECT_TRUE(C(5, mc::ShortDelay).flags & DO_DISPLAY);
  EXPECT_FALSE(C(5, mc::ShortDelay).flags & DO_SEND);
  // A control that is neither stored nor sent takes nothing from the unit.
  model.ApplyReceivedEntry(0, 12, 1);
  EXPECT_EQ(model.SetupValue(12), 0);
}

TEST(ParameterAddressing, EncodesFourteenBitsHighFirstAndDecodesBack) {
  const auto bytes = Model::EncodeChange(7, 2, 4000);
  EXPECT_EQ(bytes, (std::array<uint8_t, 4>{7, 2, 31, 32}));
  const ParamChange back = Model::DecodeChange(bytes);
  EXPECT_EQ(back.modix, 7);
  EXPECT_EQ(back.mcix, 2);
  EXPECT_EQ(back.value, 4000);
}

TEST_F(ModelTest, ImageRoundTripClampsDamagedWords) {
  model.SetValue(C(1, mc::Level), 200, NOTIFY_FULL);
  model.ProcessChanges();
  std::vector<uint16_t> image;
  for (int m = 0; m < kModuleCount; ++m) model.WriteModule(model.Module(m), image);
  ASSERT_EQ(static_cast<int>(image.size()), model.StoredWordCount());
  // Input A's level is its first stored word (after the 13 setup words); damage it.
  image[13] = 9999;
  Model other;
  ImageReader reader{image};
  for (int m = 0; m < kModuleCount; ++m) other.ReadModule(other.Module(m), reader);
  EXPECT_FALSE(reader.overrun);
  EXPECT_EQ(other.Ctrl(1, mc::Level).value, 300);
  EXPECT_EQ(other.Ctrl(1, mc::Level).previousValue, 150);
}

TEST(EditorIsolation, TwoEditorsShareNothing) {
  FakeUi ui1, ui2;
  ManualScheduler clock;
  Editor e1(ui1, clock), e2(ui2, clock);
  e1.model().EditValue(e1.model().Ctrl(1, mc::Level), 10);
  e1.SetLockState(1);
  e1.model().EditValue(e1.model().Ctrl(2, mc::Level), 10);
  e1.model().ProcessChanges();
  EXPECT_EQ(e2.model().Ctrl(1, mc::Level).value, 150);
  EXPECT_FALSE(e2.model().EditedFlag);
  EXPECT_TRUE(e1.model().EditedFlag);
  EXPECT_TRUE(ui1.popupVisible);
  EXPECT_FALSE(ui2.popupVisible);
  EXPECT_EQ(e2.LockState(), 0);
}

}  // namespace
}  // namespace korvan::test
