#pragma once
// The simulator as a whole: the options it was started with, the line, the units on it and the
// unit-side dispatcher, all driven by one event loop.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "sim/frame_reader.h"
#include "sim/sim_line.h"
#include "sim/sim_transfer.h"
#include "sim/sim_unit.h"
#include "sim/unit_dispatcher.h"
#include "sim/unit_state.h"

namespace korvan::sim {

struct SimOptions {
  std::string device;                     // a tty to serve on; empty: a new pseudo-terminal
  std::vector<SimUnit> units;             // at least one
  int baud = 38400;                       // pacing of what the units send; 0: none
  double seconds = 0;                     // stop after this long; 0: at SIGTERM/SIGINT only
  bool echo = false;                      // the line echoes what the editor sends
  int lockBits = 0;                       // --lock: 1 page, 2 global
  std::optional<UnitState::Error> error;  // --error TYPE:OP, reported once
  struct Panel {
    int modix, mcix, step, ms;
  };
  std::vector<Panel> panel;  // --panel MODIX:MCIX=STEP@MS, on the first unit
  bool trace = false;        // parameter changes on stderr
  std::string stateDir;      // where the units' memories are loaded from and saved to
  TransferFaults faults;
};

// "page" or "global"; "TYPE:OP"; "MODIX:MCIX=STEP@MS". False when the text is not one.
bool ParseLock(const std::string& text, int& bits);
bool ParseError(const std::string& text, UnitState::Error& error);
bool ParsePanel(const std::string& text, SimOptions::Panel& panel);

class Simulator {
 public:
  // Units answer a search one after another, each well clear of the reply before it.
  static constexpr int kFirstReplyMs = 20;
  static constexpr int kReplySpacingMs = 40;

  explicit Simulator(SimOptions options);

  // Opens the line; path is what the editor opens. False with a reason in error.
  bool Open(std::string& path, std::string& error);
  // Serves until Stop(), the time limit, or a hang-up of the line.
  void Run();
  void Stop() { loop_.Quit(); }

  EventLoop& loop() { return loop_; }
  const SimLine& line() const { return line_; }

 private:
  SimOptions options_;
  EventLoop loop_;
  SimLine line_;
  std::vector<std::unique_ptr<UnitState>> states_;
  UnitDispatcher dispatcher_;
  SimTransfer transfer_;
  FrameReader reader_;
  std::unique_ptr<Timer> stopTimer_;
  std::vector<std::unique_ptr<Timer>> panelTimers_;
};

}  // namespace korvan::sim
