#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "rules_fixture.h"

namespace korvan::test {
namespace {

class EqBandsTest : public RulesTest {
 protected:
  // Bands listed are in use (gain away from 0 dB), the others at 0 dB.
  void UseBands(int modix, std::initializer_list<int> bands) {
    for (int b = 0; b < mc::kEqBands; ++b)
      model.SetValue(C(modix, mc::EqGain(b)), 150, NOTIFY_FULL);
    for (int b : bands) model.SetValue(C(modix, mc::EqGain(b)), 160 + b, NOTIFY_FULL);
    model.ProcessChanges();
  }
};

TEST_F(EqBandsTest, SelectingABandTrimsOrGrowsTheBandsShown) {
  struct Case {
    std::vector<int> inUse;
    int shown, requested;
    int shownAfter, selectedAfter;
  } cases[] = {
      {{0, 1}, 5, 7, 2, 2},     // trimmed to one past band 1, no growth past a 0 dB band
      {{0, 1, 2}, 2, 3, 3, 3},  // one more band after a band in use
      {{0, 1}, 1, 5, 2, 2},     // grows by one only; the selection stops at the last shown
      {{0}, 1, 1, 1, 1},        // a shown band is selected as asked
      {{}, 4, 1, 0, 0},         // nothing in use: back to the first band
      {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 7, 8, 8, 8},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 8, 8, 8, 8},  // already all nine
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "shown " << c.shown << " requested " << c.requested);
    Set(C(Out(2), mc::EqSelectedBand), 0);
    UseBands(Out(2), {});
    for (int b : c.inUse) model.SetValue(C(Out(2), mc::EqGain(b)), 170, NOTIFY_FULL);
    Set(C(Out(2), mc::EqBandsShown), c.shown);
    Edit(C(Out(2), mc::EqSelectedBand), c.requested);
    EXPECT_EQ(V(Out(2), mc::EqBandsShown), c.shownAfter);
    EXPECT_EQ(V(Out(2), mc::EqSelectedBand), c.selectedAfter);
  }
}

TEST_F(EqBandsTest, DeletingABandMovesLaterBandsDown) {
  struct Case {
    int band;
    std::vector<int> gainsAfter;  // bands 0..4
    std::vector<int> freqsAfter;
    int selectedAfter;
  } cases[] = {
      {1, {160, 162, 163, 150, 150}, {100, 102, 103, 103, 104}, 0},  // inner band
      {3, {160, 161, 162, 150, 150}, {100, 101, 102, 103, 104}, 2},  // the last band shown
      {0, {161, 162, 163, 150, 150}, {101, 102, 103, 103, 104}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    Modul& m = model.InputModule(1);
    for (int b = 0; b < 5; ++b) {
      model.SetValue(m.Ctrl(mc::EqFreq(b)), 100 + b, NOTIFY_FULL);
      model.SetValue(m.Ctrl(mc::EqQ(b)), 10 + b, NOTIFY_FULL);
      model.SetValue(m.Ctrl(mc::EqKind(b)), b % 3, NOTIFY_FULL);
      model.SetValue(m.Ctrl(mc::EqSlope(b)), b % 2, NOTIFY_FULL);
    }
    UseBands(InB, {0, 1, 2, 3});
    Set(m.Ctrl(mc::EqBandsShown), 3);
    Set(m.Ctrl(mc::EqSelectedBand), c.band);

    DeleteEqBand(model, m, c.band);
    model.ProcessChanges();
    for (int b = 0; b < 5; ++b) {
      EXPECT_EQ(m.Ctrl(mc::EqGain(b)).value, c.gainsAfter[b]) << "band " << b;
      EXPECT_EQ(m.Ctrl(mc::EqFreq(b)).value, c.freqsAfter[b]) << "band " << b;
    }
    // The other band controls travel with the band.
    const int movedFrom = c.band < 3 ? c.band + 1 : c.band;
    EXPECT_EQ(m.Ctrl(mc::EqQ(c.band)).value, 10 + movedFrom);
    EXPECT_EQ(m.Ctrl(mc::EqKind(c.band)).value, movedFrom % 3);
    EXPECT_EQ(m.Ctrl(mc::EqSlope(c.band)).value, movedFrom % 2);
    EXPECT_EQ(m.Ctrl(mc::EqBandsShown).value, 2);
    EXPECT_EQ(m.Ctrl(mc::EqSelectedBand).value, c.selectedAfter);
    EXPECT_EQ(BandsInUse(m), 3);
  }
}

TEST_F(EqBandsTest, OnlyAShownBandOtherThanTheLastOneLeftIsDeleted) {
  Modul& m = model.OutputModule(0);
  UseBands(Out(1), {0, 1});
  DeleteEqBand(model, m, 0);  // a single band shown stays
  Set(m.Ctrl(mc::EqBandsShown), 1);
  DeleteEqBand(model, m, 5);  // not shown: band 1 is not deleted in its place
  DeleteEqBand(model, m, -1);
  DeleteEqBand(model, model.SetupModule(), 0);
  model.ProcessChanges();
  EXPECT_EQ(m.Ctrl(mc::EqGain(0)).value, 160);
  EXPECT_EQ(m.Ctrl(mc::EqGain(1)).value, 161);
  EXPECT_EQ(m.Ctrl(mc::EqBandsShown).value, 1);
}

TEST_F(EqBandsTest, EqOnIsRefusedWhenItsCostReachesTheLimit) {
  struct Case {
    const char* what;
    int modix, bands;
    int mode;
    bool outLink;
    float limit;
    bool refused;
  } cases[] = {
      {"largest cost under the usual limit", Out(1), 9, 3, true, 40.0f, false},
      {"copied to two outputs", Out(1), 3, 1, true, 10.0f, true},
      {"same EQ without the output link", Out(1), 3, 1, false, 10.0f, false},
      {"the Sum input is never copied", InSum, 3, 1, true, 10.0f, false},
      {"inputs count the output link too", InA, 3, 3, true, 10.0f, true},
      {"cost plus 4.5 equal to the limit", InC, 2, 0, false, 7.0f, true},
      {"just under the limit", InC, 2, 0, false, 7.0001f, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReceiveMode(c.mode);
    if (!c.outLink) Edit(SetupCtrl(mc::OutStereoLink), 0);
    for (int b = 0; b < c.bands; ++b) model.SetValue(C(c.modix, mc::EqGain(b)), 170, NOTIFY_FULL);
    model.ProcessChanges();
    model.EqLimit = c.limit;
    host.boxes.clear();
    host.icons.clear();
    host.buttonSets.clear();

    Edit(C(c.modix, mc::EqOn), 1);
    EXPECT_EQ(V(c.modix, mc::EqOn), c.refused ? 0 : 1);
    if (c.refused) {
      ASSERT_EQ(host.boxes.size(), 1u);
      EXPECT_EQ(host.boxes[0], "Too many EQ's");
      EXPECT_EQ(host.icons[0], MsgIcon::Error);
      EXPECT_EQ(host.buttonSets[0], MsgButtons::Ok);
      // Linked channels are switched off with it.
      for (int id = 1; id <= 10; ++id) EXPECT_EQ(V(id, mc::EqOn), 0) << id;
    } else {
      EXPECT_TRUE(host.boxes.empty());
    }
  }
}

TEST_F(EqBandsTest, SwitchingTheEqOffIsNeverChecked) {
  Edit(C(InA, mc::EqOn), 1);
  model.EqLimit = 0.0f;
  Edit(C(InA, mc::EqOn), 0);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(V(InA, mc::EqOn), 0);
}

}  // namespace
}  // namespace korvan::test
