#pragma once
// A power controller on loopback for the window tests: UDP port 7070 on an address of the
// test program's own, answering in its own thread. It keeps an input and an output byte,
// answers reads with them in decimal and writes with "0"; scripted replies can stand in
// for the next answers (an empty datagram, text without digits, or no answer at all).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace support {

class FakeController {
 public:
  static constexpr std::uint16_t kPort = 7070;

  explicit FakeController(const std::string& address) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (socket_ < 0) throw std::runtime_error("socket failed");
    // No SO_REUSEADDR: a second controller on the same address must fail, not share.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPort);
    if (::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1 ||
        (ntohl(local.sin_addr.s_addr) >> 24) != 127) {
      throw std::runtime_error("the test controller lives on loopback only");
    }
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
      ::close(socket_);
      throw std::runtime_error("cannot bind " + address + ":7070");
    }
    thread_ = std::thread([this] { Serve(); });
  }
  ~FakeController() {
    stop_ = true;
    thread_.join();
    ::close(socket_);
  }
  FakeController(const FakeController&) = delete;
  FakeController& operator=(const FakeController&) = delete;

  void SetInputs(std::uint8_t value) {
    std::lock_guard lock(mutex_);
    inputs_ = value;
  }
  void SetOutputs(std::uint8_t value) {
    std::lock_guard lock(mutex_);
    outputs_ = value;
  }
  std::uint8_t Outputs() const {
    std::lock_guard lock(mutex_);
    return outputs_;
  }
  // The next answer: these bytes (may be empty), or no answer at all (nullopt).
  void Script(std::optional<std::string> reply) {
    std::lock_guard lock(mutex_);
    script_.push_back(std::move(reply));
  }
  // From now on no request gets an answer.
  void SetSilent(bool silent) {
    std::lock_guard lock(mutex_);
    silent_ = silent;
  }

  std::vector<std::string> Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  void ClearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
  }
  // Waits a bounded time until at least count requests came (for unanswered ones, which
  // the window may stop waiting for before this thread has logged them).
  bool WaitForRequests(std::size_t count, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, limit, [&] { return requests_.size() >= count; });
  }

 private:
  void Serve() {
    char buffer[9000];
    while (!stop_) {
      pollfd waiting{socket_, POLLIN, 0};
      if (::poll(&waiting, 1, 20) <= 0) continue;
      sockaddr_in from{};
      socklen_t fromLength = sizeof from;
      const ssize_t got = ::recvfrom(socket_, buffer, sizeof buffer, 0,
                                     reinterpret_cast<sockaddr*>(&from), &fromLength);
      if (got < 0) continue;
      const std::optional<std::string> reply = Answer(std::string(buffer, std::size_t(got)));
      if (reply) {
        ::sendto(socket_, reply->data(), reply->size(), 0, reinterpret_cast<sockaddr*>(&from),
                 fromLength);
      }
      std::lock_guard lock(mutex_);
      arrived_.notify_all();
    }
  }

  std::optional<std::string> Answer(const std::string& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (!script_.empty()) {
      std::optional<std::string> reply = std::move(script_.front());
      script_.pop_front();
      return reply;
    }
    if (silent_) return std::nullopt;
    if (request == "VEDOVIZ0") return std::to_string(inputs_);
    if (request == "VEDOVIZ2") return std::to_string(outputs_);
    if (request.rfind("VEDOVIZ1", 0) == 0 && request.size() > 8) {
      const std::string digits = request.substr(8);
      if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 3) {
        return std::string("ERR");
      }
      outputs_ = static_cast<std::uint8_t>(std::stoi(digits));
      return std::string("0");
    }
    return std::string("ERR");
  }

  int socket_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::string> requests_;
  std::deque<std::optional<std::string>> script_;
  std::uint8_t inputs_ = 255;
  std::uint8_t outputs_ = 0;
  bool silent_ = false;
};

}  // namespace support
