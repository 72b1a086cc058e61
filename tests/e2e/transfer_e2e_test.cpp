// The connect dialog's sequences against korvan-sim through the real port layer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "support/fake_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "transfer/filer.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes PackOf(Editor& e, int fileType, unsigned medium) {
  Filer f(e);
  f.fileType = fileType;
  f.medium = medium;
  f.Pack();
  return {f.buffer.begin(), f.buffer.begin() + f.size};
}

class TransferE2eTest : public ::testing::Test {
 protected:
  void Connect(const std::string& path) {
    ports.Pin(1, path);
    Discovery& d = editor.discovery();
    d.view.portBox = {"COM 1"};
    d.view.portSelection = 0;
    d.StartSearch();
    ASSERT_TRUE(loop.RunUntil([&] { return !d.SearchTimerRunning(); }, 5000));
    ASSERT_EQ(d.selected, 0);
  }
  bool RunUntilIdle(int64_t boundMs) {
    return loop.RunUntil([&] { return !editor.Busy() && !editor.connect().TransferTimerRunning(); },
                         boundMs);
  }
  std::string State(const std::string& name) { return state.path() + "/" + name; }

  TempDir dir, state;
  FakeUi ui;
  EventLoop loop;
  PosixPortSystem ports;
  Editor editor{ui, loop, {.ports = &ports, .watcher = &loop, .logFolder = dir.path()}};
};

TEST_F(TransferE2eTest, PcToKorvanThenBackGivesTheSameBytes) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--state", state.path()});
  ASSERT_FALSE(sim.Port().empty());
  Connect(sim.Port());
  Model& m = editor.model();
  m.EditValue(m.Ctrl(7, 2), 120);
  m.ProcessChanges();
  editor.presets().StorePreset(kCardBank, 7);
  editor.SetFreeEqProcessing(25);  // short pauses
  const Bytes set = PackOf(editor, 1, kMediumSerial), internal = PackOf(editor, 0, kMediumSerial),
              card = PackOf(editor, 0, kMediumDisk);

  editor.connect().view.toUnit = true;
  editor.connect().SynchronizeClick(true);
  ASSERT_TRUE(RunUntilIdle(20000));
  EXPECT_EQ(ui.boxes.size(), 1u);  // the overwrite warning only
  EXPECT_EQ(ReadAll(State("unit1-current.xpc")), set);
  EXPECT_EQ(ReadAll(State("unit1-internal.kvn")), internal);
  EXPECT_EQ(ReadAll(State("unit1-card.kvn")), card);

  // A fresh editor state, then everything back from the unit.
  m.EditValue(m.Ctrl(7, 2), 10);
  m.ProcessChanges();
  editor.connect().view.toUnit = false;
  editor.connect().SynchronizeClick(true);
  ASSERT_TRUE(RunUntilIdle(20000));
  EXPECT_EQ(m.Ctrl(7, 2).value, 120);
  EXPECT_EQ(PackOf(editor, 1, kMediumSerial), set);
  EXPECT_EQ(PackOf(editor, 0, kMediumSerial), internal);
  EXPECT_EQ(PackOf(editor, 0, kMediumDisk), card);
}

TEST_F(TransferE2eTest, WithoutACardTheSequenceGoesOnAndAStalledUnitLeavesTheModel) {
  {
    SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--no-card", "--bad-checksum", "2"});
    ASSERT_FALSE(sim.Port().empty());
    Connect(sim.Port());
    const Bytes cardBefore = PackOf(editor, 0, kMediumDisk);
    editor.connect().SynchronizeClick(true);
    ASSERT_TRUE(RunUntilIdle(20000));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "No Card Presets Found");
    EXPECT_EQ(PackOf(editor, 0, kMediumDisk), cardBefore);
    EXPECT_FALSE(editor.transfers().sequenceRunning);
    editor.port().ClosePort();
  }
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--stop-after-block", "0"});
  ASSERT_FALSE(sim.Port().empty());
  Connect(sim.Port());
  Model& m = editor.model();
  m.EditValue(m.Ctrl(7, 2), 33);
  m.ProcessChanges();
  const Bytes before = PackOf(editor, 1, kMediumSerial);
  ui.Clear();
  editor.connect().view.cardPresets = editor.connect().view.internalPresets = false;
  editor.connect().SynchronizeClick(true);
  ASSERT_TRUE(RunUntilIdle(20000));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "No response from KORVAN SIM       !!\nCheck connection.");
  EXPECT_EQ(PackOf(editor, 1, kMediumSerial), before);
}

}  // namespace
}  // namespace korvan::test
