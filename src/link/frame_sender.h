#pragma once
// Sends the fixed-size frames to the current unit: opens the port on demand, patches the device
// byte of the current identity into the template and writes the frame in one piece. Starting the
// reply timers is the caller's business.

#include <string_view>

#include "link/identity.h"
#include "link/serial_port.h"
#include "link/sysex.h"
#include "link/texter.h"

namespace korvan {

class FrameSender {
 public:
  FrameSender(SerialPort& port, Texter& log, const UnitIdentity& identity)
      : port_(port), log_(log), identity_(identity) {}

  // The device byte of every frame but the search.
  uint8_t Device() const { return DeviceByte(identity_.current.deviceNumber); }

  // Each returns true when the frame was written. The search and the status request fail
  // silently on a port that cannot be opened; the others log "  No serial device".
  bool SendSearch();
  bool SendStatusRequest(int dynSelector, int limSelector);
  bool SendRemoteMode(int value);
  bool SendSetDeviceId(int newId);
  bool SendSetName(std::string_view name);
  bool SendBlockRequest(int kind, int block);
  bool SendFileAnnounce(int kind, std::string_view name);
  bool SendFileRequest(int kind, std::string_view name);

 private:
  bool Send(const Frame& frame, bool logWhenClosed);

  SerialPort& port_;
  Texter& log_;
  const UnitIdentity& identity_;
};

}  // namespace korvan
