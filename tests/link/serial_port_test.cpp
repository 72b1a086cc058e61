#include "link/serial_port.h"

#include <gtest/gtest.h>

#include "link/sysex.h"
#include "support/link_fixture.h"

namespace korvan::test {
namespace {

using SerialPortTest = LinkTest;
using Events = std::vector<std::string>;

TEST_F(SerialPortTest, RtsStaysUpThroughBackToBackWritesAndDrops5msAfterTheLast) {
  OpenCom1();
  const Frame f = MakeSearch();
  editor.port().WriteFrame(f);
  clock.Advance(1);
  editor.port().WriteFrame(f);
  clock.Advance(4);  // 5 ms after the first write: its timer was re-armed by the second
  EXPECT_EQ(ports.events, (Events{"rts 1", "write 8", "rts 1", "write 8"}));
  clock.Advance(1);
  EXPECT_EQ(ports.events, (Events{"rts 1", "write 8", "rts 1", "write 8", "rts 0"}));
}

TEST_F(SerialPortTest, WritesOnAClosedPortSendNothing) {
  EXPECT_EQ(editor.port().WriteFrame(MakeSearch()), -1);
  editor.port().PrepareFrame(9)[0] = 0xF0;
  editor.port().SendPreparedFrame();
  EXPECT_TRUE(ports.writes.empty());
  EXPECT_FALSE(editor.port().OpenPort());  // portNumber 0: not even tried
  EXPECT_EQ(ports.openCount, 0);
}

TEST_F(SerialPortTest, PreparedFrameIsSentOnceAndReleased) {
  OpenCom1();
  uint8_t* p = editor.port().PrepareFrame(3);
  p[0] = 0xF0, p[1] = 0x01, p[2] = 0xF7;
  editor.port().SendPreparedFrame();
  editor.port().SendPreparedFrame();
  ASSERT_EQ(ports.writes.size(), 1u);
  EXPECT_EQ(ports.writes[0], (std::vector<uint8_t>{0xF0, 0x01, 0xF7}));
}

TEST_F(SerialPortTest, ScanListsPortsSortedAsTextAndSetsTheMask) {
  ports.present = {1, 3, 12};
  std::vector<std::string> box;
  editor.port().ScanPorts(box);
  EXPECT_EQ(box, (std::vector<std::string>{"COM 1", "COM 12", "COM 3"}));
  EXPECT_EQ(editor.port().presentMask, 0b100000000101u);
  EXPECT_EQ(ports.openNow, 0);
  EXPECT_TRUE(Logged("Looking for COM ports .."));
}

TEST_F(SerialPortTest, APortThatRejectsTheSettingsStaysClosed) {
  ports.rejecting = {1};
  editor.port().portNumber = 1;
  EXPECT_FALSE(editor.port().OpenPort());
  ports.rejecting.clear();
  EXPECT_TRUE(editor.port().OpenPort());
  EXPECT_EQ(editor.port().openedPort, 1);
}

TEST_F(SerialPortTest, CloseLogsStopsCommTimerAndReopenGivesAnEmptyBuffer) {
  OpenCom1();
  EXPECT_TRUE(editor.port().CommTimerRunning());
  Receive({0xF0, 0x7D, 0x00});  // half a frame stays in the buffer
  EXPECT_EQ(editor.port().Buffer()->fill, 3u);
  editor.port().ClosePort();
  EXPECT_TRUE(Logged("Closing COM port."));
  EXPECT_FALSE(editor.port().CommTimerRunning());
  EXPECT_EQ(editor.port().Buffer(), nullptr);
  ASSERT_TRUE(editor.port().OpenPort());
  EXPECT_EQ(editor.port().Buffer()->fill, 0u);
}

}  // namespace
}  // namespace korvan::test
