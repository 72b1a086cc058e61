#pragma once
// Where the receive parser hands each complete Korvan frame.

#include <cstdint>
#include <span>

namespace korvan {

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // frame: F0 7D 00 00 dev 0E cmd ... F7, at least 8 bytes, valid during the call (even when
  // the handler closes the port).
  virtual void Dispatch(std::span<const uint8_t> frame) = 0;
};

}  // namespace korvan
