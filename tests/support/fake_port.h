#pragma once
// A serial port system for tests: ports that exist or not, a scripted input queue per opened
// port, and a record of writes and modem-line calls.

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "link/port_device.h"

namespace korvan::test {

class FakePortSystem;

class FakePortDevice : public PortDevice {
 public:
  FakePortDevice(FakePortSystem& system, int number) : system_(system), number_(number) {}
  ~FakePortDevice() override;
  int Fd() const override { return -1; }
  int BytesWaiting() override;
  int Read(uint8_t* data, size_t max) override;
  bool Write(const uint8_t* data, size_t count, int timeoutMs) override;
  void SetRts(bool raised) override;

 private:
  FakePortSystem& system_;
  int number_;
};

class FakePortSystem : public PortSystem {
 public:
  std::unique_ptr<PortDevice> Open(int portNumber) override;

  // Bytes the open port will deliver; one Feed is what one read can bring at most.
  void Feed(const std::vector<uint8_t>& bytes) {
    input.insert(input.end(), bytes.begin(), bytes.end());
  }

  std::set<int> present{1};   // ports that open
  std::set<int> rejecting;    // ports that open but reject the line settings
  std::deque<uint8_t> input;  // waiting bytes of the open port
  size_t maxRead = 1 << 20;   // at most this many bytes per read
  bool hungUp = false;
  std::vector<std::vector<uint8_t>> writes;
  std::vector<std::string> events;  // "open 3", "rts 1", "write 8", "rts 0", "close 3"
  int openCount = 0;
  int openNow = 0;  // ports currently open
};

}  // namespace korvan::test
