// The block protocol against a scripted unit: requests, checksums, limits and faults.

#include <gtest/gtest.h>

#include "link/sysex.h"
#include "transfer/block_stream.h"
#include "transfer/transfer_fixture.h"
#include "transfer/transfers.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

class BlockEngineTest : public TransferTest {
 protected:
  Transfers& t() { return editor.transfers(); }
  void StartReceive(int code) {
    t().receiveCancelled = false;
    t().receivingSet = code;
    t().ReceiveDataSet(1, code);
  }
  void StartSend(int code) {
    t().stopServing = false;
    t().sendingSet = code;
    t().SendDataSet(1, code);
  }
};

TEST_F(BlockEngineTest, EachDataSetArrivesWholeAndIsNotSentBack) {
  struct Case {
    int code;
    const char* what;
  };
  for (const Case c :
       {Case{kSetCurrent, "current"}, Case{kSetInternal, "internal"}, Case{kSetCard, "card"}}) {
    const size_t blocksBefore = Written(SYSEX_DATA_BLOCK).size();
    StartReceive(c.code);
    Pump(2000);
    const Bytes& image = c.code == kSetCurrent    ? unit.current
                         : c.code == kSetInternal ? unit.internal
                                                  : *unit.card;
    const Bytes got = c.code == kSetCurrent    ? PackOf(editor, 1, kMediumSerial)
                      : c.code == kSetInternal ? PackOf(editor, 0, kMediumSerial)
                                               : PackOf(editor, 0, kMediumDisk);
    EXPECT_EQ(got, image) << c.what;

    EXPECT_EQ(Written(SYSEX_DATA_BLOCK).size(), blocksBefore) << c.what;
    EXPECT_EQ(t().receivingSet, 0);
    EXPECT_FALSE(editor.Busy());
  }
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
  EXPECT_EQ(editor.SyncToPcRequests(), 0);
  EXPECT_TRUE(Logged("  Receiving file"));
  EXPECT_TRUE(Logged("Connected thru COM port 1"));
  // The bank image is several blocks: the progress window showed and closed.
  EXPECT_TRUE(ui.Saw("progress shown"));
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(BlockEngineTest, ABlockWithABadChecksumIsAskedForAgain) {
  unit.corruptBlock = 1;
  StartReceive(kSetInternal);
  Pump(2000);
  EXPECT_EQ(PackOf(editor, 0, kMediumSerial), unit.internal);
  const auto requests = Written(SYSEX_BLOCK_REQUEST);
  ASSERT_GE(requests.size(), 3u);
  EXPECT_EQ(requests[1], MakeBlockRequest(0, 0, 1));
  EXPECT_EQ(requests[2], MakeBlockRequest(0, 0, 1));
  const Bytes block1 = DataBlockFrame(unit.internal, 0, 0, 1);
  const int good = block1[block1.size() - 2];
  EXPECT_TRUE(
      Logged("    1000 Checksum error " + std::to_string(good ^ 1) + " : " + std::to_string(good)));
}

TEST_F(BlockEngineTest, BlocksThatAreNotWantedAreDropped) {
  StartReceive(kSetCurrent);
  Bytes frame = DataBlockFrame(unit.current, 1, 0, 0);
  Bytes notOne = frame;
  notOne[8] = 2;
  Bytes wrongNumber = DataBlockFrame(unit.internal, 0, 0, 1);
  Bytes oversized(13, 0);
  std::copy(frame.begin(), frame.begin() + 13, oversized.begin());
  oversized.insert(oversized.end(), 1001, 0x01);
  oversized.push_back(0x00);
  oversized.push_back(0xF7);
  Bytes truncated(frame.begin(), frame.begin() + 9);
  truncated.push_back(0xF7);
  for (const Bytes& f : {notOne, wrongNumber, oversized, truncated}) Receive(f);
  EXPECT_NE(editor.model().Ctrl(7, 2).value, 120);
  EXPECT_TRUE(Logged("nrbytes > SYS_EX_BLOCKSIZE"));
  EXPECT_EQ(editor.transfers().receiver.blockNo, 0);
  // A cancelled receive takes nothing, even the wanted block.
  t().receiveCancelled = true;
  Receive(frame);
  EXPECT_NE(editor.model().Ctrl(7, 2).value, 120);
  t().receiveCancelled = false;
  for (unsigned k = 0; k < BlockCount(unit.current.size()); ++k)
    Receive(DataBlockFrame(unit.current, 1, 0, k));
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, 120);
}

