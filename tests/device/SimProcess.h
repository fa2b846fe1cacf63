#pragma once
// relaysim from the build directory as a child process on an ephemeral loopback port, with
// its console on pipes.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace devicetest {

class SimProcess {
 public:
  // Starts RELAY_BINARY_DIR/relaysim --port 0 --quiet plus the extra arguments and reads
  // the port from its first line.
  explicit SimProcess(const std::vector<std::string>& args = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  std::uint16_t port() const { return port_; }
  // One console command and its one-line answer ("" when none came in time).
  std::string Command(const std::string& line);
  // Sends SIGTERM and returns the exit status (-1 when it did not end normally in time).
  int Stop();

 private:
  std::string ReadLine(int timeoutMs);

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string pending_;
  std::uint16_t port_ = 0;
};

// Runs relaysim with these arguments to its end; returns the exit status and its output.
int RunSim(const std::vector<std::string>& args, std::string* out = nullptr,
           std::string* err = nullptr);

}  // namespace devicetest
