#pragma once
// korvan-sim run as a child process for end-to-end tests: started with its arguments, its
// "port" line read, stopped with SIGTERM and its "stats" line collected.

#include <sys/types.h>

#include <string>
#include <vector>

namespace korvan::test {

class SimProcess {
 public:
  // Starts sim with args and waits (at most 5 s) for its port line; Port() is empty on failure.
  // With errPath, the simulator's stderr goes to that file.
  SimProcess(const std::string& sim, const std::vector<std::string>& args,
             const std::string& errPath = "");
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& Port() const { return port_; }
  // SIGTERM, then waits for the exit; returns the rest of its output (the stats line).
  std::string Stop();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string port_;
};

}  // namespace korvan::test
