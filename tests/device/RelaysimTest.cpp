// relaysim as a real peer: the protocol, the console and some fault modes.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "device/UdpLink.h"
#include "device/VORuzovU.h"
#include "support/SimProcess.h"

namespace {

using testsupport::RunSim;
using testsupport::SimProcess;

constexpr int kWaitMs = 500;  // relaysim answers at once unless a fault says otherwise
const std::string kLoopback = "127.0.0.1";

TEST(Relaysim, DefaultsAnswerWithDigitsAndKeepWrites) {
  SimProcess sim;
  device::UdpLink link;
  link.Send(kLoopback, sim.port(), "VEDOVIZ2");
  const auto reply = link.Receive(kWaitMs);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->bytes, "0");
  EXPECT_EQ(reply->fromPort, sim.port());

  std::uint8_t value = 77;
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 255);

  link.Send(kLoopback, sim.port(), "VEDOVIZ1129");
  const auto ack = link.Receive(kWaitMs);
  ASSERT_TRUE(ack.has_value());
  EXPECT_EQ(ack->bytes, "0");
  link.Send(kLoopback, sim.port(), "VEDOVIZ2");
  const auto read = link.Receive(kWaitMs);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->bytes, "129");

  EXPECT_EQ(sim.Stop(), 0) << "SIGTERM ends it cleanly";
}

TEST(Relaysim, UnknownDatagramGetsNoReply) {
  SimProcess sim;
  device::UdpLink link;
  for (const char* request :
       {"HELLO", "VEDOVIZ", "VEDOVIZ3", "VEDOVIZ1256", "VEDOVIZ1x", "vedoviz2"}) {
    link.Send(kLoopback, sim.port(), request);
    EXPECT_FALSE(link.Receive(50).has_value()) << request;
  }
  // Still serving afterwards.
  std::uint8_t value = 77;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0);
}

TEST(Relaysim, InitialMasksAndConsoleCommands) {
  SimProcess sim({"--outputs", "0x81", "--inputs", "0b11110000"});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0x81);
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0xF0);

  EXPECT_EQ(sim.Command("inputs 0x0F").rfind("ok", 0), 0u);
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0x0F);
  EXPECT_EQ(sim.Command("input 1 off").rfind("ok", 0), 0u);  // inactive: the bit is set
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0x0F);
  EXPECT_EQ(sim.Command("input 8 off").rfind("ok", 0), 0u);
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0x8F);
  EXPECT_EQ(sim.Command("outputs 5").rfind("ok", 0), 0u);
  EXPECT_EQ(sim.Command("output 2 on").rfind("ok", 0), 0u);
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(sim.Command("status"),
            "ok inputs 0x8F outputs 0x07 silent off reply normal refuse-writes off drop 0 delay 0 "
            "late-duplicate 0 wiggle 0");

  EXPECT_EQ(sim.Command("outputs 256").rfind("error:", 0), 0u);
  EXPECT_EQ(sim.Command("output 9 on").rfind("error:", 0), 0u);
  EXPECT_EQ(sim.Command("frobnicate").rfind("error:", 0), 0u);
  EXPECT_EQ(sim.Command("fault loud on").rfind("error:", 0), 0u);
}

TEST(Relaysim, FaultsSwitchedFromTheConsole) {
  SimProcess sim;
  device::UdpLink link;
  std::uint8_t value = 77;

  ASSERT_EQ(sim.Command("fault silent on").rfind("ok", 0), 0u);
  EXPECT_FALSE(device::GetInputStatus(link, kLoopback, sim.port(), value, 100));
  EXPECT_EQ(value, 255);
  ASSERT_EQ(sim.Command("fault silent off").rfind("ok", 0), 0u);

  ASSERT_EQ(sim.Command("fault no-digits on").rfind("ok", 0), 0u);
  value = 77;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(device::SetOutputStatus(link, kLoopback, sim.port(), 0, kWaitMs));

  ASSERT_EQ(sim.Command("fault empty on").rfind("ok", 0), 0u);
  value = 77;
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0) << "an empty reply reads as the default";

  ASSERT_EQ(sim.Command("fault clear").rfind("ok", 0), 0u);
  EXPECT_TRUE(device::SetOutputStatus(link, kLoopback, sim.port(), 66, kWaitMs));
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 66);
}

TEST(Relaysim, OversizeReplyFails) {
  SimProcess sim({"--oversize"});
  device::UdpLink link;
  std::uint8_t value = 77;
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 77);
}

TEST(Relaysim, RefusedWriteLeavesTheOutputs) {
  SimProcess sim({"--refuse-writes", "--outputs", "3"});
  device::UdpLink link;
  EXPECT_FALSE(device::SetOutputStatus(link, kLoopback, sim.port(), 200, kWaitMs));
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 3);
}

TEST(Relaysim, DropAllAnswersNothing) {
  SimProcess sim({"--drop", "1"});
  device::UdpLink link;
  std::uint8_t value = 77;
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, sim.port(), value, 100));
}

TEST(Relaysim, LateDuplicateIsDroppedBeforeTheNextExchange) {
  SimProcess sim({"--late-duplicate", "100", "--inputs", "9"});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 9);
  const auto copy = link.Receive(kWaitMs);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(copy->bytes, "9");

  // The next copy is queued before the outputs read and must not answer it.
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_EQ(value, 0);
}

TEST(Relaysim, DelayedReplyMissesAShortWait) {
  SimProcess sim({"--delay", "300"});
  device::UdpLink link;
  std::uint8_t value = 77;
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, sim.port(), value, 50));
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, sim.port(), value, 800));
  EXPECT_EQ(value, 0);
}

TEST(Relaysim, WiggleWalksTheInputs) {
  SimProcess sim({"--wiggle", "0.05"});
  device::UdpLink link;
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, sim.port(), value, kWaitMs));
  EXPECT_NE(value, 255);
}

TEST(Relaysim, HelpAndBadArguments) {
  std::string out;
  std::string err;
  EXPECT_EQ(RunSim({"--help"}, &out), 0);
  for (const char* option :
       {"--bind", "--port PORT", "--late-duplicate", "--wiggle", "fault silent"}) {
    EXPECT_NE(out.find(option), std::string::npos) << option;
  }
  struct Case {
    std::vector<std::string> args;
  };
  const Case bad[] = {
      {{"--port", "70000"}}, {{"--port"}},       {{"--outputs", "300"}},
      {{"--drop", "1.5"}},   {{"--frobnicate"}}, {{"--empty", "--oversize"}},
      {{"--delay", "-1"}},   {{"--silent=yes"}}, {{"--bind", "no-such-host.invalid"}},
  };
  for (const Case& c : bad) {
    EXPECT_EQ(RunSim(c.args, &out, &err), 2) << c.args[0];
    EXPECT_NE(err.find("relaysim: "), std::string::npos) << c.args[0];
  }
}

}  // namespace
