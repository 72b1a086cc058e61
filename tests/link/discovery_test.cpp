#include "link/discovery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ini_settings.h"
#include "core/map_settings.h"
#include "link/sysex.h"
#include "support/link_fixture.h"
#include "support/temp_dir.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

class DiscoveryTest : public LinkTest {
 protected:
  Discovery& d() { return editor.discovery(); }
  IdentityRecord& current() { return editor.identity().current; }

  void Search(int port = 1) {
    ports.present.insert(port);
    d().view.portBox = {"COM " + std::to_string(port)};
    d().view.portSelection = 0;
    d().StartSearch();
  }
  void Reply(int dev, int major, int minor, const std::string& name) {
    Receive(MakeIdentity(static_cast<uint8_t>(dev), major, minor, name));
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> c;
    for (const auto& e : editor.discovery().found) c.push_back(e.caption);
    return c;
  }
  static std::string Padded(const std::string& s) { return s + std::string(16 - s.size(), ' '); }
};

TEST_F(DiscoveryTest, IdentityRepliesBecomeRecords) {
  struct Case {
    int port, devByte, major, minor;
    std::string name;
    int deviceNumber;
    std::string listed, textId, version;
  };
  const Case cases[] = {
      {1, 0x00, 1, 5, "LEFT", 0, Padded("LEFT"), "DEV0069M00C01", "V 1.05"},
      {3, 0x24, 127, 0, "ignored", 4, "Device 5 @ COM 3", "DEV319CM04C03", "B 1.0"},
      {2, 0x2A, 2, 12, "RIGHT", 10, Padded("RIGHT"), "DEV00D4M10C02", "V 2.12"},
      {1, 0x2F, 1, 16, "FIFTEEN", 15, Padded("FIFTEEN"), "DEV0074M15C01", "V 1.16"},
  };
  for (const auto& c : cases) {
    Search(c.port);
    Reply(c.devByte, c.major, c.minor, c.name);
    clock.Advance(Discovery::kSearchTimeoutMs);
    ASSERT_EQ(d().found.size(), 1u) << c.listed;
    EXPECT_EQ(d().found[0].caption, c.listed);
    EXPECT_EQ(current().deviceNumber, c.deviceNumber) << c.listed;
    EXPECT_EQ(current().textId, c.textId) << c.listed;
    EXPECT_EQ(d().view.versionText, c.version) << c.listed;
    EXPECT_EQ(d().view.deviceIndex, c.deviceNumber) << c.listed;
    EXPECT_EQ(d().linkKind, 1);
    EXPECT_TRUE(Logged("Connected thru COM port " + std::to_string(c.port)));
  }
}

TEST_F(DiscoveryTest, TheLastUsedUnitIsPickedAsSoonAsItAnswers) {
  MapSettings settings;
  settings.WriteString("Last", "Device", "DEV0074M03C01");
  settings.WriteInt("DEV0074M03C01", "Model", 116);
  settings.WriteInt("DEV0074M03C01", "DeviceNr", 3);
  settings.WriteString("DEV0074M03C01", "Name", "OLD NAME");
  d().LoadLastUsed(settings);
  EXPECT_EQ(editor.identity().lastUsed.name, "OLD NAME");

  Search();
  EXPECT_TRUE(d().searchPending);
  EXPECT_TRUE(editor.Busy());
  EXPECT_TRUE(ui.Saw("progress caption: Scanning Port COM 1 for KVNs"));
  EXPECT_EQ(ports.writes.back(), MakeSearch());
  Reply(0x01, 1, 16, "ZETA");
  Reply(0x03, 1, 16, "BETA");
  EXPECT_FALSE(d().searchPending);
  EXPECT_EQ(Captions(), (std::vector<std::string>{Padded("BETA"), Padded("ZETA")}));
  EXPECT_EQ(d().selected, 0);  // picked before the time-out
  EXPECT_TRUE(Logged("Connected to " + Padded("BETA")));
  clock.Advance(Discovery::kSearchTimeoutMs);
  EXPECT_EQ(d().selected, 0);
  EXPECT_FALSE(editor.Busy());
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_TRUE(d().view.synchronizeEnabled && d().view.nameBoxEnabled);

  MapSettings saved;
  d().SaveUnits(saved);
  EXPECT_EQ(saved.ReadString("Last", "Device", ""), "DEV0074M03C01");
  EXPECT_EQ(saved.ReadString("DEV0074M01C01", "Name", ""), Padded("ZETA"));
  EXPECT_EQ(saved.ReadInt("DEV0074M01C01", "DeviceNr", -1), 1);
}

