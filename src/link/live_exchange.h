#pragma once
// The live parameter exchange with a linked unit: the remote mode, the queue of local edits
// waiting to be sent, the SYSEX_PARAM_CHANGES frames that carry them, and the changes the unit
// sends from its own panel, applied without being echoed back.

#include <cstdint>
#include <functional>
#include <span>

#include "link/frame_sender.h"
#include "link/send_queue.h"
#include "link/serial_port.h"
#include "link/texter.h"
#include "model/model.h"

namespace korvan {

// RemoteMode values.
inline constexpr int kRemoteStandAlone = 0;
inline constexpr int kRemoteLinked = 0x80;  // "Stay Synchronized": edits are queued and sent

class LiveExchange {
 public:
  LiveExchange(Model& model, SerialPort& port, const FrameSender& sender, Texter& log)
      : model_(model), port_(port), sender_(sender), log_(log) {}

  int RemoteMode() const { return remoteMode_; }
  void SetRemoteMode(int mode) { remoteMode_ = mode; }

  // Offered by the model for a change with DO_SEND: true when the control joined the queue
  // (linked, enabled and sent, maxStep not 0).
  bool QueueForSend(MCtrl& c);
  // At most 79 queued controls, in queue order, as one SYSEX_PARAM_CHANGES frame; the rest
  // wait for the next call. Controls taken out while not linked are dropped unsent.
  void SendPendingChanges();
  bool QueueEmpty() const { return queue_.Empty(); }

  // A SYSEX_PARAM_CHANGES frame from the unit (whole frame): logged, and applied when its
  // count matches its length.
  void OnParamChangesFrame(std::span<const uint8_t> frame);
  // count entries of 4 bytes each, in order (entries holds at least 4 * count bytes).
  void ApplyReceivedChanges(int count, std::span<const uint8_t> entries);

  // Called for every received entry the model took, with the value as received.
  void SetChangeListener(std::function<void(const ParamChange&)> listener) {
    onChange_ = std::move(listener);
  }

 private:
  Model& model_;
  SerialPort& port_;
  const FrameSender& sender_;
  Texter& log_;
  SendQueue queue_;
  int remoteMode_ = kRemoteStandAlone;
  std::function<void(const ParamChange&)> onChange_;
};

}  // namespace korvan
