#include "link/posix_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "link/com_mapping.h"

namespace korvan {
namespace {

int64_t Now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool HungUpError(int e) {
  return e == EIO || e == ENXIO || e == ENODEV || e == EBADF;
}

bool Configure(int fd) {
  termios t{};
  if (::tcgetattr(fd, &t) != 0) return false;
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cflag &= ~(CSTOPB | PARENB | CSIZE);
  t.c_cflag |= CS8;
  // No kernel RTS/CTS handshake: on Linux it drives RTS itself, which would break the keying of
  // an RS-485 adapter that the writes do by hand.
  t.c_cflag &= ~CRTSCTS;
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  // Reads return at once with what is waiting.
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (::cfsetispeed(&t, B38400) != 0 || ::cfsetospeed(&t, B38400) != 0) return false;
  if (::tcsetattr(fd, TCSANOW, &t) != 0) return false;
  // DTR on while open. A pseudo-terminal has no modem lines; that is no error.
  int dtr = TIOCM_DTR;
  (void)::ioctl(fd, TIOCMBIS, &dtr);
  return true;
}

}  // namespace

std::unique_ptr<PosixPortDevice> PosixPortDevice::Open(const std::string& path) {
  if (path.empty()) return nullptr;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  // Exclusive: another program holding the port (or a lock on it) keeps us out.
  if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0 ||
      !Configure(fd)) {
    ::close(fd);
    return nullptr;
  }
  // What came in while nobody listened is not for us.
  ::tcflush(fd, TCIFLUSH);
  return std::unique_ptr<PosixPortDevice>(new PosixPortDevice(fd));
}

PosixPortDevice::~PosixPortDevice() {
  // Our writes wait until their bytes have left, so anything still queued is a stuck line:
  // dropping it keeps close from waiting for the driver's closing delay. Nothing is flushed
  // otherwise: on a pseudo-terminal that would discard bytes still on their way to the other
  // side.
  int queued = 0;
  if (::ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0) ::tcflush(fd_, TCOFLUSH);
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
}

int PosixPortDevice::BytesWaiting() {
  int n = 0;
  if (::ioctl(fd_, FIONREAD, &n) != 0) return HungUpError(errno) ? -1 : 0;
  if (n > 0) return n;
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, 0) > 0) {
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
    // Readable with nothing queued: let the read tell data from end of file.
    if (p.revents & POLLIN) return 1;
  }
  return 0;
}

int PosixPortDevice::Read(uint8_t* data, size_t max) {
  if (max == 0) return 0;
  const ssize_t r = ::read(fd_, data, max);
  if (r > 0) return static_cast<int>(r);
  if (r == 0) return -1;  // only called with bytes waiting: 0 means end of file
  if (errno == EAGAIN || errno == EINTR) return 0;
  return -1;
}

bool PosixPortDevice::Write(const uint8_t* data, size_t count, int timeoutMs) {
  const int64_t deadline = Now() + timeoutMs;
  size_t done = 0;
  while (done < count) {
    const ssize_t w = ::write(fd_, data + done, count - done);
    if (w > 0) {
      done += static_cast<size_t>(w);
      continue;
    }
    if (w < 0 && errno != EAGAIN && errno != EINTR) {
      ::tcflush(fd_, TCOFLUSH);
      return false;
    }
    const int64_t left = deadline - Now();
    if (left <= 0) {
      ::tcflush(fd_, TCOFLUSH);
      return false;
    }
    pollfd p{fd_, POLLOUT, 0};
    ::poll(&p, 1, static_cast<int>(left));
  }
  // Wait until the bytes have left the driver, then tcdrain for the last character in the
  // transmitter: RTS must not drop under the end of the frame. Bounded by the same deadline.
  for (;;) {
    int queued = 0;
    if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
    if (Now() >= deadline) {
      ::tcflush(fd_, TCOFLUSH);
      return false;
    }
    ::usleep(1000);
  }
  ::tcdrain(fd_);
  return true;
}

void PosixPortDevice::SetRts(bool raised) {
  int rts = TIOCM_RTS;
  // Pseudo-terminals reject modem-line calls; that is not an error.
  (void)::ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &rts);
}

std::string PosixPortSystem::PathOf(int portNumber) const {
  auto it = pinned_.find(portNumber);
  return it != pinned_.end() ? it->second : ComDevicePath(portNumber);
}

std::unique_ptr<PortDevice> PosixPortSystem::Open(int portNumber) {
  return PosixPortDevice::Open(PathOf(portNumber));
}

}  // namespace korvan
