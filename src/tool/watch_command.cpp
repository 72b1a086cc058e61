// korvan-tool watch: the unit's status reports and panel changes, as a linked editor sees them.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "tool/commands.h"
#include "tool/live_session.h"

namespace korvan::tool {
namespace {

struct WatchOptions {
  std::string port;
  int device = 0;
  double seconds = 0;
};

int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char c = 1;
  (void)!::write(stopPipe[1], &c, 1);
}

int RunWatch(const WatchOptions& opt) {
  LiveSession session;
  Editor& editor = session.editor();
  editor.status().SetReportListener([&editor](const StatusReport& r) {
    std::printf("status");
    for (int k = 0; k < 9; ++k) std::printf("\t%d", r[k] & 7);
    std::printf("\t");
    for (int k = 0; k < 6; ++k) std::putchar(r[3 + k] & 0x20 ? '1' : '0');
    std::printf("\t%d\t%d\t%d\t%d\n", r[13], editor.status().LockState, r[14], r[15]);
    std::fflush(stdout);
  });
  editor.live().SetChangeListener([](const ParamChange& c) {
    std::printf("change\t%d\t%d\t%d\n", c.modix, c.mcix, c.value);
    std::fflush(stdout);
  });
  std::string error;
  int rc = 0;
  if (!session.Link(opt.port, opt.device, error, rc)) {
    std::cerr << "korvan-tool watch: " << error << '\n';
    return rc;
  }
  EventLoop& loop = session.loop();
  bool stop = false;
  if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    loop.WatchReadable(stopPipe[0], [&stop] { stop = true; });
  }
  const int64_t endMs =
      opt.seconds > 0 ? loop.NowMs() + static_cast<int64_t>(opt.seconds * 1000) : -1;
  while (!stop && editor.port().IsOpen() && (endMs < 0 || loop.NowMs() < endMs))
    loop.RunOnce(endMs < 0 ? 1000 : static_cast<int>(std::max<int64_t>(1, endMs - loop.NowMs())));
  if (!editor.port().IsOpen()) {
    std::cerr << "korvan-tool watch: the line hung up\n";
    return 1;
  }
  return 0;
}

}  // namespace

void AddWatchCommand(CLI::App& app, int& rc) {
  auto opt = std::make_shared<WatchOptions>();
  CLI::App* cmd = app.add_subcommand("watch", "Link to a unit and print its reports and changes");
  cmd->add_option("--port", opt->port, "device path (/dev/ttyUSB0) or COMn")->required();
  cmd->add_option("--device", opt->device, "the unit (1..16)")->check(CLI::Range(1, 16));
  cmd->add_option("--seconds", opt->seconds, "stop after this long (default: at Ctrl-C)")
      ->check(CLI::NonNegativeNumber);
  cmd->callback([opt, &rc] { rc = RunWatch(*opt); });
}

}  // namespace korvan::tool
