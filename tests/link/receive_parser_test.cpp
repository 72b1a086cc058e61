#include "link/receive_parser.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "link/sysex.h"
#include "support/link_fixture.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

// Records what reaches the sink.
struct RecordingSink : FrameSink {
  void Dispatch(std::span<const uint8_t> frame) override {
    frames.emplace_back(frame.begin(), frame.end());
  }
  std::vector<Bytes> frames;
};

class ReceiveParserTest : public LinkTest {
 protected:
  ReceiveParserTest() {
    editor.port().SetTickHandler([this] { parser.ReceiveTick(); });
  }
  RecordingSink sink;
  ReceiveParser parser{editor.port(), editor.texter(), sink};
};

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kSearch = MakeSearch();
const Bytes kIdentity = MakeIdentity(1, 1, 16, "UNIT ONE");
const Bytes kStatus = MakeStatus(2, Bytes(16, 1));

TEST_F(ReceiveParserTest, ValidStreamsGiveTheSameFramesWhereverAReadSplitsThem) {
  struct Case {
    const char* what;
    Bytes stream;
    std::vector<Bytes> frames;
  };
  const Case cases[] = {
      {"one frame", kIdentity, {kIdentity}},
      {"two frames back to back", Cat({kSearch, kStatus}), {kSearch, kStatus}},
      {"three frames", Cat({kStatus, kIdentity, kSearch}), {kStatus, kIdentity, kSearch}},
  };
  for (const auto& c : cases) {
    for (size_t cut = 0; cut <= c.stream.size(); ++cut) {
      sink.frames.clear();
      OpenCom1();
      Receive(Bytes(c.stream.begin(), c.stream.begin() + cut));
      Receive(Bytes(c.stream.begin() + cut, c.stream.end()));
      EXPECT_EQ(sink.frames, c.frames) << c.what << ", cut at " << cut;
      EXPECT_EQ(editor.port().Buffer()->fill, 0u);
      editor.port().ClosePort();
    }
  }
}

TEST_F(ReceiveParserTest, BrokenInputIsLoggedAndDropped) {
  struct Case {
    const char* what;
    std::vector<Bytes> reads;
    std::vector<Bytes> frames;
    const char* logLine;
  };
  const Case cases[] = {
      {"junk before F0 empties the buffer",
       {Cat({{0xFE}, kSearch})},
       {},
       "Comm Error: command error 0 FE F0 7D 0"},
      {"a lost F7: the next frame's F0 restarts",
       {Cat({{0xF0, 0x7D, 0x00}, kSearch}), {}},
       {kSearch},
       "Comm Error: Sys start recursive"},
      {"nested F0 inside a frame: the inner frame is dispatched without waiting for more bytes",
       {Cat({{0xF0, 0x7D}, kStatus})},
       {kStatus},
       "Comm Error: Sys start recursive"},
      {"text frame, control characters as spaces",
       {{0xF0, 0x7E, 'h', 'i', 0x01, '!', 0xF7}},
       {},
       "~hi !"},
      {"frames too short for a header are text", {{0xF0, 0xF7, 0xF0, 0x7D, 0xF7}}, {}, "}"},
  };
  for (const auto& c : cases) {
    sink.frames.clear();
    OpenCom1();
    for (const auto& r : c.reads) Receive(r);
    Receive({});
    EXPECT_EQ(sink.frames, c.frames) << c.what;
    EXPECT_TRUE(Logged(c.logLine)) << c.what;
    editor.port().ClosePort();
  }
}

TEST_F(ReceiveParserTest, NothingIsReadBeyondTheBufferAndAnOverfullBufferIsReset) {
  OpenCom1();
  Receive(Bytes(4000, 0x01));  // starts with junk: dropped at once
  Bytes unfinished{0xF0};
  unfinished.resize(4000, 0x11);
  Receive(unfinished);
  EXPECT_EQ(editor.port().Buffer()->fill, 4000u);
  Receive(Cat({Bytes(200, 0x11), {0xF7}, kSearch}));
  EXPECT_TRUE(Logged("Read Comm Error: forced buffer reset"));
  // The reset dropped the long frame's start; its tail is junk, so the whole read goes too.
  EXPECT_TRUE(sink.frames.empty());
  Receive(kSearch);
  EXPECT_EQ(sink.frames, (std::vector<Bytes>{kSearch}));
}

TEST_F(ReceiveParserTest, AHangUpClosesThePortWithALogLine) {
  OpenCom1();
  ports.hungUp = true;
  clock.Advance(SerialPort::kCommIntervalMs);
  EXPECT_FALSE(editor.port().IsOpen());
  EXPECT_TRUE(Logged("Comm Error: line hung up"));
  EXPECT_TRUE(Logged("Closing COM port."));
  EXPECT_FALSE(editor.port().CommTimerRunning());
}

// A sink whose handler opens a modal box, during which time passes and the port is closed.
struct ClosingSink : FrameSink {
  void Dispatch(std::span<const uint8_t> frame) override {
    frames.emplace_back(frame.begin(), frame.end());
    clock->Advance(500);  // the nested loop of a box: CommTimer must not tick meanwhile
    port->ClosePort();
    afterClose.assign(frame.begin(), frame.end());  // still readable: the tick is not over
  }
  ManualScheduler* clock;
  SerialPort* port;
  std::vector<Bytes> frames;
  Bytes afterClose;
};

TEST_F(ReceiveParserTest, APortClosedWhileAHandlersBoxIsOpenStopsTheTickAtOnce) {
  ClosingSink closing;
  closing.clock = &clock;
  closing.port = &editor.port();
  ReceiveParser p(editor.port(), editor.texter(), closing);
  editor.port().SetTickHandler([&] { p.ReceiveTick(); });
  OpenCom1();
  Receive(Cat({kSearch, kSearch}));
  EXPECT_EQ(closing.frames.size(), 1u);
  EXPECT_EQ(closing.afterClose, kSearch);
  EXPECT_FALSE(editor.port().CommTimerRunning());
  // Reopened: a fresh buffer, the second frame of the old one is gone.
  ASSERT_TRUE(editor.port().OpenPort());
  EXPECT_EQ(editor.port().Buffer()->fill, 0u);
}

// A handler whose box stays open while time passes and more bytes arrive.
struct BoxSink : FrameSink {
  void Dispatch(std::span<const uint8_t> frame) override {
    frames.emplace_back(frame.begin(), frame.end());
    if (frames.size() > 1) return;
    ports->Feed(MakeSearch());
    clock->Advance(500);
    framesWhileBoxOpen = frames.size();
  }
  ManualScheduler* clock;
  FakePortSystem* ports;
  std::vector<Bytes> frames;
  size_t framesWhileBoxOpen = 0;
};

TEST_F(ReceiveParserTest, ABoxOpenedByAHandlerStartsNoNestedTick) {
  BoxSink box;
  box.clock = &clock;
  box.ports = &ports;
  ReceiveParser p(editor.port(), editor.texter(), box);
  editor.port().SetTickHandler([&] { p.ReceiveTick(); });
  OpenCom1();
  Receive(kIdentity);
  EXPECT_EQ(box.framesWhileBoxOpen, 1u);
  EXPECT_TRUE(editor.port().CommTimerRunning());
  clock.Advance(SerialPort::kCommIntervalMs);
  EXPECT_EQ(box.frames, (std::vector<Bytes>{kIdentity, kSearch}));
}

}  // namespace
}  // namespace korvan::test
