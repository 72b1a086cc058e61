// The connect dialog's logic: sequences in both directions, reply timers and their messages,
// Cancel, the settings it reads and writes, linking on close, the firmware update.

#include "transfer/connect_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/map_settings.h"
#include "link/sysex.h"
#include "transfer/block_stream.h"
#include "transfer/transfer_fixture.h"
#include "transfer/transfers.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

class ConnectDialogTest : public TransferTest {
 protected:
  ConnectDialog& dlg() { return editor.connect(); }
  Transfers& t() { return editor.transfers(); }
  // Requests of the editor to the unit, in order, as "block K T", "file K", "announce K".
  std::vector<std::string> Requests() const {
    std::vector<std::string> out;
    for (const auto& w : ports.writes) {
      if (w.size() < 9) continue;
      if (w[6] == SYSEX_BLOCK_REQUEST && Join14(w[8], w[9]) == 0)
        out.push_back("block " + std::to_string(w[7]));
      if (w[6] == SYSEX_FILE_REQUEST) out.push_back("file " + std::to_string(w[7]));
      if (w[6] == SYSEX_FILE_ANNOUNCE) out.push_back("announce " + std::to_string(w[7]));
      if (w[6] == SYSEX_DATA_BLOCK && Join14(w[11], w[12]) == 0)
        out.push_back("send " + std::to_string(w[7]));
    }
    return out;
  }
  void Edit(int modix, int mcix, int v) {
    editor.model().EditValue(editor.model().Ctrl(modix, mcix), v);
    editor.model().ProcessChanges();
  }
};

TEST_F(ConnectDialogTest, KorvanToPcMovesCardInternalAndCurrentWithoutPauses) {
  dlg().SynchronizeClick(true);
  EXPECT_TRUE(editor.Busy());
  Pump(3000);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"file 0", "block 0", "block 1"}));
  EXPECT_EQ(PackOf(editor, 0, kMediumDisk), *unit.card);
  EXPECT_EQ(PackOf(editor, 0, kMediumSerial), unit.internal);
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
  EXPECT_FALSE(t().sequenceRunning);
  EXPECT_FALSE(editor.Busy());
  EXPECT_TRUE(dlg().view.stayInSyncEnabled);
  EXPECT_TRUE(ui.Saw("progress caption: Synchronizing Card Presets"));
  EXPECT_TRUE(ui.Saw("progress caption: Synchronizing Current Settings"));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ConnectDialogTest, NoCardIsReportedAndTheSequenceGoesOn) {
  unit.card.reset();
  const Bytes cardBefore = PackOf(editor, 0, kMediumDisk);
  dlg().SynchronizeClick(true);
  Pump(ConnectDialog::kUploadTimeoutMs + 2000);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "No Card Presets Found");
  EXPECT_EQ(PackOf(editor, 0, kMediumDisk), cardBefore);
  EXPECT_EQ(PackOf(editor, 0, kMediumSerial), unit.internal);
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
  EXPECT_FALSE(editor.Busy());
}

TEST_F(ConnectDialogTest, AUnitThatStopsAnsweringLeavesTheModelUntouched) {
  dlg().view.cardPresets = dlg().view.internalPresets = false;
  unit.stopAfterBlock = 0;
  const int before = editor.model().Ctrl(7, 2).value;
  dlg().SynchronizeClick(true);
  Pump(ConnectDialog::kUploadTimeoutMs + 200);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "No response from UNIT !!\nCheck connection.");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Abort);
  EXPECT_TRUE(Logged("Check connection."));
  EXPECT_FALSE(editor.Busy());
  // The abandoned receive is over: the missing blocks coming late change nothing.
  for (unsigned k = 1; k < BlockCount(unit.current.size()); ++k)
    Receive(DataBlockFrame(unit.current, 1, 0, k));
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, before);
  EXPECT_FALSE(t().sequenceRunning);
  EXPECT_EQ(t().receivingSet, 0);
}

