// The window against a controller that misbehaves: every fault ends in the flags and the
// status line the rules give, no exchange waits past its limit plus a small margin, and
// nothing reaches the error display. Each test has its own loopback address.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "FaultFixture.h"

using namespace reliability;

namespace {

// The simulator's bytes in these tests, and their status texts.
const std::vector<std::string> kState = {"--outputs", "0xA5", "--inputs", "0x5A"};
constexpr int kOutputs = 0xA5;
constexpr int kInputsShown = 0xA5;  // inputs 0x5A: a clear bit is an input that is on

std::vector<std::string> With(std::vector<std::string> extra) {
  extra.insert(extra.begin(), kState.begin(), kState.end());
  return extra;
}

}  // namespace

TEST_F(FaultTest, SilentControllerFailsEveryExchangeAfterItsLimit) {
  app::TForm1& w = Start("127.0.0.41", With({"--silent"}));

  ShowAll(w.InputIndicators());
  w.PPW.SetVisible(true);
  long ms = TimedMs([&] { w.ReceiveP5(); });
  EXPECT_GE(ms, device::kReplyTimeoutMs - 10);
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_EQ(Flags(w.InputIndicators()), 0);  // no reply reads as 255: all inputs off
  EXPECT_FALSE(w.PPW.Visible());
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

  ShowAll(w.OutputIndicators());
  ms = TimedMs([&] { w.ReceiveP6(); });
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_EQ(Flags(w.OutputIndicators()), 0);
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

  // A channel click keeps the wanted state on the indicator even though the write failed.
  ms = TimedMs([&] { Click(w.PB3); });
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_EQ(Flags(w.OutputIndicators()), 0x04);
  EXPECT_FALSE(w.PPW.Visible());
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

  ms = TimedMs([&] { Click(w.SpeedButton1); });  // Transmit: two exchanges
  EXPECT_LT(ms, 2 * device::kReplyTimeoutMs + kMarginMs);
  EXPECT_FALSE(w.PPW.Visible());
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);
}

TEST_F(FaultTest, HalfTheRequestsDroppedEachReadIsWholeOrAFailure) {
  app::TForm1& w = Start("127.0.0.42", With({"--drop", "0.5", "--seed", "7"}));
  int answered = 0;
  int failed = 0;
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    ShowAll(w.OutputIndicators());
    const long ms = TimedMs([&] { w.ReceiveP6(); });
    EXPECT_LT(ms, kExchangeBoundMs);
    if (w.PPW.Visible()) {
      ++answered;
      EXPECT_EQ(Flags(w.OutputIndicators()), kOutputs);
      EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("A5"));
    } else {
      ++failed;
      EXPECT_EQ(Flags(w.OutputIndicators()), 0);
      EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);
    }
  }
  EXPECT_GT(answered, 0);
  EXPECT_GT(failed, 0);
}

TEST_F(FaultTest, RepliesJustUnderTheLimitAreTaken) {
  app::TForm1& w = Start("127.0.0.43", With({"--delay", "900"}));

  long ms = TimedMs([&] { w.ReceiveP5(); });
  EXPECT_GE(ms, 890);
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.InputIndicators()), kInputsShown);
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("5A"));

  ms = TimedMs([&] { w.ReceiveP6(); });
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_EQ(Flags(w.OutputIndicators()), kOutputs);
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("A5"));

  ms = TimedMs([&] { Click(w.PF1); });  // channel 1 off: 0xA4
  EXPECT_LT(ms, kExchangeBoundMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("A4"));
}

TEST_F(FaultTest, RepliesJustOverTheLimitFailAndAreDroppedBeforeTheNextRequest) {
  app::TForm1& w = Start("127.0.0.44", With({"--delay", "1100"}));

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    ShowAll(w.OutputIndicators());
    const long ms = TimedMs([&] { w.ReceiveP6(); });
    EXPECT_GE(ms, device::kReplyTimeoutMs - 10);
    EXPECT_LT(ms, kExchangeBoundMs);
    EXPECT_FALSE(w.PPW.Visible());
    EXPECT_EQ(Flags(w.OutputIndicators()), 0);
    EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);
    // The late reply comes in meanwhile and waits on the link; the next exchange drops it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }

  // Back to back, a late inputs reply lands inside the outputs exchange and is read as its
  // reply: replies are not matched to requests.
  const long ms = TimedMs([&] {
    w.ReceiveP5();
    w.ReceiveP6();
  });
  EXPECT_LT(ms, 2 * device::kReplyTimeoutMs + kMarginMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.OutputIndicators()), 0x5A);
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("5A"));
}

