#include "LoopbackController.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace uitest {

LoopbackController::LoopbackController(const std::string& address) {
  fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(7070);
  if (fd_ < 0 || ::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1 ||
      ::bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return;
  }
  thread_ = std::thread([this] { Run(); });
}

LoopbackController::~LoopbackController() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (fd_ >= 0) ::close(fd_);
}

std::vector<std::string> LoopbackController::Requests() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackController::Run() {
  char buffer[2048];
  while (!stop_) {
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, 50) <= 0) continue;
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t size =
        ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (size < 0) continue;
    const std::string request(buffer, static_cast<std::size_t>(size));
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    std::string reply;
    if (request == "VEDOVIZ0") {
      reply = std::to_string(input_.load());
    } else if (request == "VEDOVIZ2") {
      reply = std::to_string(output_.load());
    } else if (request.rfind("VEDOVIZ1", 0) == 0) {
      output_ = static_cast<int>(std::strtol(request.c_str() + 8, nullptr, 10) & 0xFF);
      reply = "0";
    } else {
      continue;
    }
    ::sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&from),
             fromLength);
  }
}

}  // namespace uitest
