// korvan-sim: one or more Korvan units on a pseudo-terminal (or a given tty), so the editor and
// korvan-tool can be tried and tested without hardware.

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "sim/frame_reader.h"
#include "sim/sim_line.h"
#include "sim/sim_unit.h"
#include "sim/unit_dispatcher.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char c = 1;
  (void)!::write(signalPipe[1], &c, 1);
}

// Units answer a search one after another, each well clear of the reply before it.
constexpr int kFirstReplyMs = 20;
constexpr int kReplySpacingMs = 40;

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"korvan-sim: Korvan units on a pseudo-terminal"};
  std::string device;
  std::vector<std::string> specs;
  int baud = 38400;
  double seconds = 0;
  bool echo = false;
  app.add_option("--device", device, "serve on this tty instead of a new pseudo-terminal");
  app.add_option("--unit", specs, "a unit: dev=N,name=TEXT,version=MAJOR.MINOR (repeatable)");
  app.add_option("--baud", baud, "pace what the units send as this line speed (0: no pacing)")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--seconds", seconds, "stop after this many seconds (0: until a signal)")
      ->check(CLI::NonNegativeNumber);
  app.add_flag("--echo", echo, "the line echoes everything the editor sends");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  std::vector<korvan::sim::SimUnit> units;
  if (specs.empty()) specs.push_back("");
  for (const std::string& spec : specs) {
    korvan::sim::SimUnit unit;
    std::string error;
    if (!korvan::sim::ParseUnitSpec(spec, unit, error)) {
      std::cerr << "korvan-sim: " << error << '\n';
      return 2;
    }
    unit.replyDelayMs = kFirstReplyMs + kReplySpacingMs * static_cast<int>(units.size());
    units.push_back(unit);
  }

  korvan::EventLoop loop;
  korvan::sim::SimLine line(loop, baud);
  std::string path = device, error;
  if (device.empty() ? !line.OpenPty(path, error) : !line.OpenDevice(device, error)) {
    std::cerr << "korvan-sim: " << error << '\n';
    return 1;
  }

  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("korvan-sim: pipe");
    return 1;
  }
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  ::sigaction(SIGTERM, &sa, nullptr);
  ::sigaction(SIGINT, &sa, nullptr);
  loop.WatchReadable(signalPipe[0], [&loop] { loop.Quit(); });

  korvan::sim::UnitDispatcher dispatcher(line, units);
  korvan::sim::FrameReader reader([&](std::span<const uint8_t> f) { dispatcher.OnFrame(f); });
  line.Start(
      [&](std::span<const uint8_t> bytes) {
        if (echo) line.Send(bytes);
        reader.Feed(bytes);
      },
      [&loop] { loop.Quit(); });

  auto stopTimer = loop.CreateTimer(korvan::TimerKind::OneShot, [&loop] { loop.Quit(); });
  if (seconds > 0) stopTimer->Start(static_cast<int>(seconds * 1000));

  std::printf("port\t%s\n", path.c_str());
  std::fflush(stdout);
  loop.Run();

  // Line time of both directions on a 38400 8N1 line: 10 bits a byte.
  const uint64_t rx = line.RxBytes(), tx = line.TxBytes();
  std::printf("stats\t%llu\t%llu\t%.3f\n", static_cast<unsigned long long>(rx),
              static_cast<unsigned long long>(tx), static_cast<double>(rx + tx) * 10.0 / 38400.0);
  std::fflush(stdout);
  return 0;
}