TEST_F(ConnectDialogTest, PcToKorvanAsksBeforePresetsAndPausesByFreeProcessing) {
  Edit(8, 2, 77);
  dlg().view.toUnit = true;
  ui.Answer(MsgResult::Cancel);
  dlg().SynchronizeClick(true);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "KVN-presets will be overwritten!");
  EXPECT_TRUE(ports.writes.empty());
  EXPECT_FALSE(editor.Busy());

  struct Case {
    int free, pauseMs;
  };
  for (const Case c : {Case{10, 2500}, Case{25, 500}, Case{0, 4500}}) {
    editor.SetFreeEqProcessing(c.free);
    ui.Clear();
    unit.received.clear();
    dlg().SynchronizeClick(true);  // OK
    Pump(200);
    // Card presets first (after the unit's file request), then a pause before the next set.
    EXPECT_EQ(unit.received.count(kSetCard), 1u) << c.free;
    EXPECT_EQ(unit.received.count(kSetInternal), 0u) << c.free;
    EXPECT_EQ(dlg().SendTimerInterval(), c.pauseMs);
    const size_t starts = Requests().size();
    Pump(c.pauseMs - 300);
    EXPECT_EQ(Requests().size(), starts) << c.free;  // still pausing
    Pump(2000);
    EXPECT_EQ(unit.received.count(kSetInternal), 1u) << c.free;
    Pump(2 * c.pauseMs + 2000);
    EXPECT_FALSE(editor.Busy()) << c.free;
  }
  EXPECT_EQ(unit.received.at(kSetCurrent), PackOf(editor, 1, kMediumSerial));
  EXPECT_EQ(unit.received.at(kSetInternal), PackOf(editor, 0, kMediumSerial));
  EXPECT_EQ(unit.received.at(kSetCard), PackOf(editor, 0, kMediumDisk));
  EXPECT_TRUE(Logged("Waiting for KVN finished"));
  EXPECT_EQ(LogLines(dir.path() + "/test.txt").back(), "Ok..");
}

TEST_F(ConnectDialogTest, CurrentSetAloneGoesAtOnceWithoutAWarning) {
  dlg().view.toUnit = true;
  dlg().view.cardPresets = dlg().view.internalPresets = false;
  dlg().SynchronizeClick(true);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"send 1"}));
  Pump(100);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(editor.Busy());  // the pause after the last set
  Pump(dlg().SendTimerInterval());
  EXPECT_FALSE(editor.Busy());
}

TEST_F(ConnectDialogTest, ALockedUnitRefusesEverySend) {
  editor.SetLockState(1);
  dlg().view.toUnit = true;
  dlg().SynchronizeClick(true);
  editor.SetRemoteMode(0x80);
  editor.SyncToPcExecute();
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "UNIT\n\nis locked !");
  EXPECT_EQ(ui.boxes[1].text, "UNIT\n\nis locked !");
  EXPECT_TRUE(ports.writes.empty());
  EXPECT_FALSE(editor.Busy());
}

TEST_F(ConnectDialogTest, AUnitThatStopsAskingGivesRetryOrCancel) {
  unit.asksForBlocks = false;
  dlg().view.toUnit = true;
  dlg().view.cardPresets = dlg().view.internalPresets = false;
  ui.Answer(MsgResult::Abort);
  dlg().SynchronizeClick(true);
  Pump(ConnectDialog::kDownloadTimeoutMs + 100);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "!! File sending not completed !!\nCheck connection.");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::AbortRetry);
  EXPECT_TRUE(t().stopServing && t().receiveCancelled);
  EXPECT_TRUE(Logged("Check connection."));
  EXPECT_FALSE(editor.Busy());

  // Retry searches the chosen port again.
  editor.discovery().view.portBox = {"COM 1"};
  editor.discovery().view.portSelection = 0;
  ui.Answer(MsgResult::Retry);
  dlg().SynchronizeClick(true);
  Pump(ConnectDialog::kDownloadTimeoutMs + 100);
  EXPECT_TRUE(editor.discovery().searchPending);
  EXPECT_EQ(ports.writes.back(), MakeSearch());
}

TEST_F(ConnectDialogTest, CancelDropsTheReceiveAndFreesItsBuffer) {
  dlg().view.cardPresets = false;
  unit.stopAfterBlock = 2;
  dlg().SynchronizeClick(true);
  Pump(300);
  EXPECT_TRUE(ui.progressVisible);
  dlg().CancelClick();
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_FALSE(t().receiver.HasBuffer());
  EXPECT_FALSE(editor.Busy());
  EXPECT_EQ(LogLines(dir.path() + "/test.txt").back(), "Connected thru COM port 1");
}

