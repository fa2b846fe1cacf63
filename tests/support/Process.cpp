#include "support/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

void Pipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::strerror(errno));
}

std::vector<std::string> Environment(const ProcessSetup& setup) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const std::size_t eq = entry.find('=');
    if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const std::string& name : setup.unsetEnv) vars.erase(name);
  for (const auto& [name, value] : setup.env) vars[name] = value;
  std::vector<std::string> env;
  for (const auto& [name, value] : vars) env.push_back(name + "=" + value);
  return env;
}

int StatusToCode(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

Process::Process(const ProcessSetup& setup) {
  // Everything the child needs is built here: between fork and exec only plain system
  // calls run, since the test may have threads.
  std::vector<std::string> env = Environment(setup);
  std::vector<char*> argv, envp;
  for (const std::string& a : setup.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  int in[2], out[2], err[2] = {-1, -1};
  Pipe(in);
  Pipe(out);
  int errFile = -1;
  if (setup.stderrFile.empty()) {
    Pipe(err);
  } else {
    errFile = ::open(setup.stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (errFile < 0) throw std::runtime_error("cannot open " + setup.stderrFile);
  }

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error(std::strerror(errno));
  if (pid_ == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(errFile >= 0 ? errFile : err[1], 2);
    if (!setup.cwd.empty() && ::chdir(setup.cwd.c_str()) != 0) ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  if (errFile >= 0) ::close(errFile);
  if (err[1] >= 0) ::close(err[1]);
  in_ = in[1];
  out_ = out[0];
  err_ = err[0];
  if (setup.closedStdin) {
    ::close(in_);
    in_ = -1;
  }
}

Process::~Process() {
  if (!status_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  for (int fd : {in_, out_, err_}) {
    if (fd >= 0) ::close(fd);
  }
}

bool Process::Pump(std::chrono::milliseconds wait) {
  pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
  if (out_ < 0 && err_ < 0) return false;
  const int ready = ::poll(fds, 2, static_cast<int>(wait.count()));
  if (ready <= 0) return true;
  int* ends[2] = {&out_, &err_};
  std::string* buffers[2] = {&outBuffer_, &errBuffer_};
  for (int i = 0; i < 2; ++i) {
    if (fds[i].fd < 0 || fds[i].revents == 0) continue;
    char chunk[4096];
    const ssize_t got = ::read(fds[i].fd, chunk, sizeof chunk);
    if (got > 0) {
      buffers[i]->append(chunk, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      ::close(*ends[i]);
      *ends[i] = -1;
    }
  }
  return true;
}

std::optional<std::string> Process::ReadLine(std::chrono::milliseconds wait) {
  const Clock::time_point until = Clock::now() + wait;
  while (true) {
    const std::size_t end = outBuffer_.find('\n');
    if (end != std::string::npos) {
      std::string line = outBuffer_.substr(0, end);
      outBuffer_.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0 || out_ < 0) return std::nullopt;
    Pump(left);
  }
}

void Process::WriteStdin(const std::string& text) {
  if (::write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("cannot write to the child's standard input");
  }
}

void Process::Signal(int signal) {
  if (!status_) ::kill(pid_, signal);
}

std::optional<int> Process::Wait(std::chrono::milliseconds wait) {
  const Clock::time_point until = Clock::now() + wait;
  while (!status_) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = StatusToCode(status);
      break;
    }
    if (Clock::now() >= until) return std::nullopt;
    // Keep the pipes drained so a child writing much never blocks on them.
    if (!Pump(std::chrono::milliseconds(10))) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // The child is gone: collect what it left in the pipes, up to their end.
  const Clock::time_point drained = Clock::now() + std::chrono::seconds(2);
  while ((out_ >= 0 || err_ >= 0) && Clock::now() < drained) Pump(std::chrono::milliseconds(100));
  return status_;
}

RunResult Run(const ProcessSetup& setup, std::chrono::milliseconds limit) {
  const Clock::time_point start = Clock::now();
  Process process(setup);
  RunResult result;
  const std::optional<int> code = process.Wait(limit);
  result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  result.exitCode = code.value_or(-1);
  result.out = process.RestOfStdout();
  result.err = process.Stderr();
  return result;
}

std::string RelayctlPath() {
  return std::string(RELAY_BINARY_DIR) + "/relayctl";
}
std::string RelaysimPath() {
  return std::string(RELAY_BINARY_DIR) + "/relaysim";
}

}  // namespace testsupport
