#include "link/serial_port.h"

#include <algorithm>

#include "link/com_mapping.h"

namespace korvan {

SerialPort::SerialPort(PortSystem& system, Scheduler& scheduler, Texter& log, FdWatcher* watcher)
    : system_(system), log_(log), watcher_(watcher) {
  commTimer_ = scheduler.CreateTimer(TimerKind::Periodic, [this] { RunTick(); });
  rtsTimer_ = scheduler.CreateTimer(TimerKind::OneShot, [this] { LowerRtsUnlessBusy(); });
}

SerialPort::~SerialPort() {
  Disarm();
  rtsTimer_->Stop();
}

void SerialPort::ScanPorts(std::vector<std::string>& box) {
  log_.Print("Looking for COM ports ..");
  for (int n = 1; n <= kComPortCount; ++n) {
    // The open port cannot be opened twice; it is present all the same.
    if (IsOpen() && n == openedPort) {
      presentMask |= 1u << (n - 1);
    } else if (auto probe = system_.Open(n)) {
      presentMask |= 1u << (n - 1);
    } else {
      continue;
    }
    const std::string entry = "COM " + std::to_string(n);
    if (std::find(box.begin(), box.end(), entry) == box.end())
      box.insert(std::upper_bound(box.begin(), box.end(), entry), entry);
  }
}

bool SerialPort::OpenPort() {
  if (IsOpen()) return true;
  if (portNumber < 1 || portNumber > kComPortCount) return false;
  device_ = system_.Open(portNumber);
  if (!device_) return false;
  buffer_ = std::make_unique<ReceiveBuffer>();
  ++generation_;
  openedPort = portNumber;
  Arm();
  return true;
}

void SerialPort::ClosePort() {
  if (!IsOpen()) return;
  log_.Print("Closing COM port.");
  Disarm();
  {
    std::lock_guard lock(rtsMutex_);
    rtsTimer_->Stop();
    device_.reset();
  }
  // Closed by a handler of the running tick: the frame it was given lies in this buffer, so the
  // buffer lives until the tick is over.
  if (inTick_)
    retiredBuffer_ = std::move(buffer_);
  else
    buffer_.reset();
}

int SerialPort::WriteFrame(std::span<const uint8_t> frame) {
  if (!IsOpen()) return -1;
  {
    std::lock_guard lock(rtsMutex_);
    writeBusy_ = true;
    device_->SetRts(true);
  }
  // A stuck line gives up after the write timeout; the missing answer is caught by the reply
  // timers, so the result is not needed here.
  (void)device_->Write(frame.data(), frame.size(),
                       kWriteTimeoutMs + static_cast<int>(frame.size()));
  rtsTimer_->Start(kRtsHoldMs);
  std::lock_guard lock(rtsMutex_);
  writeBusy_ = false;
  return 1;
}

void SerialPort::LowerRtsUnlessBusy() {
  std::lock_guard lock(rtsMutex_);
  if (!writeBusy_ && device_) device_->SetRts(false);
}

uint8_t* SerialPort::PrepareFrame(size_t size) {
  pendingFrame_.assign(size, 0);
  return pendingFrame_.data();
}

void SerialPort::SendPreparedFrame() {
  if (!pendingFrame_.empty()) WriteFrame(pendingFrame_);
  pendingFrame_.clear();
  pendingFrame_.shrink_to_fit();
}

void SerialPort::Arm() {
  if (!IsOpen()) return;
  commTimer_->Start(kCommIntervalMs);
  if (watcher_ && device_->Fd() >= 0) {
    watchedFd_ = device_->Fd();
    watcher_->WatchReadable(watchedFd_, [this] { RunTick(); });
  }
}

void SerialPort::Disarm() {
  commTimer_->Stop();
  if (watcher_ && watchedFd_ >= 0) watcher_->Unwatch(watchedFd_);
  watchedFd_ = -1;
}

void SerialPort::RunTick() {
  if (inTick_) return;
  // Both triggers stay off while the tick runs: a box opened by a handler runs a nested event
  // loop, which must not start another tick.
  Disarm();
  inTick_ = true;
  const uint64_t generation = generation_;
  if (tick_) tick_();
  inTick_ = false;
  retiredBuffer_.reset();
  // Closed meanwhile (and perhaps reopened, which armed the triggers already): nothing to do.
  if (IsOpen() && generation == generation_) Arm();
}

}  // namespace korvan
