#include "link/receive_parser.h"

#include <algorithm>
#include <string>

#include "link/sysex.h"

namespace korvan {

void ReceiveParser::ReceiveTick() {
  PortDevice* device = port_.Device();
  ReceiveBuffer* buf = port_.Buffer();
  if (!device || !buf) return;

  const int waiting = device->BytesWaiting();
  if (waiting < 0) {
    log_.Print("Comm Error: line hung up");
    port_.ClosePort();
    return;
  }
  // A frame left behind by a restart at a nested F0 is complete already: parse it now rather
  // than when the next bytes happen to come.
  if (waiting == 0 && buf->start >= buf->fill) return;

  if (waiting > 0) {
    if (buf->fill + static_cast<unsigned>(waiting) > ReceiveBuffer::kRefillLimit) {
      log_.Print("Read Comm Error: forced buffer reset");
      buf->start = buf->fill = 0;
    }
    // What does not fit stays in the driver's queue for the next tick.
    const unsigned room = ReceiveBuffer::kSize - buf->fill;
    const int got = device->Read(buf->data.data() + buf->fill,
                                 std::min<unsigned>(room, static_cast<unsigned>(waiting)));
    if (got < 0) {
      log_.Print("Comm Error: line hung up");
      port_.ClosePort();
      return;
    }
    buf->fill += static_cast<unsigned>(got);
  }

  const uint64_t generation = port_.Generation();
  while (buf->start < buf->fill) {
    uint8_t* d = buf->data.data();
    const unsigned start = buf->start;
    if (d[start] != SYSEX_START) {
      // The bytes after the bad one may lie beyond fill; show them as they are in the buffer,
      // which is always large enough.
      log_.Print("Comm Error: command error %d %X %X %X %X", static_cast<int>(start), d[start],
                 d[std::min(start + 1, ReceiveBuffer::kSize - 1)],
                 d[std::min(start + 2, ReceiveBuffer::kSize - 1)],
                 d[std::min(start + 3, ReceiveBuffer::kSize - 1)]);
      buf->start = buf->fill = 0;
      return;
    }
    unsigned j = start + 1;
    while (j < buf->fill && d[j] != SYSEX_END) {
      if (d[j] == SYSEX_START) {
        log_.Print("Comm Error: Sys start recursive");
        buf->start = j;
        return;
      }
      ++j;
    }
    if (j >= buf->fill) return;  // unfinished: the next tick appends to it

    const unsigned len = j - start + 1;
    const std::span<const uint8_t> frame(d + start, len);
    if (!IsKorvanFrame(frame)) {
      // Text: printable bytes between F0 and F7, everything else shown as a space.
      std::string text(reinterpret_cast<const char*>(d + start + 1), len - 2);
      for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) c = ' ';
      log_.Print("%s", text.c_str());
    } else {
      sink_.Dispatch(frame);
      // A handler's box may have let the port close (freeing the buffer) or reopen.
      if (port_.Buffer() != buf || port_.Generation() != generation) return;
    }
    buf->start = start + len;
  }
  buf->start = buf->fill = 0;
}

}  // namespace korvan
