// The live exchange of the editor core with korvan-sim over a pseudo-terminal: edits reaching
// the unit, the unit's panel changes reaching the editor, locks and reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "model/control_ids.h"
#include "support/fake_ui.h"
#include "support/log_lines.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace korvan::test {
namespace {

constexpr int kBoundMs = 8000;  // only keeps a broken run from hanging

class LiveE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.status().SetReportListener([this](const StatusReport& r) {
      last = r;
      ++reports;
    });
  }
  // Searches the simulator's line and links to its unit as "Stay Synchronized" does.
  void Link(SimProcess& sim) {
    ASSERT_FALSE(sim.Port().empty());
    ports.Pin(1, sim.Port());
    Discovery& d = editor.discovery();
    d.view.portBox = {"COM 1"};
    d.view.portSelection = 0;
    d.StartSearch();
    ASSERT_TRUE(loop.RunUntil([&] { return !d.SearchTimerRunning(); }, kBoundMs));
    ASSERT_EQ(d.found.size(), 1u);
    ASSERT_TRUE(editor.port().IsOpen());
    editor.SetRemoteMode(kRemoteLinked);
    editor.sender().SendRemoteMode(0x40);
    WaitReports(1);
  }
  void WaitReports(int n) {
    const int until = reports + n;
    ASSERT_TRUE(loop.RunUntil([&] { return reports >= until; }, kBoundMs));
  }
  // Until every edit has gone and the unit has answered twice more.
  void Flush() {
    ASSERT_TRUE(loop.RunUntil(
        [&] { return editor.live().QueueEmpty() && editor.model().QueueEmpty(); }, kBoundMs));
    WaitReports(2);
  }
  std::vector<std::string> Trace() const { return LogLines(tracePath); }
  static int Count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
  MCtrl& C(int modix, int mcix) { return editor.model().Ctrl(modix, mcix); }

  TempDir dir;
  std::string tracePath = dir.path() + "/sim.err";
  FakeUi ui;
  EventLoop loop;
  PosixPortSystem ports;
  Editor editor{ui, loop, {.ports = &ports, .watcher = &loop, .logFolder = dir.path()}};
  StatusReport last{};
  int reports = 0;
};

TEST_F(LiveE2eTest, ABurstOfAHundredEditsArrivesAs79Then21InEditOrder) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "38400", "--trace"}, tracePath);
  Link(sim);
  std::vector<std::string> expected;
  for (int round = 0; round < 2; ++round) {
    expected.clear();
    for (int id = 1; id <= 10; ++id)
      for (int k = 0; k < 10; ++k) {
        // Gains and EQ band frequencies: no rules, and the inputs' links leave them alone.
        const int mcix = k == 0 ? mc::Level : mc::EqFreq(k - 1);
        const int v = 10 + 7 * k + id + 50 * round;
        editor.model().EditValue(C(id, mcix), v);
        expected.push_back("change\t" + std::to_string(id) + "\t" + std::to_string(mcix) + "\t" +
                           std::to_string(v));
      }
  }
  Flush();
  sim.Stop();
  const auto trace = Trace();
  std::vector<std::string> got;
  std::vector<std::string> counts;
  for (const auto& l : trace) {
    if (l.rfind("changes\t", 0) == 0) counts.push_back(l);
    if (l.rfind("change\t", 0) == 0) got.push_back(l);
  }
  ASSERT_EQ(counts, (std::vector<std::string>{"changes\t79", "changes\t21"}));
  // Each control once, in the order of its first edit, with its final value.
  EXPECT_EQ(got, expected);
}

TEST_F(LiveE2eTest, APanelChangeReachesTheModelWithoutEchoAndItsPartnerIsSent) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "38400", "--trace", "--panel", "5:2=111@4000"},
                 tracePath);
  Link(sim);
  editor.model().EditValue(editor.model().Setup(mc::OutStereoLink), 1);  // outputs 1-4, 2-5, 3-6
  Flush();
  ASSERT_TRUE(loop.RunUntil([&] { return C(8, mc::Level).value == 111; }, kBoundMs));
  EXPECT_EQ(C(5, mc::Level).value, 111);
  Flush();
  sim.Stop();
  const auto trace = Trace();
  EXPECT_EQ(Count(trace, "panel\t5\t2\t111"), 1);
  EXPECT_EQ(Count(trace, "change\t5\t2\t111"), 0);  // not echoed
  EXPECT_EQ(Count(trace, "change\t8\t2\t111"), 1);  // the partner, output 4
  EXPECT_TRUE(LogHas(dir.path() + "/test.txt", "modix 5, mcix 2, v 111"));
}

TEST_F(LiveE2eTest, ALockedUnitRefusesAnEditWithThePopupAndKeepsItsValue) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--trace", "--lock", "global"}, tracePath);
  Link(sim);
  EXPECT_EQ(editor.LockState(), kGlobalLock);
  EXPECT_EQ(ui.mainStatus[2], "! GLOBAL LOCK !");
  const int before = C(6, mc::Level).value;
  editor.model().EditValue(C(6, mc::Level), before + 20);
  Flush();
  EXPECT_EQ(C(6, mc::Level).value, before);
  EXPECT_TRUE(ui.popupVisible);
  EXPECT_EQ(ui.popupWhat, "Cannot change Parameter");
  EXPECT_EQ(ui.popupWhy, "Parameter is locked");
  sim.Stop();
  for (const auto& l : Trace()) EXPECT_NE(l.rfind("change", 0), 0u) << l;
}

TEST_F(LiveE2eTest, MetersAndTheFreeFigureFollowTheReportsAndAnErrorIsShownOnce) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "38400", "--error", "9:0"});
  Link(sim);
  EXPECT_EQ(ui.popupWhat, "Cannot Recall");
  EXPECT_EQ(ui.popupWhy, "Preset is Locked");
  editor.errorPopup().Close();
  // The meters move: several different levels over a few reports.
  std::set<int> seen;
  for (int i = 0; i < 12; ++i) {
    WaitReports(1);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(ui.meters.levels[k], last[k] & 7);
    seen.insert(ui.meters.levels[0]);
  }
  EXPECT_GE(seen.size(), 2u);
  EXPECT_FALSE(ui.popupVisible);  // the error came once
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : 29 %");
  // A dynamic EQ costs the unit 11.6: the unit's own figure drops to 17.
  editor.model().EditValue(C(3, mc::DynEqOn), 1);
  editor.model().EditValue(C(3, mc::DynEqGain), 170);
  Flush();
  EXPECT_EQ(editor.status().FreeEqProcessing, 17);
  EXPECT_EQ(ui.mainStatus[0], "Free EQ Processing : 17 %");
}

}  // namespace
}  // namespace korvan::test
