#pragma once
// A port system that counts the bytes written to and read from the ports it opens, for the
// transfer commands' --stats line.

#include <cstdint>
#include <memory>

#include "link/port_device.h"

namespace korvan::tool {

struct ByteCounts {
  uint64_t sent = 0;
  uint64_t received = 0;
};

class CountingPortSystem : public PortSystem {
 public:
  explicit CountingPortSystem(PortSystem& inner) : inner_(inner) {}
  std::unique_ptr<PortDevice> Open(int portNumber) override;
  ByteCounts counts;

 private:
  PortSystem& inner_;
};

}  // namespace korvan::tool
