// Where relayctl finds its controllers: -H, RELAYCTL_HOST, ./relaypanel.ini.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "Json.h"
#include "Relayctl.h"
#include "support/ScratchDir.h"
#include "support/SimProcess.h"

namespace {

using namespace testsupport;
using namespace tooltest;

const std::string kIni =
    "[relaypanel]\r\nIPV4=127.0.0.1\r\nPort=80\r\nTimer=10\r\n\r\n[ON/OFF]\r\nS_CBx_1=0\r\n\r\n";

TEST(RelayctlHosts, TakesTheAddressFromRelaypanelIniAndLeavesTheFileAlone) {
  SimProcess sim({"--outputs", "33"});
  ScratchDir dir;
  dir.Write("relaypanel.ini", kIni);
  ProcessSetup setup;
  setup.cwd = dir.Path();
  const RunResult run = Relayctl({"-p", std::to_string(sim.port()), "outputs"}, setup);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "33\n");
  EXPECT_EQ(dir.Read("relaypanel.ini"), kIni);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"relaypanel.ini"});
}

TEST(RelayctlHosts, EnvironmentComesBeforeTheIniAndHostOptionBeforeBoth) {
  SimProcess sim({"--outputs", "7"});
  const std::string port = std::to_string(sim.port());
  ScratchDir dir;
  // Nothing listens on 127.0.0.2 at this port: taking it would fail.
  dir.Write("relaypanel.ini", "[relaypanel]\nIPV4=127.0.0.2\n");
  ProcessSetup setup;
  setup.cwd = dir.Path();
  setup.env["RELAYCTL_HOST"] = " 127.0.0.1 ";
  RunResult run = Relayctl({"-p", port, "-t", "300", "outputs"}, setup);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "7\n");

  setup.env["RELAYCTL_HOST"] = "127.0.0.2";
  run = Relayctl({"-H", "127.0.0.1", "-p", port, "-t", "300", "outputs"}, setup);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "7\n");
}

TEST(RelayctlHosts, NoAddressAnywhereIsAUsageError) {
  struct Case {
    const char* ini;  // nullptr: no file
    const char* message;
  };
  const Case cases[] = {
      {nullptr, "no controller address"},
      {"[relaypanel]\r\nPort=80\r\n", "has no IPV4 value"},
      {"[other]\r\nIPV4=127.0.0.1\r\n", "has no IPV4 value"},
      {"[relaypanel]\r\nIPV4=  \r\n", "has no IPV4 value"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    if (c.ini) dir.Write("relaypanel.ini", c.ini);
    ProcessSetup setup;
    setup.cwd = dir.Path();
    setup.env["RELAYCTL_HOST"] = "";
    const RunResult run = Relayctl({"status"}, setup);
    EXPECT_EQ(run.exitCode, 2) << (c.ini ? c.ini : "(none)");
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("RELAYCTL_HOST"), std::string::npos) << run.err;
  }
}

TEST(RelayctlHosts, UnreadableIniIsAUsageErrorNotACrash) {
  // A directory opens like a file but does not read.
  ScratchDir dir;
  ASSERT_EQ(::mkdir((dir.Path() + "/relaypanel.ini").c_str(), 0700), 0);
  ProcessSetup setup;
  setup.cwd = dir.Path();
  setup.env["RELAYCTL_HOST"] = "";
  const RunResult run = Relayctl({"status"}, setup);
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("relayctl: cannot read relaypanel.ini; give -H HOST"), std::string::npos)
      << run.err;
}

// Two simulators on one port, on two loopback addresses.
struct TwoSims {
  SimProcess first{{"--outputs", "1"}, "127.0.0.1", 0};
  SimProcess second{{"--outputs", "2"}, "127.0.0.2", first.port()};
  std::string Port() const { return std::to_string(first.port()); }
};

TEST(RelayctlHosts, SeveralHostsEachNamedInTurn) {
  TwoSims sims;
  RunResult run = Relayctl({"-H", "127.0.0.1", "-H", "127.0.0.2", "-p", sims.Port(), "outputs"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "127.0.0.1: 1\n127.0.0.2: 2\n");

  run = Relayctl({"-H", "127.0.0.2", "-H", "127.0.0.1", "-p", sims.Port(), "--json", "on", "4"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::size_t newline = run.out.find('\n');
  ASSERT_NE(newline, std::string::npos) << run.out;
  const auto first = ParseJson(run.out.substr(0, newline));
  const auto second = ParseJson(run.out.substr(newline + 1));
  ASSERT_TRUE(first && second) << run.out;
  EXPECT_EQ((*first)["host"].String(), "127.0.0.2");
  EXPECT_EQ((*first)["outputs"]["byte"].Number(), 10);
  EXPECT_EQ((*second)["host"].String(), "127.0.0.1");
  EXPECT_EQ((*second)["outputs"]["byte"].Number(), 9);
}

TEST(RelayctlHosts, ExitCodeIsTheWorstAndTheOthersStillRun) {
  TwoSims sims;
  // 127.0.0.3 has no simulator: it fails, the hosts around it still answer.
  const RunResult run = Relayctl({"-H", "127.0.0.1", "-H", "127.0.0.3", "-H", "127.0.0.2", "-p",
                                  sims.Port(), "-t", "200", "outputs"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "127.0.0.1: 1\n127.0.0.2: 2\n");
  EXPECT_NE(run.err.find("127.0.0.3:" + sims.Port() + ": no answer"), std::string::npos) << run.err;
}

}  // namespace
