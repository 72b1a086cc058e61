// The editor core against korvan-sim through the real port layer on a pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "core/map_settings.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "support/fake_ui.h"
#include "support/log_lines.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace korvan::test {
namespace {

// Generous bounds: they only keep a broken run from hanging.
constexpr int kSearchBoundMs = Discovery::kSearchTimeoutMs + 3000;

class SimE2eTest : public ::testing::Test {
 protected:
  // Searches COM 1, mapped to path, until the search has ended.
  void SearchOn(const std::string& path) {
    ports.Pin(1, path);
    Discovery& d = editor.discovery();
    d.view.portBox = {"COM 1"};
    d.view.portSelection = 0;
    d.StartSearch();
    ASSERT_TRUE(loop.RunUntil([&] { return !d.SearchTimerRunning(); }, kSearchBoundMs));
  }
  bool Logged(const std::string& line) const { return LogHas(dir.path() + "/test.txt", line); }
  static std::string Padded(const std::string& s) { return s + std::string(16 - s.size(), ' '); }

  TempDir dir;
  FakeUi ui;
  EventLoop loop;
  PosixPortSystem ports;
  Editor editor{ui, loop, {.ports = &ports, .watcher = &loop, .logFolder = dir.path()}};
};

TEST_F(SimE2eTest, ASearchFindsTwoUnitsAndPicksTheLastUsedOne) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "38400", "--unit", "dev=1,name=ALPHA,version=1.16",
                                   "--unit", "dev=5,name=BRAVO,version=1.16"});
  ASSERT_FALSE(sim.Port().empty());
  MapSettings settings;
  settings.WriteString("Last", "Device", "DEV0074M04C01");
  settings.WriteInt("DEV0074M04C01", "Model", 116);
  settings.WriteInt("DEV0074M04C01", "DeviceNr", 4);
  settings.WriteString("DEV0074M04C01", "Name", "BRAVO");
  editor.discovery().LoadLastUsed(settings);

  SearchOn(sim.Port());
  const Discovery& d = editor.discovery();
  ASSERT_EQ(d.found.size(), 2u);
  EXPECT_EQ(d.found[0].caption, Padded("ALPHA"));
  EXPECT_EQ(d.found[1].caption, Padded("BRAVO"));
  EXPECT_EQ(d.selected, 1);
  EXPECT_EQ(editor.identity().current.textId, "DEV0074M04C01");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(Logged("Searching for Korvan."));
  EXPECT_TRUE(Logged("Connected to " + Padded("BRAVO")));
}

TEST_F(SimE2eTest, RenamingAndRenumberingReachTheUnit) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--unit", "dev=2,name=OLD,version=1.20"});
  ASSERT_FALSE(sim.Port().empty());
  SearchOn(sim.Port());
  ASSERT_EQ(editor.discovery().found.size(), 1u);
  editor.discovery().ChangeDeviceNumber(8);
  editor.discovery().RenameUnit("RENAMED");

  SearchOn(sim.Port());  // ask the unit who it is now
  const auto& found = editor.discovery().found;
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].record.deviceNumber, 8);
  EXPECT_EQ(found[0].record.name, Padded("RENAMED"));
}

TEST_F(SimE2eTest, ASilentLineGivesCouldNotConnect) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  ui.Answer(MsgResult::Abort);
  SearchOn(::ptsname(master));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Could not connect to Korvan.\nCheck connection.");
  EXPECT_EQ(editor.discovery().found.at(0).caption, "Virtual");
  EXPECT_FALSE(editor.Busy());
  ::close(master);
}

TEST_F(SimE2eTest, AnEchoingLineIsReportedInLoopMode) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0", "--echo"});
  ASSERT_FALSE(sim.Port().empty());
  SearchOn(sim.Port());
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes[0].text, "COM port in loop mode ?!?!");
  // The unit behind the echo answers all the same.
  ASSERT_EQ(editor.discovery().found.size(), 1u);
  EXPECT_EQ(editor.discovery().found[0].caption, Padded("KORVAN SIM"));
}

TEST_F(SimE2eTest, AHangUpOfTheSimulatorClosesThePort) {
  auto sim = std::make_unique<SimProcess>(KORVAN_SIM_PATH, std::vector<std::string>{"--baud", "0"});
  ASSERT_FALSE(sim->Port().empty());
  SearchOn(sim->Port());
  ASSERT_TRUE(editor.port().IsOpen());
  const std::string stats = sim->Stop();
  EXPECT_EQ(stats.rfind("stats\t8\t26\t", 0), 0u) << stats;
  EXPECT_TRUE(loop.RunUntil([&] { return !editor.port().IsOpen(); }, 3000));
  EXPECT_TRUE(Logged("Comm Error: line hung up"));
  EXPECT_TRUE(Logged("Closing COM port."));
}

TEST_F(SimE2eTest, APortHeldByAnotherProgramDoesNotOpen) {
  SimProcess sim(KORVAN_SIM_PATH, {"--baud", "0"});
  ASSERT_FALSE(sim.Port().empty());
  const int other = ::open(sim.Port().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ports.Pin(1, sim.Port());
  editor.port().portNumber = 1;
  EXPECT_FALSE(editor.port().OpenPort());
  ::close(other);
  EXPECT_TRUE(editor.port().OpenPort());
}

}  // namespace
}  // namespace korvan::test
