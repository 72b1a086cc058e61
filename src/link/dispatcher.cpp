#include "link/dispatcher.h"

#include "link/sysex.h"

namespace korvan {

void Dispatcher::Dispatch(std::span<const uint8_t> frame) {
  if (frame.size() <= kCommandOffset) return;
  switch (frame[kCommandOffset]) {
    case SYSEX_IDENTITY:
      if (!Discovery::IsCompleteIdentity(frame)) {
        log_.Print("Comm Error: identity reply of %d bytes ignored",
                   static_cast<int>(frame.size()));
        return;
      }
      discovery_.searchPending = false;
      log_.Print("Connected thru COM port %d", port_.openedPort);
      discovery_.linkKind = 1;
      discovery_.OnIdentityReply(frame);
      return;
    case SYSEX_SEARCH:
      if (discovery_.searchPending)
        ui_.MessageBox("COM port in loop mode ?!?!", MsgIcon::Error, MsgButtons::Ok);
      return;
    case SYSEX_STATUS:
      hooks_.OnStatusFrame(frame);
      return;
    case SYSEX_PARAM_CHANGES:
      hooks_.OnParamChangesFrame(frame);
      return;
    case SYSEX_DATA_BLOCK:
      hooks_.OnDataBlockFrame(frame);
      return;
    case SYSEX_ENTRY_LIST:
      hooks_.OnEntryListFrame(frame);
      return;
    case SYSEX_BLOCK_REQUEST:
      hooks_.OnBlockRequestFrame(frame);
      return;
    case SYSEX_FILE_REQUEST:
      hooks_.OnFileRequestFrame(frame);
      return;
    default:
      return;
  }
}

}  // namespace korvan
