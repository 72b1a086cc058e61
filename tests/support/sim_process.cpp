#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace korvan::test {
namespace {

// Reads from fd until pred(text) holds, end of file, or timeoutMs.
template <typename Pred>
std::string ReadUntil(int fd, int timeoutMs, Pred pred) {
  std::string text;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred(text)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          end - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char buf[256];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  return text;
}

}  // namespace

SimProcess::SimProcess(const std::string& sim, const std::vector<std::string>& args,
                       const std::string& errPath) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    if (!errPath.empty()) {
      const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err >= 0) ::dup2(err, STDERR_FILENO);
    }
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    std::vector<char*> argv{const_cast<char*>(sim.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(sim.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  out_ = pipeFds[0];
  if (pid_ < 0) return;
  const std::string first =
      ReadUntil(out_, 5000, [](const std::string& t) { return t.find('\n') != std::string::npos; });
  const std::string prefix = "port\t";
  const auto nl = first.find('\n');
  if (first.compare(0, prefix.size(), prefix) == 0 && nl != std::string::npos)
    port_ = first.substr(prefix.size(), nl - prefix.size());
}

std::string SimProcess::Stop() {
  if (pid_ <= 0) return {};
  ::kill(pid_, SIGTERM);
  const std::string rest = ReadUntil(out_, 5000, [](const std::string&) { return false; });
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return rest;
}

SimProcess::~SimProcess() {
  Stop();
  if (out_ >= 0) ::close(out_);
}

}  // namespace korvan::test
