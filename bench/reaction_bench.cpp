// The editor's reaction to a frame from the unit: from the frame's last byte written to the
// pseudo-terminal the editor's port sits on, to its handler having run (a status report decoded,
// a parameter change applied). Readiness of the port wakes the receive tick at once; the 50 ms
// CommTimer alone makes the frame wait for the next poll. Reported: median and p99 in µs.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "core/event_loop.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "link/sysex.h"

namespace korvan {
namespace {

enum class FrameKind { Status, Change };

struct Pty {
  int master = -1;
  std::string slave;
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
    slave = ::ptsname(master);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
  }
};

void Reaction(benchmark::State& state, FrameKind kind, bool readiness) {
  Pty pty;
  if (pty.slave.empty()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  SilentUi ui;
  EventLoop loop;
  PosixPortSystem ports;
  ports.Pin(1, pty.slave);
  Editor editor(
      ui, loop,
      {.ports = &ports, .watcher = readiness ? &loop : nullptr, .logFolder = std::nullopt});
  editor.port().portNumber = 1;
  if (!editor.port().OpenPort()) {
    state.SkipWithError("cannot open the pseudo-terminal");
    return;
  }
  bool handled = false;
  std::chrono::steady_clock::time_point handledAt;
  auto done = [&] {
    handled = true;
    handledAt = std::chrono::steady_clock::now();
  };
  editor.status().SetReportListener([&](const StatusReport&) { done(); });
  editor.live().SetChangeListener([&](const ParamChange&) { done(); });

  std::mt19937 rng(7);
  std::uniform_int_distribution<int> offset(0, SerialPort::kCommIntervalMs - 1);
  std::vector<double> samples;
  int n = 0;
  for (auto _ : state) {
    Frame f;
    if (kind == FrameKind::Status) {
      std::vector<uint8_t> r(16, 0);
      r[0] = static_cast<uint8_t>(n & 7);
      f = MakeStatus(1, r);
    } else {
      const auto e = Model::EncodeChange(7, 2, 100 + (n & 63));
      f = MakeParamChanges(1, e);
    }
    ++n;
    // Arrivals fall anywhere in the poll period, as a unit's answers do.
    if (!readiness) loop.RunUntil([] { return false; }, offset(rng));
    handled = false;
    const auto written = std::chrono::steady_clock::now();
    if (::write(pty.master, f.data(), f.size()) != static_cast<ssize_t>(f.size())) {
      state.SkipWithError("write failed");
      return;
    }
    if (!loop.RunUntil([&] { return handled; }, 1000)) {
      state.SkipWithError("no reaction within 1 s");
      return;
    }
    const double us = std::chrono::duration<double, std::micro>(handledAt - written).count();
    state.SetIterationTime(us / 1e6);
    samples.push_back(us);
  }
  std::sort(samples.begin(), samples.end());
  if (samples.empty()) return;
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

void BM_StatusReportReadiness(benchmark::State& s) {
  Reaction(s, FrameKind::Status, true);
}
void BM_StatusReportPollOnly(benchmark::State& s) {
  Reaction(s, FrameKind::Status, false);
}
void BM_ParamChangeReadiness(benchmark::State& s) {
  Reaction(s, FrameKind::Change, true);
}
void BM_ParamChangePollOnly(benchmark::State& s) {
  Reaction(s, FrameKind::Change, false);
}

BENCHMARK(BM_StatusReportReadiness)
    ->UseManualTime()
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusReportPollOnly)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParamChangeReadiness)
    ->UseManualTime()
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParamChangePollOnly)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvan

BENCHMARK_MAIN();
