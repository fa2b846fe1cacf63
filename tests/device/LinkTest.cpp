// The link on real loopback sockets.

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <string>

#include "ScriptedController.h"
#include "device/UdpLink.h"

namespace {

using devicetest::LoopbackSocket;

std::string ReceiveOn(const LoopbackSocket& s, std::uint16_t* fromPort = nullptr) {
  char buffer[65536];
  sockaddr_in from{};
  socklen_t len = sizeof from;
  timeval tv{2, 0};
  ::setsockopt(s.fd(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  const ssize_t got =
      ::recvfrom(s.fd(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
  if (got < 0) return "<nothing>";
  if (fromPort) *fromPort = ntohs(from.sin_port);
  return std::string(buffer, static_cast<std::size_t>(got));
}

TEST(Link, OpenAndCloseFollowActive) {
  device::UdpLink link;
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(link.LocalPort(), 0);
  link.SetActive(true);
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(link.LocalPort(), 0) << "no explicit bind: the port comes with the first send";
  link.SetActive(true);
  link.SetActive(false);
  EXPECT_FALSE(link.Active());
  link.SetActive(false);
}

TEST(Link, SendsExactBytesFromOneLocalPortUntilClosed) {
  LoopbackSocket peer;
  device::UdpLink link;
  const std::string bytes("AB\0C", 4);
  link.Send("127.0.0.1", peer.port(), bytes);
  std::uint16_t first = 0;
  EXPECT_EQ(ReceiveOn(peer, &first), bytes);
  EXPECT_EQ(link.LocalPort(), first);

  link.Send("localhost", peer.port(), "x");
  std::uint16_t second = 0;
  EXPECT_EQ(ReceiveOn(peer, &second), "x");
  EXPECT_EQ(second, first);

  link.Send("127.0.0.1", peer.port(), "");  // an empty datagram is still a datagram
  EXPECT_EQ(ReceiveOn(peer), "");
}

TEST(Link, ReceiveReportsTheSender) {
  LoopbackSocket peer;
  device::UdpLink link;
  link.Send("127.0.0.1", peer.port(), "ping");
  ASSERT_EQ(ReceiveOn(peer), "ping");
  peer.SendTo(link.LocalPort(), std::string("r\0e", 3));
  const auto got = link.Receive(1000);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->bytes, std::string("r\0e", 3));
  EXPECT_EQ(got->fromAddress, "127.0.0.1");
  EXPECT_EQ(got->fromPort, peer.port());
}

TEST(Link, ReceiveGivesNothingAfterTheLimit) {
  device::UdpLink link;
  link.SetActive(true);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.Receive(80).has_value());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(75));
  EXPECT_LT(waited, std::chrono::milliseconds(900));
}

TEST(Link, DatagramLongerThanTheBufferIsAnError) {
  LoopbackSocket peer;
  device::UdpLink link;
  link.Send("127.0.0.1", peer.port(), "ping");
  ASSERT_EQ(ReceiveOn(peer), "ping");
  peer.SendTo(link.LocalPort(), std::string(device::UdpLink::BufferSize + 1, 'x'));
  peer.SendTo(link.LocalPort(), std::string(device::UdpLink::BufferSize, 'y'));
  EXPECT_THROW(link.Receive(1000), device::LinkError);
  // The cut datagram is gone; the next one is read whole.
  const auto next = link.Receive(1000);
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->bytes, std::string(device::UdpLink::BufferSize, 'y'));
}

TEST(Link, DropQueuedEmptiesTheQueueWithoutWaiting) {
  LoopbackSocket peer;
  device::UdpLink link;
  link.DropQueued();  // closed: nothing to do
  link.Send("127.0.0.1", peer.port(), "ping");
  ASSERT_EQ(ReceiveOn(peer), "ping");
  for (int i = 0; i < 5; ++i) peer.SendTo(link.LocalPort(), "stale" + std::to_string(i));
  peer.SendTo(link.LocalPort(), std::string(9000, 'z'));
  link.DropQueued();
  EXPECT_FALSE(link.Receive(30).has_value());
  peer.SendTo(link.LocalPort(), "fresh");
  const auto got = link.Receive(1000);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->bytes, "fresh");
}

TEST(Link, CloseDropsQueuedDatagrams) {
  LoopbackSocket peer;
  device::UdpLink link;
  link.Send("127.0.0.1", peer.port(), "ping");
  ASSERT_EQ(ReceiveOn(peer), "ping");
  peer.SendTo(link.LocalPort(), "old");
  link.SetActive(false);
  link.SetActive(true);
  link.Send("127.0.0.1", peer.port(), "ping");
  std::uint16_t from = 0;
  ASSERT_EQ(ReceiveOn(peer, &from), "ping");
  EXPECT_EQ(link.LocalPort(), from);
  EXPECT_FALSE(link.Receive(30).has_value());
}

TEST(Link, RefusedSendIsAnError) {
  device::UdpLink link;
  // Broadcast is off, so the loopback net's broadcast address is refused.
  EXPECT_THROW(link.Send("127.255.255.255", 7070, "x"), device::LinkError);
  // More than a UDP datagram can hold.
  EXPECT_THROW(link.Send("127.0.0.1", 7070, std::string(70000, 'x')), device::LinkError);
  EXPECT_THROW(link.Send("no-such-host.invalid", 7070, "x"), device::LinkError);
  EXPECT_TRUE(link.Active());
}

}  // namespace
