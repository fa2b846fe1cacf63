// relayctl against a relaysim in its fault modes, and bad command lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Relayctl.h"
#include "support/SimProcess.h"

namespace {

using namespace testsupport;
using namespace tooltest;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RelayctlFaults, SilentControllerFailsAfterTheTimeoutAndEveryRetry) {
  struct Case {
    std::string retries;
    std::size_t requests;
    const char* tries;
  };
  for (const Case& c : {Case{"0", 1, "(1 try)"}, Case{"2", 3, "(3 tries)"}}) {
    SimProcess sim({"--silent"});
    const RunResult run = Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t",
                                    "200", "-r", c.retries, "status"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, "127.0.0.1:" + std::to_string(sim.port()) +
                                      ": no answer to the input read within 200 ms"))
        << run.err;
    EXPECT_TRUE(Contains(run.err, c.tries)) << run.err;
    // Each try is a real request, and the wait is the timeout given, not the default.
    const std::vector<std::string> requests = sim.Requests();
    EXPECT_EQ(requests, std::vector<std::string>(c.requests, "VEDOVIZ0"));
    const long expected = 200L * static_cast<long>(c.requests);
    EXPECT_GE(run.elapsed.count(), expected - 20);
    EXPECT_LT(run.elapsed.count(), expected + 1500);
  }
}

TEST(RelayctlFaults, RepliesWithoutAByteAreFailuresNotStates) {
  struct Case {
    const char* fault;
    const char* message;
  };
  const Case cases[] = {
      {"--no-digits", "the input reply holds no number"},
      {"--empty", "no answer to the input read"},
      {"--oversize", "input read failed"},
  };
  for (const Case& c : cases) {
    for (const char* command : {"status", "inputs"}) {
      SimProcess sim({c.fault});
      const RunResult run =
          Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t", "300", command});
      EXPECT_EQ(run.exitCode, 1) << c.fault << " " << command;
      EXPECT_EQ(run.out, "") << c.fault << " " << command;
      EXPECT_TRUE(Contains(run.err, c.message)) << c.fault << ": " << run.err;
    }
  }
}

TEST(RelayctlFaults, GarbageOutputReplyStopsASwitchBeforeAnyWrite) {
  SimProcess sim({"--no-digits", "--outputs", "1"});
  const RunResult run =
      Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t", "300", "on", "3"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Contains(run.err, "the output reply holds no number")) << run.err;
  EXPECT_EQ(sim.Requests(), std::vector<std::string>{"VEDOVIZ2"});
}

TEST(RelayctlFaults, RefusedWriteFailsAndLeavesTheOutputs) {
  SimProcess sim({"--refuse-writes", "--outputs", "1"});
  const RunResult run =
      Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t", "300", "on", "3"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "did not acknowledge the write of 5")) << run.err;
  EXPECT_EQ(ReadOutputsDirectly(sim.port()), 1);
}

TEST(RelayctlFaults, RetriesRecoverFromDroppedRequests) {
  // The simulator drops most requests; its seed makes the run repeat. Enough retries get
  // one through, each retry a request of its own.
  SimProcess sim({"--drop", "0.7", "--seed", "2", "--outputs", "9"});
  const RunResult run = Relayctl(
      {"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t", "100", "-r", "20", "outputs"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "9\n");
  const std::vector<std::string> requests = sim.Requests();
  EXPECT_GT(requests.size(), 1u);
  EXPECT_EQ(requests, std::vector<std::string>(requests.size(), "VEDOVIZ2"));
}

TEST(RelayctlFaults, BadCommandLinesAreUsageErrorsAndSendNothing) {
  SimProcess sim({"--outputs", "1"});
  const std::string port = std::to_string(sim.port());
  const std::vector<std::vector<std::string>> cases = {
      {"on", "0"},
      {"on", "9"},
      {"on", "1-9"},
      {"on", "x"},
      {"off", "4-1"},
      {"toggle"},
      {"on", "-1"},
      {"cycle", "0"},
      {"set", "256"},
      {"set", "0x100"},
      {"bogus"},
      {"status", "extra"},
      {"on", "1", "--delay", "1"},
      {},
  };
  for (const std::vector<std::string>& words : cases) {
    std::vector<std::string> args = {"-H", "127.0.0.1", "-p", port};
    args.insert(args.end(), words.begin(), words.end());
    const RunResult run = Relayctl(args);
    const std::string label = words.empty() ? "(no command)" : words.front();
    EXPECT_EQ(run.exitCode, 2) << label;
    EXPECT_EQ(run.out, "") << label;
    EXPECT_EQ(run.err.rfind("relayctl: ", 0), 0u) << label << ": " << run.err;
    EXPECT_TRUE(Contains(run.err, "relayctl --help")) << run.err;
  }
  EXPECT_EQ(Relayctl({"-p", "0", "-H", "127.0.0.1", "status"}).exitCode, 2);
  EXPECT_TRUE(sim.Requests().empty());
  EXPECT_EQ(ReadOutputsDirectly(sim.port()), 1);
}

TEST(RelayctlFaults, HelpAndVersionGoToStdout) {
  const RunResult help = Relayctl({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Usage: relayctl", 0), 0u);
  const RunResult version = Relayctl({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("relayctl ", 0), 0u);
}

}  // namespace
