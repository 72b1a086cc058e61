#include "support/fake_port.h"

#include <algorithm>

namespace korvan::test {

FakePortDevice::~FakePortDevice() {
  --system_.openNow;
  system_.events.push_back("close " + std::to_string(number_));
}

int FakePortDevice::BytesWaiting() {
  if (system_.hungUp) return -1;
  return static_cast<int>(std::min(system_.input.size(), system_.maxRead));
}

int FakePortDevice::Read(uint8_t* data, size_t max) {
  if (system_.hungUp) return -1;
  const size_t n = std::min({max, system_.input.size(), system_.maxRead});
  std::copy_n(system_.input.begin(), n, data);
  system_.input.erase(system_.input.begin(), system_.input.begin() + n);
  return static_cast<int>(n);
}

bool FakePortDevice::Write(const uint8_t* data, size_t count, int) {
  system_.writes.emplace_back(data, data + count);
  system_.events.push_back("write " + std::to_string(count));
  return true;
}

void FakePortDevice::SetRts(bool raised) {
  system_.events.push_back(raised ? "rts 1" : "rts 0");
}

std::unique_ptr<PortDevice> FakePortSystem::Open(int portNumber) {
  if (!present.contains(portNumber) || openNow > 0) return nullptr;
  if (rejecting.contains(portNumber)) return nullptr;  // released at once
  ++openCount;
  ++openNow;
  events.push_back("open " + std::to_string(portNumber));
  return std::make_unique<FakePortDevice>(*this, portNumber);
}

}  // namespace korvan::test
