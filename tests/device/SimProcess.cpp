#include "SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace devicetest {

namespace {

const std::string kSim = std::string(RELAY_BINARY_DIR) + "/relaysim";

pid_t Spawn(const std::vector<std::string>& args, int in, int out, int err) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(kSim.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(kSim.c_str(), argv.data());
    ::_exit(127);
  }
  return pid;
}

// Waits a bounded time for the child; -1 when it did not exit normally.
int Reap(pid_t pid, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, got);
  return text;
}

}  // namespace

SimProcess::SimProcess(const std::vector<std::string>& args) {
  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::vector<std::string> all = {"--port", "0", "--quiet"};
  all.insert(all.end(), args.begin(), args.end());
  pid_ = Spawn(all, in[0], out[1], devNull);
  ::close(in[0]);
  ::close(out[1]);
  ::close(devNull);
  toChild_ = in[1];
  fromChild_ = out[0];
  const std::string first = ReadLine(5000);
  const std::string prefix = "relaysim listening on 127.0.0.1:";
  if (first.rfind(prefix, 0) != 0) {
    Stop();
    throw std::runtime_error("relaysim did not start: '" + first + "'");
  }
  port_ = static_cast<std::uint16_t>(std::atoi(first.c_str() + prefix.size()));
}

SimProcess::~SimProcess() {
  Stop();
}

std::string SimProcess::ReadLine(int timeoutMs) {
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

std::string SimProcess::Command(const std::string& line) {
  const std::string text = line + "\n";
  if (::write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return "";
  return ReadLine(3000);
}

int SimProcess::Stop() {
  if (pid_ < 0) return -1;
  ::kill(pid_, SIGTERM);
  const int status = Reap(pid_, 5000);
  pid_ = -1;
  ::close(toChild_);
  ::close(fromChild_);
  return status;
}

int RunSim(const std::vector<std::string>& args, std::string* out, std::string* err) {
  int o[2];
  int e[2];
  if (::pipe2(o, O_CLOEXEC) != 0 || ::pipe2(e, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const pid_t pid = Spawn(args, devNull, o[1], e[1]);
  ::close(o[1]);
  ::close(e[1]);
  ::close(devNull);
  // Short outputs only (help text, one error line): the pipes cannot fill up.
  const int status = Reap(pid, 5000);
  const std::string o_text = ReadAll(o[0]);
  const std::string e_text = ReadAll(e[0]);
  ::close(o[0]);
  ::close(e[0]);
  if (out) *out = o_text;
  if (err) *err = e_text;
  return status;
}

}  // namespace devicetest