TEST_F(ConnectDialogTest, OpeningReadsAndClosingWritesTheSettings) {
  MapSettings s;
  dlg().Open(s);
  // A first start: no search, the first port chosen, the defaults kept.
  EXPECT_EQ(editor.RemoteMode(), 0);
  EXPECT_FALSE(editor.discovery().searchPending);
  EXPECT_EQ(editor.discovery().view.portSelection, 0);
  EXPECT_FALSE(dlg().view.toUnit);
  EXPECT_TRUE(dlg().view.currentSet && dlg().view.internalPresets && dlg().view.cardPresets);
  EXPECT_TRUE(dlg().view.stayInSync);
  EXPECT_FALSE(dlg().view.stayInSyncEnabled);
  EXPECT_FALSE(editor.MainWindowVisible());
  // The found list as a search would leave it.
  IdentityRecord two = editor.identity().current;
  two.textId = "DEV0074M04C01";
  two.deviceNumber = 4;
  two.name = "TWO";
  editor.discovery().found.push_back(FoundEntry{"TWO", two});
  editor.port().portNumber = 1;
  dlg().view.internalPresets = false;
  dlg().Close(s);
  const std::map<std::string, MapSettings::Section> want = {
      {"Communication", {{"Medium", "1"}, {"ComPort", "1"}}},
      {"Remote",
       {{"InSync", "1"},
        {"Direction", "1"},
        {"DataSet", "1"},
        {"SyncInternPresets", "0"},
        {"SyncCardPresets", "1"}}},
      {"Last", {{"Device", "DEV0074M00C01"}}},
      {"DEV0074M00C01", {{"Model", "116"}, {"DeviceNr", "0"}, {"Name", "UNIT"}}},
      {"DEV0074M04C01", {{"Model", "116"}, {"DeviceNr", "4"}, {"Name", "TWO"}}},
  };
  EXPECT_EQ(s.Sections(), want);
  // Linked: one remote-mode frame, the connected caption.
  EXPECT_EQ(ports.writes.back(), MakeRemoteMode(0, 0x40));
  EXPECT_EQ(editor.RemoteMode(), 0x80);
  EXPECT_EQ(dlg().view.mainCaption, "Korvan Remote: Connected To UNIT");
  EXPECT_TRUE(dlg().view.quickSyncEnabled);
  EXPECT_TRUE(editor.MainWindowVisible());
  EXPECT_FALSE(editor.ConnectDialogActive());

  // Reopened with these settings: direction, boxes and the port's search.
  dlg().view = ConnectView{};
  s.WriteInt("Remote", "Direction", 0);
  dlg().Open(s);
  EXPECT_TRUE(dlg().view.toUnit);
  EXPECT_FALSE(dlg().view.internalPresets);
  EXPECT_EQ(editor.RemoteMode(), 0);
  EXPECT_TRUE(editor.discovery().searchPending);
}

TEST_F(ConnectDialogTest, ClosingLinksOnlyARealUnit) {
  MapSettings s;
  struct Case {
    bool virtualEntry, stay;
    const char* caption;
  };
  for (const Case c : {Case{true, true, "Korvan Remote: Stand Alone Mode"},
                       Case{false, false, "Korvan Remote: Stand Alone Mode"},
                       Case{false, true, "Korvan Remote: Connected To UNIT"}}) {
    editor.SetRemoteMode(0);
    IdentityRecord rec = editor.discovery().found[0].record;
    if (c.virtualEntry) rec = IdentityRecord::Virtual();
    editor.identity().current = rec;
    ports.writes.clear();
    dlg().view.stayInSync = c.stay;
    dlg().Close(s);
    EXPECT_EQ(dlg().view.mainCaption, c.caption);
    EXPECT_EQ(ports.writes.empty(), std::string(c.caption).find("Stand") != std::string::npos);
    EXPECT_EQ(editor.port().IsOpen(), !ports.writes.empty());
  }
}

TEST_F(ConnectDialogTest, QuickCommandsMoveTheCurrentSetOnlyWhileLinked) {
  editor.SyncToKVNExecute();
  editor.SyncToPcExecute();
  EXPECT_TRUE(ports.writes.empty());
  editor.SetRemoteMode(0x80);
  editor.SyncToKVNExecute();
  Pump(500);
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
  // A loaded set goes to the unit; a recalled preset too.
  const std::string path = dir.path() + "/set.xpc";
  Edit(8, 2, 66);
  ui.fileNames = {path, path};
  ASSERT_TRUE(editor.files().SaveSet());
  ASSERT_TRUE(editor.files().LoadSet());
  Pump(500);
  EXPECT_EQ(unit.received.at(kSetCurrent), PackOf(editor, 1, kMediumSerial));
  unit.received.clear();
  editor.presets().RecallPreset(kInternalBank, 1);
  Pump(500);
  EXPECT_EQ(unit.received.at(kSetCurrent), PackOf(editor, 1, kMediumSerial));
  EXPECT_FALSE(editor.Busy());
}

