#include "ScriptedController.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace devicetest {

LoopbackSocket::LoopbackSocket() {
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::runtime_error("socket");
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    ::close(fd_);
    throw std::runtime_error("bind");
  }
  socklen_t len = sizeof local;
  ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len);
  port_ = ntohs(local.sin_port);
}

LoopbackSocket::~LoopbackSocket() {
  if (fd_ >= 0) ::close(fd_);
}

void LoopbackSocket::SendTo(std::uint16_t port, const std::string& bytes) const {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(port);
  if (::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) !=
      static_cast<ssize_t>(bytes.size())) {
    throw std::runtime_error("sendto");
  }
}

ScriptedController::ScriptedController(std::vector<Step> steps)
    : steps_(steps.begin(), steps.end()), thread_([this] { Run(); }) {}

ScriptedController::~ScriptedController() {
  stop_ = true;
  thread_.join();
}

void ScriptedController::Add(Step step) {
  std::lock_guard lock(mutex_);
  steps_.push_back(std::move(step));
}

std::vector<std::string> ScriptedController::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool ScriptedController::WaitForRequests(std::size_t n, int timeoutMs) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return requests_.size() >= n; });
}

void ScriptedController::Run() {
  while (!stop_) {
    pollfd pfd{socket_.fd(), POLLIN, 0};
    if (::poll(&pfd, 1, 20) <= 0) continue;
    char buffer[65536];
    sockaddr_in from{};
    socklen_t len = sizeof from;
    const ssize_t got = ::recvfrom(socket_.fd(), buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr*>(&from), &len);
    if (got < 0) continue;
    Step step = NoReply();
    {
      std::lock_guard lock(mutex_);
      requests_.emplace_back(buffer, static_cast<std::size_t>(got));
      if (!steps_.empty()) {
        step = std::move(steps_.front());
        steps_.pop_front();
      }
    }
    changed_.notify_all();
    if (!step.answer) continue;
    if (step.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(step.delayMs));
    const LoopbackSocket& sender = step.fromOtherSocket ? other_ : socket_;
    // Replies go back to the requesting port on loopback only.
    try {
      sender.SendTo(ntohs(from.sin_port), step.reply);
    } catch (const std::exception&) {
      // The test sees the missing reply as a failed exchange.
    }
  }
}

}  // namespace devicetest
