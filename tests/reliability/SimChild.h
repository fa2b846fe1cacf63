#pragma once
// relaysim from the build directory as a child process, listening on a loopback address of
// the test's own (port 7070, the protocol's), with its console on pipes.

#include <sys/types.h>

#include <string>
#include <vector>

namespace reliability {

class SimChild {
 public:
  // Starts relaysim --bind address --port port --quiet plus the extra arguments and waits
  // for its "listening" line. Throws when it does not come up. Loopback addresses only.
  SimChild(const std::string& address, int port, const std::vector<std::string>& args = {});
  ~SimChild();
  SimChild(const SimChild&) = delete;
  SimChild& operator=(const SimChild&) = delete;

  int port() const { return port_; }
  // One console command and its one-line answer ("" when none came in time).
  std::string Command(const std::string& line);

 private:
  std::string ReadLine(int timeoutMs);
  void Stop();

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  int port_ = 0;
  std::string pending_;
};

}  // namespace reliability
