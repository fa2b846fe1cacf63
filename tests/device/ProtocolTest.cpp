// The three exchanges against a scripted controller on loopback.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "ScriptedController.h"
#include "device/VORuzovU.h"

namespace {

using devicetest::Late;
using devicetest::NoReply;
using devicetest::Reply;
using devicetest::ScriptedController;
using devicetest::Step;

constexpr int kShortMs = 150;  // the waits of exchanges that are expected to be answered
const std::string kLoopback = "127.0.0.1";

using Clock = std::chrono::steady_clock;
long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(Protocol, WriteRequestHoldsExactlyTheDecimalByte) {
  struct Case {
    std::uint8_t value;
    std::string bytes;
  };
  for (const Case& c : {Case{0, "VEDOVIZ10"}, Case{5, "VEDOVIZ15"}, Case{255, "VEDOVIZ1255"},
                        Case{100, "VEDOVIZ1100"}}) {
    ScriptedController controller({Reply("0")});
    device::UdpLink link;
    EXPECT_TRUE(device::SetOutputStatus(link, kLoopback, controller.port(), c.value, kShortMs));
    ASSERT_TRUE(controller.WaitForRequests(1));
    EXPECT_EQ(controller.Requests(), std::vector<std::string>{c.bytes}) << int(c.value);
  }
}

TEST(Protocol, ReadRequestsAreEightBytes) {
  ScriptedController controller({Reply("1"), Reply("2")});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetInputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_EQ(controller.Requests(), (std::vector<std::string>{"VEDOVIZ0", "VEDOVIZ2"}));
}

struct ReadCase {
  std::string reply;
  bool ok;
  std::uint8_t value;
};

TEST(Protocol, OutputsReplyIsReadByItsDigits) {
  const ReadCase cases[] = {
      {"5", true, 5},
      {"300", true, 44},
      {"0x1F", true, 1},
      {"OK", true, 0},
      {"a1b2", true, 12},
      {"007", true, 7},
      {"2147483647", true, 255},  // 0x7FFFFFFF, low byte 0xFF
      {"2147483648", true, 0},    // above the largest value: the default
      {"99999999999999999999999", true, 0},
      {std::string("1\0"
                   "3",
                   3),
       true, 13},
      {"\xEF\xBC\x95", true, 0},  // a full-width digit is no digit
  };
  for (const ReadCase& c : cases) {
    ScriptedController controller({Reply(c.reply)});
    device::UdpLink link;
    std::uint8_t value = 77;
    EXPECT_EQ(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs), c.ok)
        << c.reply;
    EXPECT_EQ(value, c.value) << c.reply;
  }
}

TEST(Protocol, InputsReplyDefaultsTo255) {
  const ReadCase cases[] = {
      {"OK", true, 255},  {"-1", true, 1},  {"4294967295", true, 255}, {"2147483648", true, 255},
      {"254", true, 254}, {"", false, 255},  // an empty datagram is no reply
  };
  for (const ReadCase& c : cases) {
    ScriptedController controller({Reply(c.reply)});
    device::UdpLink link;
    std::uint8_t value = 77;
    EXPECT_EQ(device::GetInputStatus(link, kLoopback, controller.port(), value, kShortMs), c.ok)
        << c.reply;
    EXPECT_EQ(value, c.value) << c.reply;
  }
}

TEST(Protocol, WriteIsAcknowledgedOnlyByLowByteZero) {
  struct Case {
    Step step;
    bool ok;
  };
  const Case cases[] = {
      {Reply("0"), true},   {Reply("00"), true},          {Reply("256"), true},
      {Reply("OK0"), true}, {Reply("1"), false},          {Reply("ERR"), false},
      {Reply(""), false},   {Reply("4294967296"), false},  // too large: refused
      {NoReply(), false},
  };
  for (const Case& c : cases) {
    ScriptedController controller({c.step});
    device::UdpLink link;
    EXPECT_EQ(device::SetOutputStatus(link, kLoopback, controller.port(), 3, kShortMs), c.ok)
        << '"' << c.step.reply << '"' << (c.step.answer ? "" : " (no reply)");
  }
}

// The one case that waits for the full time limit.
TEST(Protocol, NoReplyWithinTheLimitGivesTheDefaultsAfterOneSecond) {
  ScriptedController controller;  // answers nothing
  device::UdpLink link;
  std::uint8_t value = 77;
  const auto start = Clock::now();
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, controller.port(), value));
  const auto waited = MsSince(start);
  EXPECT_EQ(value, 0);
  EXPECT_GE(waited, 990);
  EXPECT_LT(waited, 1900);

  value = 77;
  EXPECT_FALSE(device::GetInputStatus(link, kLoopback, controller.port(), value, 50));
  EXPECT_EQ(value, 255);
  EXPECT_TRUE(link.Active()) << "a failed exchange leaves the link open";
}

