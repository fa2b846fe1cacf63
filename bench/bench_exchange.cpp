// One exchange (GetOutputStatus) against a loopback echo controller, against the plainest
// round trip there is: sendto, poll, recvfrom with the same 8-byte request to the same
// server, in the same process and run. Interleaved blocks; medians.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/BenchStats.h"
#include "device/UdpLink.h"
#include "device/VORuzovU.h"

namespace {

constexpr int kRounds = 40;
constexpr int kPerBlock = 250;

// Answers every datagram with the output byte in decimal, from its own thread.
class EchoController {
 public:
  EchoController() {
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
      std::perror("bench_exchange: echo socket");
      std::exit(1);
    }
    socklen_t len = sizeof local;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len);
    port_ = ntohs(local.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~EchoController() {
    stop_ = true;
    // One datagram to wake the blocked receive.
    const int wake = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port_);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(wake, "", 0, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(wake);
    thread_.join();
    ::close(fd_);
  }
  std::uint16_t port() const { return port_; }

 private:
  void Serve() {
    char buffer[64];
    while (!stop_) {
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t got =
          ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (got <= 0) continue;
      ::sendto(fd_, "165", 3, 0, reinterpret_cast<sockaddr*>(&from), len);
    }
  }

  int fd_ = -1;
  std::uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The baseline: what any client must do for one request and one reply.
class RawClient {
 public:
  explicit RawClient(std::uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    to_.sin_family = AF_INET;
    to_.sin_port = htons(port);
    to_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  }
  ~RawClient() { ::close(fd_); }
  bool Exchange() {
    if (::sendto(fd_, "VEDOVIZ2", 8, 0, reinterpret_cast<const sockaddr*>(&to_), sizeof to_) != 8)
      return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 1000) != 1) return false;
    char buffer[8192];
    return ::recvfrom(fd_, buffer, sizeof buffer, 0, nullptr, nullptr) > 0;
  }

 private:
  int fd_ = -1;
  sockaddr_in to_{};
};

}  // namespace

int main() {
  EchoController echo;
  RawClient raw(echo.port());
  device::UdpLink link;
  link.SetActive(true);

  std::vector<double> ours;
  std::vector<double> baseline;
  int failures = 0;
  // Warm-up: caches, the scheduler's idea of the two threads.
  for (int i = 0; i < 500; ++i) {
    std::uint8_t v = 0;
    failures += raw.Exchange() ? 0 : 1;
    failures += device::GetOutputStatus(link, "127.0.0.1", echo.port(), v) ? 0 : 1;
  }
  for (int round = 0; round < kRounds; ++round) {
    for (int i = 0; i < kPerBlock; ++i) {
      const auto t0 = bench::Clock::now();
      failures += raw.Exchange() ? 0 : 1;
      baseline.push_back(bench::Micros(bench::Clock::now() - t0));
    }
    for (int i = 0; i < kPerBlock; ++i) {
      std::uint8_t value = 0;
      const auto t0 = bench::Clock::now();
      const bool ok = device::GetOutputStatus(link, "127.0.0.1", echo.port(), value);
      ours.push_back(bench::Micros(bench::Clock::now() - t0));
      failures += ok && value == 165 ? 0 : 1;
    }
  }
  const double mOurs = bench::Median(ours);
  const double mRaw = bench::Median(baseline);
  std::printf(
      "exchange: GetOutputStatus median %.1f us (p90 %.1f), raw sendto/poll/recvfrom "
      "median %.1f us (p90 %.1f), %zu samples each, %d failures\n",
      mOurs, bench::Percentile(ours, 0.9), mRaw, bench::Percentile(baseline, 0.9), ours.size(),
      failures);
  const bool ok = bench::VerdictAtMost("exchange", mOurs / mRaw, 1.3);
  return ok && failures == 0 ? 0 : 1;
}
