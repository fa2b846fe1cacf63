#include "SimChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace reliability {

SimChild::SimChild(const std::string& address, int port, const std::vector<std::string>& args) {
  if (address.rfind("127.", 0) != 0) throw std::runtime_error("loopback addresses only");
  const std::string program = std::string(RELAY_BINARY_DIR) + "/relaysim";
  std::vector<std::string> all = {program,  "--bind", address, "--port", std::to_string(port),
                                  "--quiet"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  toChild_ = in[1];
  fromChild_ = out[0];

  const std::string first = ReadLine(5000);
  const std::string prefix = "relaysim listening on " + address + ":";
  if (first.rfind(prefix, 0) != 0) {
    Stop();
    throw std::runtime_error("relaysim did not start on " + address + ": '" + first + "'");
  }
  port_ = std::atoi(first.c_str() + prefix.size());
}

SimChild::~SimChild() {
  Stop();
}

void SimChild::Stop() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    pid_ = -1;
  }
  if (toChild_ >= 0) ::close(toChild_);
  if (fromChild_ >= 0) ::close(fromChild_);
  toChild_ = fromChild_ = -1;
}

std::string SimChild::ReadLine(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    const auto nl = pending_.find('\n');
    if (nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) return "";
    pollfd pfd{fromChild_, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[4096];
    const ssize_t got = ::read(fromChild_, buffer, sizeof buffer);
    if (got <= 0) return "";
    pending_.append(buffer, static_cast<std::size_t>(got));
  }
}

std::string SimChild::Command(const std::string& line) {
  const std::string text = line + "\n";
  if (::write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return "";
  return ReadLine(3000);
}

}  // namespace reliability
