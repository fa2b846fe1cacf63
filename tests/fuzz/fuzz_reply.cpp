// Reading the controller's replies: the digit reader against a plain reading of the rules,
// and the three exchanges end to end over loopback against a responder that answers every
// request with the fuzzer's bytes. Flags and values must be what the rules give.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "device/UdpLink.h"
#include "device/VORuzovU.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// The largest reply sent here: past the receive buffer, well within one datagram.
constexpr std::size_t kLargestReply = 9000;

class Responder {
 public:
  Responder() {
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    FUZZ_CHECK(fd_ >= 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FUZZ_CHECK(::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0);
    socklen_t len = sizeof local;
    FUZZ_CHECK(::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len) == 0);
    port_ = ntohs(local.sin_port);
    std::thread([this] { Serve(); }).detach();
  }

  int port() const { return port_; }

  void SetReply(std::string reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    reply_ = std::move(reply);
  }
  std::string LastRequest() {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_;
  }

 private:
  void Serve() {
    char buffer[256];
    for (;;) {
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t got =
          ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (got < 0) continue;
      std::string reply;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        request_.assign(buffer, static_cast<std::size_t>(got));
        reply = reply_;
      }
      (void)::sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
    }
  }

  int fd_ = -1;
  int port_ = 0;
  std::mutex mutex_;
  std::string reply_;
  std::string request_;
};

std::string ReferenceDigits(const std::string& reply) {
  std::string out;
  for (unsigned char c : reply) {
    if (c >= 0x30 && c <= 0x39) out += static_cast<char>(c);
  }
  return out;
}

// The number the digits stand for, or the fallback when there are none or it exceeds
// 2147483647.
std::uint32_t ReferenceNumber(const std::string& digits, std::uint32_t fallback) {
  if (digits.empty()) return fallback;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::string significant = digits.substr(first);
  if (significant.size() > 10) return fallback;
  const unsigned long long n = std::stoull(significant);
  return n > 2147483647ull ? fallback : static_cast<std::uint32_t>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const std::string digits = device::ExtractDigits(reply);
  FUZZ_CHECK(digits == ReferenceDigits(reply));
  for (std::size_t i = 0; i < reply.size() && i < 16; ++i) {
    const bool digit = reply[i] >= '0' && reply[i] <= '9';
    FUZZ_CHECK(device::IsDigitText(std::string_view(&reply[i], 1)) == digit);
  }
  if (size > kLargestReply) return 0;

  static Responder responder;
  responder.SetReply(reply);
  static device::UdpLink link;
  const bool fits = size <= device::UdpLink::BufferSize;
  const bool came = fits && size > 0;

  std::uint8_t value = 77;
  bool ok = device::GetInputStatus(link, "127.0.0.1", responder.port(), value);
  FUZZ_CHECK(responder.LastRequest() == "VEDOVIZ0");
  FUZZ_CHECK(ok == came);
  FUZZ_CHECK(value == (fits ? ReferenceNumber(digits, 255) % 256 : 77));

  value = 77;
  ok = device::GetOutputStatus(link, "127.0.0.1", responder.port(), value);
  FUZZ_CHECK(responder.LastRequest() == "VEDOVIZ2");
  FUZZ_CHECK(ok == came);
  FUZZ_CHECK(value == (fits ? ReferenceNumber(digits, 0) % 256 : 77));

  const std::uint8_t wanted = size > 0 ? data[0] : 0;
  ok = device::SetOutputStatus(link, "127.0.0.1", responder.port(), wanted);
  FUZZ_CHECK(responder.LastRequest() == "VEDOVIZ1" + std::to_string(wanted));
  FUZZ_CHECK(ok == (fits && ReferenceNumber(digits, 255) % 256 == 0));
  return 0;
}
