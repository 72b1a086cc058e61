#pragma once
// The one COM port of the editor: which port to use and which answered the scan, opening and
// closing, RTS-keyed writes, the deferred write of variable-size frames, and the receive buffer
// with the triggers of the receive tick (CommTimer every 50 ms, and readiness of the port).

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "core/fd_watcher.h"
#include "core/scheduler.h"
#include "link/port_device.h"
#include "link/texter.h"

namespace korvan {

// Bytes received and not yet consumed. data[start] is the 0xF0 of an unfinished frame, or
// start == fill == 0.
struct ReceiveBuffer {
  static constexpr unsigned kSize = 5120;
  static constexpr unsigned kRefillLimit = 4096;
  std::vector<uint8_t> data = std::vector<uint8_t>(kSize);
  unsigned fill = 0;
  unsigned start = 0;
};

class SerialPort {
 public:
  static constexpr int kCommIntervalMs = 50;
  static constexpr int kRtsHoldMs = 5;
  static constexpr int kWriteTimeoutMs = 1000;  // plus 1 ms per byte

  // watcher may be null: the receive tick then runs on CommTimer alone.
  SerialPort(PortSystem& system, Scheduler& scheduler, Texter& log, FdWatcher* watcher);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  int portNumber = 0;        // COM port to use, 1..16; 0 = none chosen
  uint32_t presentMask = 0;  // bit n-1: COM n answered a scan
  int openedPort = 0;        // the port last opened with success

  // Tries COM 1..16; adds "COM n" for each that opens to box (kept sorted as text).
  void ScanPorts(std::vector<std::string>& box);
  // True when the port is open (opening portNumber if needed).
  bool OpenPort();
  void ClosePort();
  bool IsOpen() const { return device_ != nullptr; }

  // Writes a whole frame with RTS raised; RTS drops 5 ms after the last of back-to-back writes.
  // Returns -1 (nothing sent) when the port is closed, else 1 (the RTS timer is armed).
  int WriteFrame(std::span<const uint8_t> frame);
  // The deferred write: a buffer of exactly size bytes to fill, then sent by SendPreparedFrame.
  uint8_t* PrepareFrame(size_t size);
  void SendPreparedFrame();

  // The receive side, for the parser. Null when closed.
  ReceiveBuffer* Buffer() { return buffer_.get(); }
  PortDevice* Device() { return device_.get(); }
  // Counts opens: a tick that sees it change knows the port was closed under it.
  uint64_t Generation() const { return generation_; }

  // What the triggers run (the receive tick). Both triggers are suspended while it runs.
  void SetTickHandler(std::function<void()> tick) { tick_ = std::move(tick); }
  // Runs one tick now, as the triggers do.
  void RunTick();

  bool CommTimerRunning() const { return commTimer_->Running(); }

 private:
  void Arm();
  void Disarm();
  void LowerRtsUnlessBusy();

  PortSystem& system_;
  Texter& log_;
  FdWatcher* watcher_;
  std::unique_ptr<PortDevice> device_;
  std::unique_ptr<ReceiveBuffer> buffer_;
  std::unique_ptr<ReceiveBuffer> retiredBuffer_;  // closed during a tick, freed after it
  std::unique_ptr<Timer> commTimer_;
  std::unique_ptr<Timer> rtsTimer_;
  std::function<void()> tick_;
  std::vector<uint8_t> pendingFrame_;
  uint64_t generation_ = 0;
  int watchedFd_ = -1;
  bool inTick_ = false;

  // The RTS timer's test of writeBusy and its lowering of RTS are one step with respect to a
  // write raising it: the timer may be backed by another thread.
  std::mutex rtsMutex_;
  bool writeBusy_ = false;
};

}  // namespace korvan