TEST(Protocol, UnresolvableNameFailsAtOnceAndKeepsTheValue) {
  const std::string name = "no-such-host.invalid";
  auto start = Clock::now();
  EXPECT_THROW(device::ResolveIPv4(name), device::LinkError);
  const auto lookup = MsSince(start);

  device::UdpLink link;
  std::uint8_t value = 77;
  start = Clock::now();
  EXPECT_FALSE(device::GetOutputStatus(link, name, 7070, value));
  EXPECT_FALSE(device::GetInputStatus(link, name, 7070, value));
  EXPECT_FALSE(device::SetOutputStatus(link, name, 7070, 1));
  // Three lookups and no wait for a reply.
  EXPECT_LT(MsSince(start), 3 * lookup + 600);
  EXPECT_EQ(value, 77);
  EXPECT_TRUE(link.Active()) << "the exchange opened the link and a failure leaves it open";
}

TEST(Protocol, ErrorsKeepTheValue) {
  device::UdpLink link;
  std::uint8_t value = 77;
  // The loopback net's broadcast address: refused while broadcast is off.
  EXPECT_FALSE(device::GetOutputStatus(link, "127.255.255.255", 7070, value, kShortMs));
  EXPECT_FALSE(device::GetInputStatus(link, "127.0.0.1", 70000, value, kShortMs));
  EXPECT_FALSE(device::GetInputStatus(link, "", 7070, value, kShortMs));
  EXPECT_EQ(value, 77);
}

TEST(Protocol, OversizeReplyFailsAndKeepsTheValue) {
  ScriptedController controller({Reply(std::string(9000, '5')), Reply(std::string(8192, '0'))});
  device::UdpLink link;
  std::uint8_t value = 77;
  EXPECT_FALSE(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_EQ(value, 77);
  // Exactly the buffer size still fits.
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_EQ(value, 0);
}

TEST(Protocol, ReplyFromAnotherSenderIsTaken) {
  Step step = Reply("42");
  step.fromOtherSocket = true;
  ScriptedController controller({step});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_EQ(value, 42);
}

TEST(Protocol, LocalhostInAnyCaseGoesToLoopback) {
  ScriptedController controller({Reply("1"), Reply("2"), Reply("3")});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetOutputStatus(link, "LOCALHOST", controller.port(), value, kShortMs));
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(device::GetOutputStatus(link, "localhost", controller.port(), value, kShortMs));
  EXPECT_EQ(value, 2);
  EXPECT_TRUE(device::GetOutputStatus(link, "127.000.000.001", controller.port(), value, kShortMs));
  EXPECT_EQ(value, 3);
}

// A reply that comes after its exchange gave up must not answer the next exchange.
TEST(Protocol, LateReplyQueuedBeforeTheNextRequestIsDropped) {
  ScriptedController controller({Late("7", 150), Reply("9"), Reply("11")});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_FALSE(device::GetInputStatus(link, kLoopback, controller.port(), value, 30));
  std::this_thread::sleep_for(std::chrono::milliseconds(450));  // "7" is queued by now
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, 500));
  EXPECT_EQ(value, 9);
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, 500));
  EXPECT_EQ(value, 11);
}

TEST(Protocol, LateReplyArrivingDuringTheNextExchangeIsItsReply) {
  ScriptedController controller({Late("7", 200), NoReply()});
  device::UdpLink link;
  std::uint8_t value = 0;
  EXPECT_FALSE(device::GetInputStatus(link, kLoopback, controller.port(), value, 30));
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, 800));
  EXPECT_EQ(value, 7);
}

TEST(Protocol, ClosedLinkIsOpenedByTheExchange) {
  ScriptedController controller({Reply("8")});
  device::UdpLink link;
  ASSERT_FALSE(link.Active());
  std::uint8_t value = 0;
  EXPECT_TRUE(device::GetOutputStatus(link, kLoopback, controller.port(), value, kShortMs));
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(value, 8);
}

TEST(Protocol, DigitsAreTheTenAsciiDigits) {
  EXPECT_EQ(device::ExtractDigits("a1b2"), "12");
  EXPECT_EQ(device::ExtractDigits("-5"), "5");
  EXPECT_EQ(device::ExtractDigits("0x1F"), "01");
  EXPECT_EQ(device::ExtractDigits(std::string("\x00"
                                              "9\xB9\x80"
                                              "8 ",
                                              6)),
            "98");
  EXPECT_EQ(device::ExtractDigits(""), "");
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    EXPECT_EQ(device::IsDigitText(std::string_view(&ch, 1)), c >= '0' && c <= '9') << c;
  }
  EXPECT_FALSE(device::IsDigitText(""));
}

}  // namespace
