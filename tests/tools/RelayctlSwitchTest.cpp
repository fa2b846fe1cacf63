// relayctl switching real relaysim outputs on loopback.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Json.h"
#include "Relayctl.h"
#include "support/SimProcess.h"

namespace {

using namespace testsupport;
using namespace tooltest;

std::string Port(const SimProcess& sim) {
  return std::to_string(sim.port());
}

std::vector<std::string> Writes(const SimProcess& sim) {
  std::vector<std::string> writes;
  for (const std::string& r : sim.Requests()) {
    if (r.rfind("VEDOVIZ1", 0) == 0) writes.push_back(r);
  }
  return writes;
}

struct SwitchCase {
  const char* initial;
  std::vector<std::string> command;
  unsigned expected;
};

TEST(RelayctlSwitch, ChangesOnlyTheNamedChannelsOverTheCurrentOutputs) {
  const SwitchCase cases[] = {
      {"0xA1", {"on", "3"}, 0xA5},       {"0xA5", {"on", "3"}, 0xA5},
      {"0xA1", {"off", "1"}, 0xA0},      {"0xA1", {"off", "3"}, 0xA1},
      {"0xA1", {"toggle", "1,2"}, 0xA2}, {"0x0F", {"toggle", "3-6"}, 0x33},
      {"0x00", {"on", "all"}, 0xFF},     {"0xFF", {"off", "5-8"}, 0x0F},
      {"0x12", {"set", "0x5a"}, 0x5A},   {"0x12", {"set", "0"}, 0x00},
      {"0x12", {"set", "255"}, 0xFF},
  };
  for (const SwitchCase& c : cases) {
    SimProcess sim({"--outputs", c.initial});
    std::vector<std::string> args = {"-H", "127.0.0.1", "-p", Port(sim)};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const RunResult run = Relayctl(args);
    const std::string label = std::string(c.initial) + " " + c.command[0] + " " + c.command[1];
    EXPECT_EQ(run.exitCode, 0) << label << "\n" << run.err;
    EXPECT_EQ(run.err, "") << label;
    EXPECT_EQ(run.out.rfind("outputs " + std::to_string(c.expected) + " ", 0), 0u)
        << label << ": " << run.out;
    // One write of the whole byte, and the controller now holds it.
    EXPECT_EQ(Writes(sim), std::vector<std::string>{"VEDOVIZ1" + std::to_string(c.expected)})
        << label;
    EXPECT_EQ(ReadOutputsDirectly(sim.port()), c.expected) << label;
  }
}

TEST(RelayctlSwitch, StatusShowsBothBytesAndInputsInverted) {
  SimProcess sim({"--outputs", "0x21", "--inputs", "0xFE"});
  const RunResult run = Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "status"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "inputs 254 1:on 2:off 3:off 4:off 5:off 6:off 7:off 8:off\n"
            "outputs 33 1:on 2:off 3:off 4:off 5:off 6:on 7:off 8:off\n");
}

TEST(RelayctlSwitch, JsonStatusIsValidJsonWithBothBytes) {
  SimProcess sim({"--outputs", "0x21", "--inputs", "0x7E"});
  const RunResult run = Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "--json", "status"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::optional<Json> json = ParseJson(run.out);
  ASSERT_TRUE(json) << run.out;
  EXPECT_EQ((*json)["host"].String(), "127.0.0.1");
  EXPECT_EQ((*json)["inputs"]["byte"].Number(), 0x7E);
  EXPECT_EQ((*json)["outputs"]["byte"].Number(), 0x21);
  const bool inputsOn[] = {true, false, false, false, false, false, false, true};
  const bool outputsOn[] = {true, false, false, false, false, true, false, false};
  for (int ch = 1; ch <= 8; ++ch) {
    EXPECT_EQ((*json)["inputs"]["channels"][std::to_string(ch)].Bool(), inputsOn[ch - 1]) << ch;
    EXPECT_EQ((*json)["outputs"]["channels"][std::to_string(ch)].Bool(), outputsOn[ch - 1]) << ch;
  }
}

TEST(RelayctlSwitch, ByteCommandsPrintTheByteAlone) {
  SimProcess sim({"--outputs", "129", "--inputs", "0x0F"});
  EXPECT_EQ(Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "outputs"}).out, "129\n");
  EXPECT_EQ(Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "inputs"}).out, "15\n");
}

TEST(RelayctlSwitch, StaggerSwitchesOneChannelAtATime) {
  SimProcess sim({"--outputs", "0x02"});
  const RunResult run =
      Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "on", "1-3", "--stagger", "150"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // Channel 2 is on already: two writes, one gap between them.
  EXPECT_EQ(Writes(sim), (std::vector<std::string>{"VEDOVIZ13", "VEDOVIZ17"}));
  EXPECT_GE(run.elapsed.count(), 150);
  EXPECT_EQ(run.out.rfind("outputs 7 ", 0), 0u) << run.out;
}

TEST(RelayctlSwitch, CycleSwitchesOffWaitsAndSwitchesOn) {
  SimProcess sim({"--outputs", "0x03"});
  const RunResult run =
      Relayctl({"-H", "127.0.0.1", "-p", Port(sim), "cycle", "2", "--delay", "0.3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Writes(sim), (std::vector<std::string>{"VEDOVIZ11", "VEDOVIZ13"}));
  EXPECT_GE(run.elapsed.count(), 300);
  EXPECT_EQ(ReadOutputsDirectly(sim.port()), 3);
}

TEST(RelayctlSwitch, QuietPrintsNothingButStillSwitches) {
  SimProcess sim;
  const RunResult run = Relayctl({"-q", "-H", "127.0.0.1", "-p", Port(sim), "on", "8"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadOutputsDirectly(sim.port()), 0x80);
}

// A controller that acknowledges every write and keeps its outputs as they were: the
// read-back must catch it.
class StubbornController {
 public:
  explicit StubbornController(int outputs) : outputs_(outputs) {
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    local.sin_port = 0;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
      throw std::runtime_error("cannot bind the stub controller");
    }
    socklen_t len = sizeof local;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len);
    port_ = ntohs(local.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~StubbornController() {
    stop_ = true;
    thread_.join();
    ::close(fd_);
  }
  int Port() const { return port_; }

 private:
  void Serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char buffer[512];
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t got =
          ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (got <= 0) continue;
      const std::string request(buffer, static_cast<std::size_t>(got));
      std::string reply;
      if (request == "VEDOVIZ0") reply = "255";
      if (request == "VEDOVIZ2") reply = std::to_string(outputs_);
      if (request.rfind("VEDOVIZ1", 0) == 0) reply = "0";
      if (reply.empty()) continue;
      ::sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
    }
  }

  int outputs_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(RelayctlSwitch, ReadBackThatDisagreesFailsAndShowsTheRealState) {
  StubbornController controller(1);
  const RunResult run =
      Relayctl({"-H", "127.0.0.1", "-p", std::to_string(controller.Port()), "on", "3"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("read-back shows outputs 1, 5 was written"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.rfind("outputs 1 ", 0), 0u) << run.out;
}

}  // namespace