TEST_F(FaultTest, RepliesWithoutDigitsReadAsDefaultsAndRefuseWrites) {
  app::TForm1& w = Start("127.0.0.45", With({"--no-digits"}));

  ShowAll(w.InputIndicators());
  EXPECT_LT(TimedMs([&] { w.ReceiveP5(); }), kExchangeBoundMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.InputIndicators()), 0);  // 255: all off
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("FF"));

  ShowAll(w.OutputIndicators());
  EXPECT_LT(TimedMs([&] { w.ReceiveP6(); }), kExchangeBoundMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.OutputIndicators()), 0);
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("00"));

  EXPECT_LT(TimedMs([&] { Click(w.PB2); }), kExchangeBoundMs);
  EXPECT_FALSE(w.PPW.Visible());  // a write answered without digits is refused
  EXPECT_EQ(Flags(w.OutputIndicators()), 0x02);
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);
}

TEST_F(FaultTest, EmptyAndOversizeRepliesAreFailures) {
  for (const char* mode : {"--empty", "--oversize"}) {
    SCOPED_TRACE(mode);
    app::TForm1& w =
        Start(std::string(mode) == "--empty" ? "127.0.0.46" : "127.0.0.47", With({mode}));
    ShowAll(w.InputIndicators());
    EXPECT_LT(TimedMs([&] { w.ReceiveP5(); }), kExchangeBoundMs);
    EXPECT_FALSE(w.PPW.Visible());
    EXPECT_EQ(Flags(w.InputIndicators()), 0);
    EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

    ShowAll(w.OutputIndicators());
    w.PPW.SetVisible(true);
    EXPECT_LT(TimedMs([&] { w.ReceiveP6(); }), kExchangeBoundMs);
    EXPECT_FALSE(w.PPW.Visible());
    EXPECT_EQ(Flags(w.OutputIndicators()), 0);
    EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

    EXPECT_LT(TimedMs([&] { Click(w.SpeedButton3); }), 2 * kExchangeBoundMs);  // All On
    EXPECT_FALSE(w.PPW.Visible());
    EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);
    form.reset();
    sim.reset();
  }
}

TEST_F(FaultTest, RefusedWritesShowAsFailuresAndTheReadBackShowsTheTruth) {
  app::TForm1& w = Start("127.0.0.48", With({"--refuse-writes"}));
  w.ReceiveP6();
  ASSERT_EQ(Flags(w.OutputIndicators()), kOutputs);

  EXPECT_LT(TimedMs([&] { Click(w.PB2); }), kExchangeBoundMs);
  EXPECT_FALSE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.OutputIndicators()), kOutputs | 0x02);  // the wanted state stays shown
  EXPECT_EQ(w.StatusBar1.PanelText(), kConnectError);

  // All Off: the write is refused, the read-back shows the relays as they are.
  EXPECT_LT(TimedMs([&] { Click(w.SpeedButton4); }), 2 * kExchangeBoundMs);
  EXPECT_TRUE(w.PPW.Visible());
  EXPECT_EQ(Flags(w.OutputIndicators()), kOutputs);
  EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("A5"));
}

TEST_F(FaultTest, AThousandStaleDatagramsQueuedBeforeAnExchangeAreNotTakenAsItsReply) {
  app::TForm1& w = Start("127.0.0.49", kState);
  Click(w.SpeedButton1);  // Transmit: the link now has its local port
  ASSERT_TRUE(w.PPW.Visible());
  const std::uint16_t localPort = w.IdUDPClient1.LocalPort();
  ASSERT_NE(localPort, 0);

  const int flood = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(flood, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(localPort);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int queued = 0;
  for (int i = 0; i < 1000; ++i) {
    const std::string stale = std::to_string(i % 256);
    if (::sendto(flood, stale.data(), stale.size(), 0, reinterpret_cast<sockaddr*>(&to),
                 sizeof to) == static_cast<ssize_t>(stale.size())) {
      ++queued;
    }
  }
  ::close(flood);
  ASSERT_GT(queued, 0);

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ShowAll(w.OutputIndicators());
    EXPECT_LT(TimedMs([&] { w.ReceiveP6(); }), kExchangeBoundMs);
    EXPECT_TRUE(w.PPW.Visible());
    EXPECT_EQ(Flags(w.OutputIndicators()), kOutputs);
    EXPECT_EQ(w.StatusBar1.PanelText(), ValueText("A5"));
  }
}
