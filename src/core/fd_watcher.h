#pragma once
// Readiness of file descriptors, for the receive side of the serial port: the tool and the
// simulator back it with their poll() loop, the Qt program with socket notifiers.

#include <functional>

namespace korvan {

class FdWatcher {
 public:
  virtual ~FdWatcher() = default;
  // onReady runs when fd is readable or has hung up, until Unwatch(fd). One callback per fd.
  virtual void WatchReadable(int fd, std::function<void()> onReady) = 0;
  virtual void Unwatch(int fd) = 0;
};

}  // namespace korvan
