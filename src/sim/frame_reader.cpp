#include "sim/frame_reader.h"

namespace korvan::sim {

void FrameReader::Feed(std::span<const uint8_t> bytes) {
  for (uint8_t b : bytes) {
    if (b == 0xF0) {
      frame_.assign(1, b);
      inFrame_ = true;
    } else if (!inFrame_) {
      continue;
    } else if (frame_.size() >= kMaxFrame) {
      inFrame_ = false;
      frame_.clear();
    } else {
      frame_.push_back(b);
      if (b == 0xF7) {
        inFrame_ = false;
        onFrame_(frame_);
        frame_.clear();
      }
    }
  }
}

}  // namespace korvan::sim
