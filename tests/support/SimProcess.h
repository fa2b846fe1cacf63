#pragma once
// relaysim from the build directory as a test's peer: a child process on a loopback
// address, its console on pipes, its log in a file of its own.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/Process.h"
#include "support/ScratchDir.h"

namespace testsupport {

class SimProcess {
 public:
  // Starts relaysim --bind bind --port port plus extra ("--outputs", "0x21", "--silent",
  // ...) and reads the port from its "listening" line; port 0 takes a free one. Loopback
  // addresses only. Throws when it does not come up.
  explicit SimProcess(std::vector<std::string> extra = {}, std::string bind = "127.0.0.1",
                      int port = 0);
  ~SimProcess();  // Stop()
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  int port() const { return port_; }
  // One console command and its one-line answer ("" when none came in time).
  std::string Command(const std::string& line);
  // Sends SIGTERM and returns the exit code (128 + signal when killed, -1 when it did not
  // end in time). Once
  // stopped, it returns the same status again.
  int Stop();
  // The request log so far: the requests' texts in order ("VEDOVIZ0", ...).
  std::vector<std::string> Requests() const;

 private:
  ScratchDir logDir_;
  std::unique_ptr<Process> process_;
  int port_ = 0;
  std::optional<int> stopped_;
};

// Runs relaysim with these arguments to its end (standard input closed); returns the exit
// status (-1 when it did not end in time) and its output.
int RunSim(const std::vector<std::string>& args, std::string* out = nullptr,
           std::string* err = nullptr);

}  // namespace testsupport
