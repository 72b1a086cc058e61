#pragma once
// The simulator's end of the line: a pseudo-terminal (or a given tty), both directions paced as a
// real line at the chosen baud rate (what the units send leaves no faster, what the editor sends
// is taken only once it would have arrived), optional echo of everything received, and byte
// counts.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/event_loop.h"

namespace korvan::sim {

class SimLine {
 public:
  SimLine(EventLoop& loop, int baud);
  ~SimLine();
  SimLine(const SimLine&) = delete;
  SimLine& operator=(const SimLine&) = delete;

  // Opens a new pseudo-terminal; path is the side the editor opens.
  bool OpenPty(std::string& path, std::string& error);
  // Opens the given tty (raw, 38400 8N1).
  bool OpenDevice(const std::string& path, std::string& error);

  // Called with every chunk received; onHangUp when the line is gone.
  void Start(std::function<void(std::span<const uint8_t>)> onBytes, std::function<void()> onHangUp);

  void Send(std::span<const uint8_t> bytes);
  void SendAfter(int delayMs, std::vector<uint8_t> bytes);

  uint64_t RxBytes() const { return rx_; }
  uint64_t TxBytes() const { return tx_; }

 private:
  void OnReadable();
  void Deliver();
  void Flush();
  void WriteNow(const uint8_t* data, size_t n);

  EventLoop& loop_;
  int baud_;
  int fd_ = -1;
  int keepOpenFd_ = -1;  // our own hold on the pty's other side, so it never reads as hung up
  std::function<void(std::span<const uint8_t>)> onBytes_;
  std::function<void()> onHangUp_;
  std::deque<uint8_t> queue_;
  int64_t lineFreeAtUs_ = 0;
  std::unique_ptr<Timer> flushTimer_;
  std::vector<std::unique_ptr<Timer>> delayed_;
  uint64_t rx_ = 0, tx_ = 0;
  // Received chunks waiting for the time their last byte would have arrived (paced only).
  std::deque<std::pair<int64_t, std::vector<uint8_t>>> rxQueue_;
  int64_t rxLineFreeAtUs_ = 0;
  std::unique_ptr<Timer> deliverTimer_;
};

}  // namespace korvan::sim
