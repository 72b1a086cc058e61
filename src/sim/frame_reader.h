#pragma once
// The unit's side of cutting the byte stream into frames: from each 0xF0 to the next 0xF7.
// A new 0xF0 drops an unfinished frame; bytes outside a frame and overlong frames are dropped.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace korvan::sim {

class FrameReader {
 public:
  static constexpr size_t kMaxFrame = 2048;
  explicit FrameReader(std::function<void(std::span<const uint8_t>)> onFrame)
      : onFrame_(std::move(onFrame)) {}
  void Feed(std::span<const uint8_t> bytes);

 private:
  std::function<void(std::span<const uint8_t>)> onFrame_;
  std::vector<uint8_t> frame_;
  bool inFrame_ = false;
};

}  // namespace korvan::sim
