#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/relayctl/Options.h"

namespace {

using relayctl::ParseCommandLine;

TEST(Options, DefaultsAndRepeatedHosts) {
  const auto parsed =
      ParseCommandLine({"-H", "127.0.0.1", "--host=localhost", "-H127.0.0.2", "status"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  const relayctl::Options& o = parsed.options;
  EXPECT_EQ(o.hosts, (std::vector<std::string>{"127.0.0.1", "localhost", "127.0.0.2"}));
  EXPECT_EQ(o.port, 7070);
  EXPECT_EQ(o.timeoutMs, 1000);
  EXPECT_EQ(o.retries, 0);
  EXPECT_FALSE(o.json);
  EXPECT_FALSE(o.quiet);
  EXPECT_EQ(o.command, "status");
}

TEST(Options, OptionsMayFollowTheCommand) {
  const auto parsed = ParseCommandLine(
      {"on", "1-3", "--stagger", "250", "-p", "7071", "--json", "-t", "200", "-r", "2", "-q"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  const relayctl::Options& o = parsed.options;
  EXPECT_EQ(o.command, "on");
  EXPECT_EQ(o.channels, 0x07);
  EXPECT_EQ(o.staggerMs, 250);
  EXPECT_EQ(o.port, 7071);
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.timeoutMs, 200);
  EXPECT_EQ(o.retries, 2);
  EXPECT_TRUE(o.quiet);
}

TEST(Options, CommandOptions) {
  auto parsed = ParseCommandLine({"cycle", "4", "--delay", "0.5"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_EQ(parsed.options.channels, 0x08);
  EXPECT_DOUBLE_EQ(parsed.options.delaySeconds, 0.5);

  parsed = ParseCommandLine({"watch", "--interval=0.25", "--count", "3"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_DOUBLE_EQ(parsed.options.intervalSeconds, 0.25);
  EXPECT_EQ(parsed.options.count, 3);

  parsed = ParseCommandLine({"set", "0xA5"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_EQ(parsed.options.mask, 0xA5);
}

TEST(Options, HelpAndVersionNeedNoCommand) {
  EXPECT_TRUE(ParseCommandLine({"--help"}).options.help);
  EXPECT_TRUE(ParseCommandLine({"--help"}).ok());
  EXPECT_TRUE(ParseCommandLine({"--version"}).ok());
}

TEST(Options, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"bogus"},
      {"status", "extra"},
      {"on"},
      {"on", "0"},
      {"on", "-1"},
      {"set"},
      {"set", "1", "2"},
      {"set", "256"},
      {"-H"},
      {"-H", "", "status"},
      {"-p", "0", "status"},
      {"-p", "65536", "status"},
      {"-p", "x", "status"},
      {"-t", "0", "status"},
      {"-t", "-5", "status"},
      {"-r", "101", "status"},
      {"--json=1", "status"},
      {"--frobnicate", "status"},
      {"off", "1", "--stagger", "10"},
      {"on", "1", "--delay", "1"},
      {"status", "--interval", "1"},
      {"cycle", "1", "--delay", "-1"},
      {"cycle", "1", "--delay", "nan"},
      {"cycle", "1", "--delay", "1e9"},
      {"watch", "--interval", "0"},
      {"watch", "--count", "0"},
  };
  for (const std::vector<std::string>& args : cases) {
    std::string shown;
    for (const std::string& a : args) shown += a + " ";
    const auto parsed = ParseCommandLine(args);
    EXPECT_FALSE(parsed.ok()) << shown;
  }
}

TEST(Options, DoubleDashEndsOptions) {
  // After "--", "-1" is a channel word, and a bad one.
  const auto parsed = ParseCommandLine({"on", "--", "-1"});
  ASSERT_FALSE(parsed.ok());
  EXPECT_NE(parsed.error.find("'-1'"), std::string::npos) << parsed.error;
}

}  // namespace
