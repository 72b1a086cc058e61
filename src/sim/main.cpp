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

#include "sim/simulator.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char c = 1;
  (void)!::write(signalPipe[1], &c, 1);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"korvan-sim: Korvan units on a pseudo-terminal"};
  korvan::sim::SimOptions options;
  std::vector<std::string> specs;
  app.add_option("--device", options.device, "serve on this tty instead of a pseudo-terminal");
  app.add_option("--unit", specs, "a unit: dev=N,name=TEXT,version=MAJOR.MINOR (repeatable)");
  app.add_option("--baud", options.baud, "pace what the units send at this speed (0: no pacing)")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--seconds", options.seconds, "stop after this many seconds (0: at a signal)")
      ->check(CLI::NonNegativeNumber);
  app.add_flag("--echo", options.echo, "the line echoes everything the editor sends");
  app.add_option("--state", options.stateDir,
                 "load and save the units' memories in this folder (unitN-current.xpc, "
                 "unitN-internal.kvn, unitN-card.kvn, unitN-firmware.bin)");
  app.add_flag("--no-card", options.faults.noCard, "the units have no memory card");
  app.add_option("--bad-checksum", options.faults.badChecksum,
                 "send block K once with a wrong checksum")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--drop-block", options.faults.dropBlock,
                 "leave the first request of block K unanswered")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--stop-after-block", options.faults.stopAfterBlock,
                 "stop answering a transfer after block K")
      ->check(CLI::NonNegativeNumber);
  std::string lock, errorSpec;
  std::vector<std::string> panels;
  app.add_option("--lock", lock, "the units report a lock: page or global");
  app.add_option("--error", errorSpec, "report error TYPE (1..127) for operation OP once: TYPE:OP");
  app.add_option("--panel", panels,
                 "a change on the first unit's panel MS ms after start: MODIX:MCIX=STEP@MS "
                 "(repeatable)");
  app.add_flag("--trace", options.trace,
               "write the parameter changes received and made on the panel to stderr");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  if (!lock.empty() && !korvan::sim::ParseLock(lock, options.lockBits)) {
    std::cerr << "korvan-sim: --lock must be page or global, not '" << lock << "'\n";
    return 2;
  }
  if (!errorSpec.empty()) {
    korvan::sim::UnitState::Error e{};
    if (!korvan::sim::ParseError(errorSpec, e)) {
      std::cerr << "korvan-sim: --error must be TYPE:OP (1..127, 0..127), not '" << errorSpec
                << "'\n";
      return 2;
    }
    options.error = e;
  }
  for (const std::string& p : panels) {
    korvan::sim::SimOptions::Panel panel{};
    if (!korvan::sim::ParsePanel(p, panel)) {
      std::cerr << "korvan-sim: --panel must be MODIX:MCIX=STEP@MS, not '" << p << "'\n";
      return 2;
    }
    options.panel.push_back(panel);
  }
  if (specs.empty()) specs.push_back("");  // one unit with the defaults
  for (const std::string& spec : specs) {
    korvan::sim::SimUnit unit;
    std::string error;
    if (!korvan::sim::ParseUnitSpec(spec, unit, error)) {
      std::cerr << "korvan-sim: " << error << '\n';
      return 2;
    }
    options.units.push_back(unit);
  }

  korvan::sim::Simulator sim(options);
  std::string path, error;
  if (!sim.Open(path, error)) {
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
  sim.loop().WatchReadable(signalPipe[0], [&sim] { sim.Stop(); });

  std::printf("port\t%s\n", path.c_str());
  std::fflush(stdout);
  sim.Run();

  // Line time of both directions on a 38400 8N1 line: 10 bits a byte.
  const uint64_t rx = sim.line().RxBytes(), tx = sim.line().TxBytes();
  std::printf("stats\t%llu\t%llu\t%.3f\n", static_cast<unsigned long long>(rx),
              static_cast<unsigned long long>(tx), static_cast<double>(rx + tx) * 10.0 / 38400.0);
  std::fflush(stdout);
  return 0;
}