TEST_F(DiscoveryTest, WithoutALastUsedMatchTheFirstByNameIsPickedAtTheTimeOut) {
  Search();
  Reply(0x02, 1, 16, "ZETA");
  Reply(0x05, 1, 16, "ALPHA");
  EXPECT_EQ(d().selected, -1);
  clock.Advance(Discovery::kSearchTimeoutMs);
  EXPECT_EQ(d().selected, 0);
  EXPECT_EQ(current().name, Padded("ALPHA"));
  EXPECT_EQ(editor.identity().lastUsed, current());
}

TEST_F(DiscoveryTest, ASilentLineEndsInTheVirtualRecordOnAbort) {
  editor.identity().lastUsed.deviceNumber = 6;
  Search();
  ui.Answer(MsgResult::Abort);
  clock.Advance(Discovery::kSearchTimeoutMs);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Could not connect to Korvan.\nCheck connection.");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::AbortRetry);
  EXPECT_TRUE(Logged("Check connection."));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Virtual"}));
  EXPECT_EQ(d().selected, 0);
  EXPECT_EQ(current().modelCode, 0);
  EXPECT_EQ(current().deviceNumber, 6);
  EXPECT_FALSE(d().view.synchronizeEnabled || d().view.deviceBoxEnabled);
  EXPECT_FALSE(editor.Busy());
  // Renumbering the stand-in is refused without a frame.
  const size_t writes = ports.writes.size();
  d().ChangeDeviceNumber(4);
  EXPECT_EQ(ports.writes.size(), writes);
}

TEST_F(DiscoveryTest, RetrySearchesAgain) {
  Search();
  ui.Answer(MsgResult::Retry);
  clock.Advance(Discovery::kSearchTimeoutMs);
  EXPECT_EQ(ports.writes.size(), 2u);
  EXPECT_TRUE(d().SearchTimerRunning());
  Reply(0x01, 1, 16, "UNIT");
  clock.Advance(Discovery::kSearchTimeoutMs);
  EXPECT_EQ(d().found.size(), 1u);
}

TEST_F(DiscoveryTest, RetryOnAPortThatCannotBeOpenedDoesNotNestSearches) {
  d().view.portBox = {"COM 7"};  // not present
  d().view.portSelection = 0;
  for (int i = 0; i < 1000; ++i) ui.Answer(MsgResult::Retry);
  d().StartSearch();
  clock.Advance(1000);
  EXPECT_GE(ui.boxes.size(), 1000u);
  EXPECT_EQ(ui.boxes.back().text, "Could not connect to Korvan.\nCheck connection.");
  EXPECT_EQ(d().found.size(), 1u);  // the last box was answered with Abort
  EXPECT_FALSE(editor.Busy());
}

TEST_F(DiscoveryTest, APortThatCannotBeOpenedIsASearchWithoutAnswers) {
  d().view.portBox = {"COM 7"};  // not present
  d().view.portSelection = 0;
  d().StartSearch();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Could not connect to Korvan.\nCheck connection.");
  EXPECT_FALSE(editor.Busy());
  EXPECT_FALSE(d().SearchTimerRunning());
  EXPECT_TRUE(ports.writes.empty());
}

