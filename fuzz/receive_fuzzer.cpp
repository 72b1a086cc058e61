// Arbitrary bytes through the receive tick into the real dispatcher, discovery, live exchange and
// status reports and the block transfer engine. The input is cut into chunks (each prefixed with
// its length byte), one chunk per tick, as reads deliver them; between ticks the clock moves so the
// search time-out and its box, the main timer (sending what received changes moved) and the popup's
// timer run too.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "core/manual_scheduler.h"
#include "editor/editor.h"

namespace {

class ChunkDevice : public korvan::PortDevice {
 public:
  explicit ChunkDevice(std::deque<std::vector<uint8_t>>& chunks) : chunks_(chunks) {}
  int Fd() const override { return -1; }
  int BytesWaiting() override {
    if (chunks_.empty()) return 0;
    if (chunks_.front().empty()) {  // an empty chunk is a hang-up
      chunks_.pop_front();
      return -1;
    }
    return static_cast<int>(chunks_.front().size());
  }
  int Read(uint8_t* data, size_t max) override {
    if (chunks_.empty()) return 0;
    auto& c = chunks_.front();
    const size_t n = std::min(max, c.size());
    std::copy(c.begin(), c.begin() + n, data);
    c.erase(c.begin(), c.begin() + n);
    if (c.empty()) chunks_.pop_front();
    return static_cast<int>(n);
  }
  bool Write(const uint8_t*, size_t, int) override { return true; }
  void SetRts(bool) override {}

 private:
  std::deque<std::vector<uint8_t>>& chunks_;
};

class ChunkPorts : public korvan::PortSystem {
 public:
  std::unique_ptr<korvan::PortDevice> Open(int) override {
    return std::make_unique<ChunkDevice>(chunks);
  }
  std::deque<std::vector<uint8_t>> chunks;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ChunkPorts ports;
  size_t i = 0;
  while (i < size) {
    size_t n = data[i++] % 64;  // 0 means a hang-up, so keep it rare
    if (n == 0 && (i % 7) != 0) n = 64;
    n = std::min(n, size - i);
    ports.chunks.emplace_back(data + i, data + i + n);
    i += n;
  }
  korvan::SilentUi ui;
  korvan::ManualScheduler clock;
  korvan::Editor editor(ui, clock, {.ports = &ports, .logFolder = std::nullopt});
  korvan::Discovery& d = editor.discovery();
  d.view.portBox = {"COM 1"};
  d.view.portSelection = 0;
  d.StartSearch();
  // A receive waiting for its blocks and a send waiting for block requests, so data blocks,
  // block requests, file requests and entry lists all reach the transfer engine.
  d.linkKind = 1;
  korvan::Transfers& t = editor.transfers();
  const int codes[] = {korvan::kSetCard, korvan::kSetInternal, korvan::kSetCurrent};
  t.receiveCancelled = false;
  t.receivingSet = codes[size % 3];
  t.ReceiveDataSet(1, t.receivingSet);
  t.stopServing = false;
  t.sendingSet = codes[(size / 3) % 3];
  t.SendDataSet(1, t.sendingSet);
  // Linked, with both gain meters asked for, so every part of a report and of a change is used.
  editor.SetRemoteMode(korvan::kRemoteLinked);
  editor.status().dynSelector = size % 10;
  editor.status().limSelector = size % 6;
  for (int tick = 0; tick < 4096 && !ports.chunks.empty(); ++tick) {
    if (!editor.port().IsOpen()) editor.port().OpenPort();
    clock.Advance(korvan::SerialPort::kCommIntervalMs);
  }
  return 0;
}