TEST_F(BlockEngineTest, AStreamThatCannotBeDecodedIsReportedAndNotApplied) {
  const int before = editor.model().Ctrl(7, 2).value;
  StartReceive(kSetCurrent);
  // The first block alone, announced as the only one: its length group promises more.
  const Bytes stream = EncodeStream(unit.current, 0, kBlockStreamBytes);
  const Bytes frame = MakeDataBlock(0, 1, 1, 0, stream, BlockChecksum(stream));
  Receive(frame);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "\nFile error:      \n\nFile has Illegal data");
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, before);
  EXPECT_FALSE(editor.Busy());
  // A total of 0 blocks is illegal too.
  StartReceive(kSetCurrent);
  Receive(MakeDataBlock(0, 1, 0, 0, stream, BlockChecksum(stream)));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(editor.model().Ctrl(7, 2).value, before);
}

TEST_F(BlockEngineTest, SendingAnswersEachRequestAndStopsServingAtTheEnd) {
  Model& m = editor.model();
  m.EditValue(m.Ctrl(8, 2), 77);
  m.ProcessChanges();
  StartSend(kSetInternal);
  Pump(2000);
  EXPECT_EQ(unit.received.at(kSetInternal), PackOf(editor, 0, kMediumSerial));
  EXPECT_TRUE(t().stopServing);
  EXPECT_EQ(t().sendingSet, 0);
  EXPECT_TRUE(Logged("Sync Pc -> Korvan.."));
  EXPECT_TRUE(Logged("  Sending ..."));
  // A finished send is not served again.
  const size_t frames = Written(SYSEX_DATA_BLOCK).size();
  Receive(MakeBlockRequest(0, 0, 1));
  EXPECT_EQ(Written(SYSEX_DATA_BLOCK).size(), frames);
}

TEST_F(BlockEngineTest, RequestsOutsideTheImageOrOfAnotherKindAreIllegal) {
  unit.asksForBlocks = false;
  StartSend(kSetInternal);
  Pump(100);
  const unsigned blocks = BlockCount(editor.transfers().sender.size);
  const size_t frames = Written(SYSEX_DATA_BLOCK).size();
  ASSERT_EQ(frames, 1u);
  for (const Bytes& request :
       {MakeBlockRequest(0, 1, 1), MakeBlockRequest(0, 0, blocks), MakeBlockRequest(0, 0, 16383)}) {
    ui.boxes.clear();
    Receive(request);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "\nFile error:      \n\nFile has Illegal data");
  }
  EXPECT_EQ(Written(SYSEX_DATA_BLOCK).size(), frames);
  // Nothing to send.
  ui.boxes.clear();
  t().sender.FreeBuffer();
  t().sender.size = 0;
  t().ServeBlockRequest(0, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "\nFile error:      \n\nNo File to Send");
}

TEST_F(BlockEngineTest, CardPresetsGoOutOnlyAfterTheUnitsFileRequest) {
  StartSend(kSetCard);
  ASSERT_EQ(Written(SYSEX_FILE_ANNOUNCE).size(), 1u);
  EXPECT_EQ(Written(SYSEX_FILE_ANNOUNCE)[0], MakeFileAnnounce(0, 0, "PRESETS"));
  EXPECT_TRUE(Written(SYSEX_DATA_BLOCK).empty());
  EXPECT_TRUE(editor.connect().UploadTimerRunning());
  Pump(2000);
  ASSERT_FALSE(Written(SYSEX_DATA_BLOCK).empty());
  EXPECT_EQ(Written(SYSEX_DATA_BLOCK)[0][7], 0);
  EXPECT_EQ(unit.received.at(kSetCard), PackOf(editor, 0, kMediumDisk));
  EXPECT_FALSE(editor.connect().UploadTimerRunning());
}

TEST_F(BlockEngineTest, NoLinkKindSendsNothing) {
  t().SendDataSet(0, kSetCurrent);
  t().ReceiveDataSet(0, kSetCurrent);
  EXPECT_TRUE(ports.writes.empty());
  EXPECT_GT(t().sender.size, 0u);
  EXPECT_EQ(LogLines(dir.path() + "/test.txt").back(), "No communications port selected");
}

TEST_F(BlockEngineTest, ProgressShowsFromSixBlocksWithTheBarAndPercentage) {
  // 5 blocks: only the hourglass; 6 blocks: the window.
  for (unsigned bytes : {4000u, 4500u}) {
    ui.Clear();
    const Bytes image(bytes, 0xAB);
    const unsigned total = BlockCount(bytes);
    t().receiveCancelled = false;
    t().receiver.blockNo = 0;
    for (unsigned k = 0; k < total; ++k) Receive(DataBlockFrame(image, 2, 0, k));
    EXPECT_EQ(ui.Saw("progress shown"), total >= 6) << total;
    EXPECT_TRUE(ui.Saw("progress bar: " + std::to_string(total) + "/" + std::to_string(total)));
    EXPECT_TRUE(ui.Saw("progress %: 100%"));
  }
  EXPECT_TRUE(ui.Saw("progress %: 17%"));  // block 1 of 6
}

}  // namespace
}  // namespace korvan::test
