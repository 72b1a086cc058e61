#pragma once
// The dispatch table of received Korvan frames (command byte at offset 6):
//
//   0x00 SYSEX_IDENTITY       here: search-pending off, "Connected thru COM port %d", LinkKind 1,
//                             then Discovery::OnIdentityReply
//   0x40 SYSEX_SEARCH         here: our own search came back while searching: the line echoes
//   0x04 SYSEX_STATUS         LinkHooks::OnStatusFrame        (live exchange)
//   0x20 SYSEX_PARAM_CHANGES  LinkHooks::OnParamChangesFrame  (live exchange)
//   0x10 SYSEX_DATA_BLOCK     LinkHooks::OnDataBlockFrame     (transfer engine)
//   0x11 SYSEX_ENTRY_LIST     LinkHooks::OnEntryListFrame     (transfer engine)
//   0x50 SYSEX_BLOCK_REQUEST  LinkHooks::OnBlockRequestFrame  (transfer engine)
//   0x52 SYSEX_FILE_REQUEST   LinkHooks::OnFileRequestFrame   (transfer engine)
//   other                     skipped

#include "core/ui.h"
#include "link/discovery.h"
#include "link/frame_sink.h"
#include "link/link_hooks.h"
#include "link/serial_port.h"
#include "link/texter.h"

namespace korvan {

class Dispatcher : public FrameSink {
 public:
  Dispatcher(Texter& log, SerialPort& port, Discovery& discovery, LinkHooks& hooks, Ui& ui)
      : log_(log), port_(port), discovery_(discovery), hooks_(hooks), ui_(ui) {}

  void Dispatch(std::span<const uint8_t> frame) override;

 private:
  Texter& log_;
  SerialPort& port_;
  Discovery& discovery_;
  LinkHooks& hooks_;
  Ui& ui_;
};

}  // namespace korvan
