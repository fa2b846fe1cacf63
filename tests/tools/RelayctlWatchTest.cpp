// relayctl watch against a relaysim whose inputs change while it runs.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <optional>
#include <string>

#include "Json.h"
#include "Relayctl.h"
#include "support/SimProcess.h"

namespace {

using namespace testsupport;
using namespace tooltest;
using namespace std::chrono_literals;

TEST(RelayctlWatch, OneLinePerChangeAndCleanEndOnSigint) {
  SimProcess sim({"--outputs", "1"});
  ProcessSetup setup;
  setup.argv = {RelayctlPath(), "-H",         "127.0.0.1", "-p", std::to_string(sim.port()),
                "watch",        "--interval", "0.05"};
  Process watch(setup);
  const std::optional<std::string> first = watch.ReadLine(5000ms);
  ASSERT_TRUE(first);
  EXPECT_NE(first->find("Z inputs 255 1:off"), std::string::npos) << *first;
  EXPECT_NE(first->find(" outputs 1 1:on"), std::string::npos) << *first;
  // Several polls without a change print nothing.
  EXPECT_FALSE(watch.ReadLine(300ms));

  EXPECT_EQ(sim.Command("input 3 on").rfind("ok", 0), 0u);
  const std::optional<std::string> second = watch.ReadLine(5000ms);
  ASSERT_TRUE(second);
  EXPECT_NE(second->find("inputs 251 1:off 2:off 3:on"), std::string::npos) << *second;

  EXPECT_EQ(sim.Command("output 2 on").rfind("ok", 0), 0u);
  const std::optional<std::string> third = watch.ReadLine(5000ms);
  ASSERT_TRUE(third);
  EXPECT_NE(third->find("outputs 3 1:on 2:on"), std::string::npos) << *third;

  watch.Signal(SIGINT);
  EXPECT_EQ(watch.Wait(3000ms), 0);
  EXPECT_EQ(watch.Stderr(), "");
}

TEST(RelayctlWatch, CountEndsItAndJsonLinesCarryTheTime) {
  SimProcess sim({"--outputs", "5", "--inputs", "0xFE"});
  const RunResult run = Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "--json",
                                  "watch", "--interval", "0.02", "--count", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // Three polls, one state: one line.
  ASSERT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
  const auto record = ParseJson(run.out);
  ASSERT_TRUE(record) << run.out;
  EXPECT_EQ((*record)["host"].String(), "127.0.0.1");
  EXPECT_EQ((*record)["time"].String().size(), 24u);
  EXPECT_EQ((*record)["inputs"]["byte"].Number(), 0xFE);
  EXPECT_EQ((*record)["outputs"]["byte"].Number(), 5);
  EXPECT_EQ(sim.Requests().size(), 6u);
}

TEST(RelayctlWatch, AControllerThatStopsAnsweringIsReportedOnceAndFailsTheRun) {
  SimProcess sim({"--silent"});
  const RunResult run = Relayctl({"-H", "127.0.0.1", "-p", std::to_string(sim.port()), "-t", "50",
                                  "watch", "--interval", "0.01", "--count", "3"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  size_t reports = 0;
  for (std::size_t at = run.err.find("no answer"); at != std::string::npos;
       at = run.err.find("no answer", at + 1)) {
    ++reports;
  }
  EXPECT_EQ(reports, 1u) << run.err;
}

}  // namespace
