#pragma once
// What the device link asks of its owner (the Editor): the connect dialog's busy state and
// visibility, and the dispatch entries of the live exchange and of the transfer engine.
// Each frame is passed whole (offsets from the 0xF0, the 0xF7 included), valid during the call;
// it may be shorter than its command's layout, so every read of it is checked against its size.

#include <cstdint>
#include <span>

namespace korvan {

class LinkHooks {
 public:
  virtual ~LinkHooks() = default;

  // The connect dialog: busy (disabled, hourglass) or idle; shown if it is hidden.
  virtual void SetBusy(bool busy) = 0;
  virtual void ShowConnectDialog() = 0;

  // 0x04 SYSEX_STATUS: stops VuTimer in every case; the report is read only when b[7] equals
  // the length minus 9.
  virtual void OnStatusFrame(std::span<const uint8_t> frame) = 0;
  // 0x20 SYSEX_PARAM_CHANGES: logs "p %d, b %d", applies the entries when 4 * b[7] equals the
  // length minus 9.
  virtual void OnParamChangesFrame(std::span<const uint8_t> frame) = 0;
  // 0x10 SYSEX_DATA_BLOCK: stops UploadTimer, hands a wanted block to the receiver.
  virtual void OnDataBlockFrame(std::span<const uint8_t> frame) = 0;
  // 0x11 SYSEX_ENTRY_LIST: stops UploadTimer.
  virtual void OnEntryListFrame(std::span<const uint8_t> frame) = 0;
  // 0x50 SYSEX_BLOCK_REQUEST: stops DownloadTimer, serves the block unless stopServing.
  virtual void OnBlockRequestFrame(std::span<const uint8_t> frame) = 0;
  // 0x52 SYSEX_FILE_REQUEST: stops UploadTimer, starts sending block 0 of the kind.
  virtual void OnFileRequestFrame(std::span<const uint8_t> frame) = 0;
};

}  // namespace korvan
