#pragma once
// The serial port over POSIX termios: raw 38400 8N1, exclusive, RTS switched by the program.

#include <map>
#include <memory>
#include <string>

#include "link/port_device.h"

namespace korvan {

class PosixPortDevice : public PortDevice {
 public:
  // Opens and configures path; null (with nothing left open) when that fails.
  static std::unique_ptr<PosixPortDevice> Open(const std::string& path);
  ~PosixPortDevice() override;
  PosixPortDevice(const PosixPortDevice&) = delete;
  PosixPortDevice& operator=(const PosixPortDevice&) = delete;

  int Fd() const override { return fd_; }
  int BytesWaiting() override;
  int Read(uint8_t* data, size_t max) override;
  bool Write(const uint8_t* data, size_t count, int timeoutMs) override;
  void SetRts(bool raised) override;

 private:
  explicit PosixPortDevice(int fd) : fd_(fd) {}
  int fd_;
};

class PosixPortSystem : public PortSystem {
 public:
  // COM n opens the path pinned with Pin(n, ...), else the one of the COM mapping.
  std::unique_ptr<PortDevice> Open(int portNumber) override;
  void Pin(int portNumber, std::string path) { pinned_[portNumber] = std::move(path); }
  std::string PathOf(int portNumber) const;

 private:
  std::map<int, std::string> pinned_;
};

}  // namespace korvan
