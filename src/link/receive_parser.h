#pragma once
// ReceiveTick: moves what the port has received into the receive buffer, cuts it into frames
// from 0xF0 to 0xF7, logs what is not a Korvan frame as text and hands the rest to the sink.
// Broken input is logged and dropped, never repaired.

#include "link/frame_sink.h"
#include "link/serial_port.h"
#include "link/texter.h"

namespace korvan {

class ReceiveParser {
 public:
  ReceiveParser(SerialPort& port, Texter& log, FrameSink& sink)
      : port_(port), log_(log), sink_(sink) {}

  void ReceiveTick();

 private:
  SerialPort& port_;
  Texter& log_;
  FrameSink& sink_;
};

}  // namespace korvan
