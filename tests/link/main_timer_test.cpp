// The main window's timer: draining the change queue, feeding a linked unit, polling the unit of
// the connect dialog, and the stand-alone processing figure with its warning.

#include "editor/main_timer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/sysex.h"
#include "model/control_ids.h"
#include "support/link_fixture.h"

namespace korvan::test {
namespace {

class MainTimerTest : public LinkTest {
 protected:
  int Requests() const {
    return static_cast<int>(std::count_if(ports.writes.begin(), ports.writes.end(), [](auto& w) {
      return w[kCommandOffset] == SYSEX_STATUS_REQUEST;
    }));
  }
  int Warnings() const {
    return static_cast<int>(std::count_if(ui.boxes.begin(), ui.boxes.end(), [](auto& b) {
      return b.text == "Reaching Maximum Processing Power\n\nThis can cause problems in the KVN";
    }));
  }
  // Dynamic EQs on all ten channels and one EQ band on input A: S = 58 with the default
  // crossovers; off again: the default set.
  void HeavyLoad(bool on) {
    Model& m = editor.model();
    for (int id = 1; id <= 10; ++id) {
      m.EditValue(m.Ctrl(id, mc::DynEqOn), on ? 1 : 0);
      m.EditValue(m.Ctrl(id, mc::DynEqGain), on ? 170 : 150);
    }
    m.EditValue(m.Ctrl(1, mc::EqOn), on ? 1 : 0);
    m.EditValue(m.Ctrl(1, mc::EqGain(0)), on ? 140 : 150);
  }
};

TEST_F(MainTimerTest, FirstTickAfter150ThenEvery120) {
  clock.Advance(149);
  EXPECT_FALSE(ui.Saw("status 0: Free EQ Processing : 29 %"));
  clock.Advance(1);
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : 29 %");  // the default set: S = 27
  EXPECT_EQ(editor.status().FreeEqProcessing, 29);
  ui.Clear();
  clock.Advance(119);
  EXPECT_TRUE(ui.events.empty());
  clock.Advance(1);
  EXPECT_EQ(ui.events.size(), 1u);
}

TEST_F(MainTimerTest, TheProcessingWarningComesOncePerCrossing) {
  HeavyLoad(true);
  clock.Advance(MainTimer::kFirstTickMs);
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : -2 %");
  EXPECT_EQ(editor.status().FreeEqProcessing, -2);  // the free figure, as a unit reports it
  EXPECT_EQ(Warnings(), 1);
  EXPECT_TRUE(editor.mainTimer().timer().Running());
  clock.Advance(10 * MainTimer::kIntervalMs);
  EXPECT_EQ(Warnings(), 1);
  HeavyLoad(false);
  clock.Advance(MainTimer::kIntervalMs);
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : 29 %");
  HeavyLoad(true);
  clock.Advance(MainTimer::kIntervalMs);
  EXPECT_EQ(Warnings(), 2);
}

TEST_F(MainTimerTest, DrainsTheChangeQueueAndShowsTheEditedMark) {
  Model& m = editor.model();
  m.EditValue(m.Ctrl(5, mc::Level), 10);
  EXPECT_FALSE(m.QueueEmpty());
  clock.Advance(MainTimer::kFirstTickMs);
  EXPECT_TRUE(m.QueueEmpty());
  EXPECT_TRUE(ui.edited);
  m.EditedFlag = false;
  m.EditValue(m.Ctrl(5, mc::Select), 1);  // not a stored control
  clock.Advance(MainTimer::kIntervalMs);
  EXPECT_FALSE(ui.edited);
}

TEST_F(MainTimerTest, TheConnectDialogPollsItsUnitOnceASecond) {
  OpenCom1();
  editor.SetMainWindowVisible(false);
  editor.SetConnectDialogActive(true);
  clock.Advance(MainTimer::kFirstTickMs);
  EXPECT_EQ(Requests(), 0);  // the virtual unit is not polled
  editor.identity().current.modelCode = 116;
  clock.Advance(MainTimer::kIntervalMs);
  EXPECT_EQ(Requests(), 1);
  Receive(MakeStatus(1, std::vector<uint8_t>(16, 0)));
  clock.Advance(MainTimer::kConnectDialogIntervalMs - 60);
  EXPECT_EQ(Requests(), 1);
  clock.Advance(10);
  EXPECT_EQ(Requests(), 2);

  // Back to the main window while linked: every tick after the answer.
  editor.SetConnectDialogActive(false);
  editor.SetMainWindowVisible(true);
  editor.SetRemoteMode(0x80);
  Receive(MakeStatus(1, std::vector<uint8_t>(16, 0)));
  clock.Advance(MainTimer::kConnectDialogIntervalMs);
  EXPECT_EQ(Requests(), 3);
  EXPECT_EQ(editor.mainTimer().timer().Interval(), MainTimer::kIntervalMs);
}

}  // namespace
}  // namespace korvan::test
