#pragma once
// The platform side of the serial port: opening "COM n" and the few calls made on an open port.
// The real one works over POSIX termios; tests use a fake that records the modem-line calls.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace korvan {

class PortDevice {
 public:
  virtual ~PortDevice() = default;
  // The descriptor to watch for readiness; -1 when there is none.
  virtual int Fd() const = 0;
  // Bytes waiting in the input queue; -1 when the line has hung up.
  virtual int BytesWaiting() = 0;
  // Reads at most max bytes without waiting; -1 when the line has hung up.
  virtual int Read(uint8_t* data, size_t max) = 0;
  // Writes all bytes and waits until they have left the port, giving up (and discarding what is
  // still pending) after timeoutMs. False when it gave up or the write failed.
  virtual bool Write(const uint8_t* data, size_t count, int timeoutMs) = 0;
  // Raises or lowers RTS. Ports without modem lines ignore it.
  virtual void SetRts(bool raised) = 0;
};

class PortSystem {
 public:
  virtual ~PortSystem() = default;
  // Opens COM port n (1..16) exclusively and configures it; null when it is absent, held by
  // another program or rejects the line settings (nothing stays open then).
  virtual std::unique_ptr<PortDevice> Open(int portNumber) = 0;
};

// A machine without serial ports: the editor runs stand-alone.
class NoPortSystem : public PortSystem {
 public:
  std::unique_ptr<PortDevice> Open(int) override { return nullptr; }
};

}  // namespace korvan
