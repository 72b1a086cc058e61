#include "sim/sim_line.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace korvan::sim {
namespace {

int64_t NowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool MakeRaw(int fd) {
  termios t{};
  if (::tcgetattr(fd, &t) != 0) return false;
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, B38400);
  ::cfsetospeed(&t, B38400);
  return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

}  // namespace

SimLine::SimLine(EventLoop& loop, int baud) : loop_(loop), baud_(baud) {
  flushTimer_ = loop_.CreateTimer(TimerKind::OneShot, [this] { Flush(); });
  deliverTimer_ = loop_.CreateTimer(TimerKind::OneShot, [this] { Deliver(); });
}

SimLine::~SimLine() {
  if (fd_ >= 0) {
    loop_.Unwatch(fd_);
    ::close(fd_);
  }
  if (keepOpenFd_ >= 0) ::close(keepOpenFd_);
}

bool SimLine::OpenPty(std::string& path, std::string& error) {
  fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) {
    error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  const char* name = ::ptsname(fd_);
  if (!name) {
    error = "cannot name the pseudo-terminal";
    return false;
  }
  path = name;
  // Holding the editor's side open ourselves keeps our side from reading as hung up between
  // the editor's closes and opens. It also makes the line raw from the start: a pty echoes by
  // default.
  keepOpenFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (keepOpenFd_ < 0 || !MakeRaw(keepOpenFd_)) {
    error = std::string("cannot set up ") + name + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool SimLine::OpenDevice(const std::string& path, std::string& error) {
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0 || !MakeRaw(fd_)) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void SimLine::Start(std::function<void(std::span<const uint8_t>)> onBytes,
                    std::function<void()> onHangUp) {
  onBytes_ = std::move(onBytes);
  onHangUp_ = std::move(onHangUp);
  loop_.WatchReadable(fd_, [this] { OnReadable(); });
}

void SimLine::OnReadable() {
  uint8_t buf[4096];
  const ssize_t n = ::read(fd_, buf, sizeof buf);
  if (n > 0) {
    rx_ += static_cast<uint64_t>(n);
    if (baud_ <= 0) {
      onBytes_(std::span<const uint8_t>(buf, static_cast<size_t>(n)));
      return;
    }
    // A pseudo-terminal carries the editor's bytes at once; a real line takes 10 bits a byte.
    const int64_t slotUs = 10'000'000 / baud_;
    rxLineFreeAtUs_ = std::max(rxLineFreeAtUs_, NowUs()) + slotUs * n;
    rxQueue_.emplace_back(rxLineFreeAtUs_, std::vector<uint8_t>(buf, buf + n));
    Deliver();
    return;
  }
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  // End of file or a dead line: stop watching, or poll() would report it forever.
  loop_.Unwatch(fd_);
  if (onHangUp_) onHangUp_();
}

void SimLine::Deliver() {
  const int64_t now = NowUs();
  while (!rxQueue_.empty() && rxQueue_.front().first <= now) {
    const std::vector<uint8_t> bytes = std::move(rxQueue_.front().second);
    rxQueue_.pop_front();
    onBytes_(bytes);
  }
  if (!rxQueue_.empty() && !deliverTimer_->Running()) {
    const int64_t waitUs = rxQueue_.front().first - now;
    deliverTimer_->Start(static_cast<int>((waitUs + 999) / 1000));
  }
}

void SimLine::Send(std::span<const uint8_t> bytes) {
  if (baud_ <= 0) {
    WriteNow(bytes.data(), bytes.size());
    return;
  }
  // An idle line starts now; a busy one goes on where its last byte ends, so a late flush
  // catches up instead of losing the time it was late.
  if (queue_.empty()) lineFreeAtUs_ = std::max(lineFreeAtUs_, NowUs());
  queue_.insert(queue_.end(), bytes.begin(), bytes.end());
  Flush();
}

void SimLine::SendAfter(int delayMs, std::vector<uint8_t> bytes) {
  std::erase_if(delayed_, [](const std::unique_ptr<Timer>& t) { return !t->Running(); });
  auto timer = loop_.CreateTimer(TimerKind::OneShot, [this, b = std::move(bytes)] { Send(b); });
  timer->Start(delayMs);
  delayed_.push_back(std::move(timer));
}

void SimLine::Flush() {
  // Each byte takes 10 bits of line time; send what the line would have carried by now.
  const int64_t slotUs = 10'000'000 / baud_;
  const int64_t now = NowUs();
  std::vector<uint8_t> out;
  while (!queue_.empty() && lineFreeAtUs_ + slotUs <= now) {
    out.push_back(queue_.front());
    queue_.pop_front();
    lineFreeAtUs_ += slotUs;
  }
  if (!out.empty()) WriteNow(out.data(), out.size());
  if (!queue_.empty() && !flushTimer_->Running()) flushTimer_->Start(1);
}

void SimLine::WriteNow(const uint8_t* data, size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd_, data, n);
    if (w <= 0) return;  // nobody reads and the buffer is full: the bytes are lost, as on a line
    tx_ += static_cast<uint64_t>(w);
    data += w;
    n -= static_cast<size_t>(w);
  }
}

}  // namespace korvan::sim
