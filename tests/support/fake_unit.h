#pragma once
// The unit's side of the block protocol over a FakePortSystem, for tests on the manual clock:
// answers block and file requests from its images, asks for each next block of what the editor
// sends, and decodes what it received. Faults on request.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "link/sysex.h"
#include "support/fake_port.h"
#include "transfer/block_stream.h"

namespace korvan::test {

class FakeUnit {
 public:
  using Bytes = std::vector<uint8_t>;
  explicit FakeUnit(FakePortSystem& ports) : ports_(ports) {}

  // Answers what the editor wrote since the last call.
  void Step() {
    for (; seen_ < ports_.writes.size(); ++seen_) Handle(ports_.writes[seen_]);
  }

  Bytes current, internal;
  std::optional<Bytes> card;      // none: no card in the unit
  std::map<int, Bytes> received;  // data-set code (1, 2, 4) or 8 for a program -> image
  int corruptBlock = -1;          // this block goes out once with a wrong checksum
  int stopAfterBlock = -1;        // blocks after this one are never sent
  bool asksForBlocks = true;      // false: stops asking while the editor sends
  int blocksServed = 0;

 private:
  void Handle(const Bytes& w) {
    if (w.size() < 9 || w[0] != 0xF0 || w[kCommandOffset] == SYSEX_PARAM_CHANGES) return;
    const int kind = w[7];
    switch (w[kCommandOffset]) {
      case SYSEX_BLOCK_REQUEST: {
        const int block = Join14(w[8], w[9]);
        if (block == 0) servingCard_ = false;
        const Bytes* image = kind == 1 ? &current : servingCard_ ? &*card : &internal;
        Serve(*image, kind, block);
        break;
      }
      case SYSEX_FILE_REQUEST:
        if (!card) return;
        servingCard_ = true;
        Serve(*card, 0, 0);
        break;
      case SYSEX_FILE_ANNOUNCE:
        incomingCard_ = true;
        ports_.Feed({0xF0, 0x7D, 0x00, 0x00, 0x00, 0x0E, SYSEX_FILE_REQUEST, 0x00, 0xF7});
        break;
      case SYSEX_DATA_BLOCK: {
        const int total = Join14(w[9], w[10]), block = Join14(w[11], w[12]);
        if (block == 0) stream_.clear();
        stream_.insert(stream_.end(), w.begin() + 13, w.end() - 2);
        if (block < total - 1) {
          if (asksForBlocks) ports_.Feed(MakeBlockRequest(0, kind, block + 1));
          return;
        }
        unsigned size = static_cast<unsigned>(stream_.size());
        if (DecodeStreamInPlace(stream_, size) != 0) return;
        const int code = kind == 2 ? 8 : kind == 1 ? 4 : incomingCard_ ? 1 : 2;
        received[code] = Bytes(stream_.begin(), stream_.begin() + size);
        incomingCard_ = false;
        break;
      }
      default:
        break;
    }
  }
  void Serve(const Bytes& image, int kind, int block) {
    if (stopAfterBlock >= 0 && block > stopAfterBlock) return;
    Bytes frame = DataBlockFrame(image, kind, 0, static_cast<unsigned>(block));
    if (block == corruptBlock) {
      corruptBlock = -1;
      frame[frame.size() - 2] ^= 0x01;
    }
    ++blocksServed;
    ports_.Feed(frame);
  }

  FakePortSystem& ports_;
  size_t seen_ = 0;
  bool servingCard_ = false;
  bool incomingCard_ = false;
  Bytes stream_;
};

}  // namespace korvan::test
