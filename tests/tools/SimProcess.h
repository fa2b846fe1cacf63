#pragma once
// relaysim as a test's peer: started on an ephemeral loopback port, its log in a file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Process.h"

namespace tooltest {

class SimProcess {
 public:
  // extra: relaysim options such as "--outputs", "0x21" or "--silent".
  explicit SimProcess(std::vector<std::string> extra = {}, std::string bind = "127.0.0.1",
                      int port = 0);
  ~SimProcess();

  int Port() const { return port_; }
  // One console command and its one-line answer.
  std::string Command(const std::string& line);
  // The request log so far: the requests' texts in order ("VEDOVIZ0", ...).
  std::vector<std::string> Requests() const;

 private:
  TempDir logDir_;
  std::unique_ptr<Process> process_;
  int port_ = 0;
};

// Runs the built relayctl with these arguments (RELAYCTL_HOST unset unless setup says).
RunResult Relayctl(const std::vector<std::string>& args, ProcessSetup setup = {});

// The output byte read straight through the device layer, not through relayctl.
std::uint8_t ReadOutputsDirectly(int port, const std::string& host = "127.0.0.1");

}  // namespace tooltest