TEST_F(DiscoveryTest, AnEchoedSearchShowsTheLoopBoxOnlyWhileSearching) {
  Search();
  Receive(MakeSearch());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "COM port in loop mode ?!?!");
  Reply(0x01, 1, 16, "UNIT");
  Receive(MakeSearch());
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(DiscoveryTest, ShortIdentityRepliesAreIgnored) {
  Search();
  Bytes cut = MakeIdentity(1, 1, 16, "UNIT");
  cut.erase(cut.begin() + 12, cut.end() - 1);
  Receive(cut);
  EXPECT_TRUE(d().found.empty());
  EXPECT_TRUE(d().searchPending);
  EXPECT_TRUE(Logged("Comm Error: identity reply of 13 bytes ignored"));
  // A unit without a name needs no name bytes.
  Receive({0xF0, 0x7D, 0, 0, 0x02, 0x0E, 0x00, 127, 0, 0xF7});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Device 3 @ COM 1"}));
}

TEST_F(DiscoveryTest, RenumberingAndRenamingReachTheUnitAndTheList) {
  Search();
  Reply(0x02, 1, 16, "MIDDLE");
  Reply(0x03, 1, 16, "LAST");
  clock.Advance(Discovery::kSearchTimeoutMs);
  ASSERT_EQ(current().name, Padded("LAST"));
  ports.writes.clear();

  d().ChangeDeviceNumber(4);
  EXPECT_EQ(ports.writes.back(), (Bytes{0xF0, 0x7D, 0, 0, 0x03, 0x0E, 0x22, 4, 0xF7}));
  EXPECT_EQ(current().deviceNumber, 4);
  EXPECT_EQ(d().found[d().selected].record.deviceNumber, 4);

  d().RenameUnit("A NAME OF TWENTY CHS");
  EXPECT_EQ(current().name, "A NAME OF TWENTY");
  EXPECT_EQ(d().view.nameText, "A NAME OF TWENTY");
  EXPECT_EQ(ports.writes.back(), MakeSetName(4, "A NAME OF TWENTY"));
  // The list stays sorted, the renamed unit still selected.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A NAME OF TWENTY", Padded("MIDDLE")}));
  EXPECT_EQ(d().selected, 0);

  d().RenameUnit("TEN CHARS!");
  EXPECT_EQ(ports.writes.back(), MakeSetName(4, "TEN CHARS!      "));
}

TEST_F(DiscoveryTest, SearchButtonTakesTheLowestPresentPort) {
  ports.present = {5, 12};
  d().ScanPorts();
  EXPECT_EQ(d().view.portBox, (std::vector<std::string>{"COM 12", "COM 5"}));
  d().SearchButton();
  EXPECT_EQ(d().ChosenPort(), 5);
  EXPECT_EQ(editor.port().openedPort, 5);
  EXPECT_TRUE(d().searchPending);
}

TEST(VersionText, MajorAndMinor) {
  EXPECT_EQ(VersionText(105), "V 1.05");
  EXPECT_EQ(VersionText(212), "V 2.12");
  EXPECT_EQ(VersionText(110), "V 1.10");
  EXPECT_EQ(VersionText(12700), "B 1.0");
}

TEST(IniSettings, KeepsSectionsAndKeysAcrossAFileRoundTrip) {
  TempDir dir;
  const std::string path = dir.path() + "/korvan.ini";
  {
    IniSettings s(path);
    EXPECT_FALSE(s.HasSection("Last"));
    s.WriteString("Last", "Device", "DEV0074M00C01");
    s.WriteInt("DEV0074M00C01", "Model", 116);
    s.WriteString("DEV0074M00C01", "Name", "KORVAN SIM      ");
    ASSERT_TRUE(s.Flush());
  }
  IniSettings s(path);
  EXPECT_EQ(s.ReadString("Last", "Device", ""), "DEV0074M00C01");
  EXPECT_EQ(s.ReadInt("DEV0074M00C01", "Model", 0), 116);
  EXPECT_EQ(s.ReadString("DEV0074M00C01", "Name", ""), "KORVAN SIM      ");
  EXPECT_EQ(s.ReadInt("DEV0074M00C01", "Name", -5), -5);  // not a number
}

}  // namespace
}  // namespace korvan::test