TEST_F(ConnectDialogTest, NotEnoughEqBandsReReadsTheUnitsCurrentSet) {
  editor.SetRemoteMode(0x80);
  Bytes report(16, 0);
  report[13] = 50;
  report[14] = 13;  // "Not enough EQ-bands available"
  report[15] = 1;
  Receive(MakeStatus(0, report));
  EXPECT_EQ(ui.popupWhy, "Not enough EQ-bands available");
  Pump(500);
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
  EXPECT_EQ(PackOf(editor, 1, kMediumSerial), unit.current);
}

TEST_F(ConnectDialogTest, FirmwareUpdateSendsTheFileAndAsksForARestart) {
  Bytes image(100000);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  const std::string path = dir.path() + "/UPDATE.BIN";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()),
             static_cast<std::streamsize>(image.size()));
  // Refusals first: a name of another kind, a cancelled confirmation.
  ui.fileNames = {path + ".OLD", path};
  dlg().UpdateClick();
  ui.Answer(MsgResult::Cancel);
  dlg().UpdateClick();
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[0].text, path + ".OLD\nFile error:      \n\nFile has Illegal data");
  EXPECT_EQ(ui.boxes[1].text, "This will overwrite the Korvan\nwith a new program");
  EXPECT_EQ(ui.boxes[2].text, path + "\nFile error:      \n\nNo File Loaded");
  EXPECT_TRUE(ports.writes.empty());

  ui.Clear();
  editor.SetRemoteMode(0x80);
  ui.fileNames = {path};
  dlg().UpdateClick();
  Pump(10000);
  EXPECT_EQ(unit.received.at(8), image);
  EXPECT_EQ(Written(SYSEX_DATA_BLOCK).size(), 115u);
  EXPECT_TRUE(ui.Saw("progress cancel: hidden"));
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1].text, "Please Restart the Korvan");
  EXPECT_EQ(editor.RemoteMode(), 0);
  EXPECT_FALSE(editor.Busy());
  EXPECT_TRUE(Logged("ProgUpdate.."));
}

// Files of the backup folder whose names start with prefix, with their contents.
std::vector<Bytes> Backups(const std::string& folder, const std::string& prefix) {
  std::vector<Bytes> out;
  if (!std::filesystem::exists(folder)) return out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().filename().string().rfind(prefix, 0) != 0) continue;
    std::ifstream in(e.path(), std::ios::binary);
    out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return out;
}

TEST_F(ConnectDialogTest, NothingIsOverwrittenWithoutACopyInTheBackupFolder) {
  const std::string folder = dir.path() + "/backups";
  editor.SetBackupFolder(folder);
  const Bytes editorSet = PackOf(editor, 1, kMediumSerial);
  const Bytes editorInternal = PackOf(editor, 0, kMediumSerial);
  // Korvan -> PC: the editor's own copies are kept before the unit's replace them.
  dlg().view.cardPresets = false;
  dlg().SynchronizeClick(true);
  Pump(3000);
  EXPECT_EQ(Backups(folder, "editor-current-"), std::vector<Bytes>{editorSet});
  EXPECT_EQ(Backups(folder, "editor-internal-"), std::vector<Bytes>{editorInternal});

  // PC -> Korvan: the unit's copies are pulled first, then overwritten.
  Edit(8, 2, 55);
  const Bytes unitSet = unit.current;
  dlg().view.toUnit = true;
  dlg().view.internalPresets = false;
  dlg().SynchronizeClick(true);
  Pump(8000);
  EXPECT_EQ(Backups(folder, "unit1-current-"), std::vector<Bytes>{unitSet});
  EXPECT_EQ(unit.received.at(kSetCurrent), PackOf(editor, 1, kMediumSerial));
  EXPECT_FALSE(editor.Busy());

  // A unit that does not answer the backup's request gets nothing sent.
  unit.received.clear();
  unit.stopAfterBlock = 0;
  dlg().SynchronizeClick(true);
  Pump(ConnectDialog::kUploadTimeoutMs + 1000);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().text, "No response from UNIT !!\nCheck connection.");
  EXPECT_TRUE(unit.received.empty());
  EXPECT_FALSE(editor.Busy());
}

}  // namespace
}  // namespace korvan::test
