// Status reports decoded into meters, locks, the free EQ figure and the error popup.

#include "link/status_monitor.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/sysex.h"
#include "support/link_fixture.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

class StatusTest : public LinkTest {
 protected:
  void SetUp() override {
    OpenCom1();
    editor.identity().current.name = "LEFT";
  }
  void Report(std::initializer_list<std::pair<int, int>> bytes) {
    Bytes r(16, 0);
    r[13] = static_cast<uint8_t>(editor.status().FreeEqProcessing);
    for (auto [k, v] : bytes) r[k] = static_cast<uint8_t>(v);
    Receive(MakeStatus(1, r));
  }
};

TEST_F(StatusTest, MetersLimiterFlagsAndGainMetersFollowTheSelectors) {
  struct Case {
    const char* what;
    int dynSel, limSel, r10;
    std::array<int, 3> dyn;
    std::array<int, 2> lim;
  } cases[] = {
      {"both pages hidden", kMeterHidden, kMeterHidden, 5, {0, 0, 0}, {0, 0}},
      {"gain below the centre", 4, 2, 5, {9, 12, 0}, {3, 4}},
      {"gain at the centre", 4, kLimiterOff, 17, {9, 0, 0}, {0, 0}},
      {"gain above the centre", 0, 5, 20, {9, 0, 3}, {3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor.status().dynSelector = c.dynSel;
    editor.status().limSelector = c.limSel;
    Report({{0, 0x0F}, {2, 3}, {3, 0x27}, {8, 0x21}, {9, 9}, {10, c.r10}, {11, 3}, {12, 4}});
    const MeterValues& m = ui.meters;
    EXPECT_EQ(m.levels, (std::array<int, 9>{7, 0, 3, 7, 0, 0, 0, 0, 1}));
    EXPECT_EQ(m.limits, (std::array<bool, 6>{true, false, false, false, false, true}));
    EXPECT_EQ(m.dyn, c.dyn);
    EXPECT_EQ(m.lim, c.lim);
  }
}

TEST_F(StatusTest, TheRequestCarriesTheSelectorsPlusTwo) {
  editor.status().dynSelector = 9;
  editor.status().limSelector = kLimiterOff;
  editor.SendStatusRequest();
  ASSERT_EQ(ports.writes.size(), 1u);
  EXPECT_EQ(ports.writes[0], (Bytes{0xF0, 0x7D, 0, 0, 0x20, 0x0E, 0x44, 11, 1, 0xF7}));
  EXPECT_TRUE(editor.replyTimers().VuTimer().Running());
}

TEST_F(StatusTest, LockBitsSetAndClearTheStatusPanelsAndErrorsLeaveThem) {
  Report({{15, 3}});
  EXPECT_EQ(editor.status().LockState, 3);
  EXPECT_EQ(ui.mainStatus[1], "! PAGE LOCK !");
  EXPECT_EQ(ui.mainStatus[2], "! GLOBAL LOCK !");
  Report({{14, 9}, {15, 0}});  // an error: the lock stays as it was
  EXPECT_EQ(editor.status().LockState, 3);
  EXPECT_EQ(ui.mainStatus[1], "! PAGE LOCK !");
  Report({{15, 2}});
  EXPECT_EQ(ui.mainStatus[1], "");
  EXPECT_EQ(ui.mainStatus[2], "! GLOBAL LOCK !");
  Report({});
  EXPECT_EQ(editor.status().LockState, 0);
  EXPECT_EQ(ui.mainStatus[2], "");
}

TEST_F(StatusTest, TheFreeFigureIsShownWhenItChanges) {
  Report({{13, 37}});
  EXPECT_EQ(editor.status().FreeEqProcessing, 37);
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : 37 %");
  ui.Clear();
  Report({{13, 37}});
  EXPECT_FALSE(ui.Saw("status 0: Free EQ Processing : 37 %"));
}

TEST_F(StatusTest, ErrorTextsFromTypeAndOperation) {
  struct Case {
    int type, op;
    const char* what;
    const char* why;
  } cases[] = {
      {9, 0, "Cannot Recall", "Preset is Locked"},
      {6, 3, "Unkown Error", "Card Error"},
      {3, 1, "Cannot Store", "Card not Found"},
      {10, 2, "Cannot Copy", "Destination Preset is Locked"},
      {11, 4, "Cannot Delete", "Destination Preset(s) is Locked"},
      {1, 5, "Cannot Lock / Unlock", "Card Error"},
      {14, 100, "Cannot Format", "Card Error"},
      {12, 0, "Cannot change Parameter", "Parameter is locked"},
      {13, 1, "Cannot change Parameter", "Not enough EQ-bands available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Report({{14, c.type}, {15, c.op}});
    EXPECT_EQ(editor.status().ErrorType, c.type);
    EXPECT_EQ(editor.status().ErrorOperation, c.op);
    EXPECT_EQ(ui.popupName, "LEFT");
    EXPECT_EQ(ui.popupWhat, c.what);
    EXPECT_EQ(ui.popupWhy, c.why);
  }
}

TEST_F(StatusTest, ThePopupClosesAfterFourSecondsAndShowingItAgainRestartsTheClock) {
  Report({{14, 9}});
  EXPECT_TRUE(ui.popupVisible);
  clock.Advance(3000);
  Report({{14, 6}, {15, 1}});  // refreshed: four more seconds from here
  EXPECT_EQ(ui.popupWhy, "Card Error");
  clock.Advance(3900);
  EXPECT_TRUE(ui.popupVisible);
  clock.Advance(200);
  EXPECT_FALSE(ui.popupVisible);
  EXPECT_FALSE(editor.errorPopup().AutoPopTimerRunning());
}

TEST_F(StatusTest, AReportOfTheWrongLengthIsNotReadButEndsTheWait) {
  editor.SendStatusRequest();
  Bytes r(16, 0);
  r[15] = 3;
  Bytes f = MakeStatus(1, r);
  f[7] = 15;
  Receive(f);
  EXPECT_FALSE(editor.replyTimers().VuTimer().Running());
  EXPECT_EQ(editor.status().LockState, 0);
  EXPECT_EQ(ui.meterUpdates, 0);
  // Short, with a matching count: not read either.
  Receive(MakeStatus(1, Bytes{7, 7, 7}));
  EXPECT_EQ(ui.meterUpdates, 0);
}

TEST_F(StatusTest, VuTimerExpiryOnlyLetsTheNextRequestGo) {
  editor.SetRemoteMode(0x80);
  clock.Advance(MainTimer::kFirstTickMs);
  ASSERT_EQ(ports.writes.size(), 1u);
  clock.Advance(ReplyTimers::kVuMs - 10);
  EXPECT_EQ(ports.writes.size(), 1u);
  clock.Advance(10 + MainTimer::kIntervalMs);
  EXPECT_EQ(ports.writes.size(), 2u);
  EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace korvan::test
