#pragma once
// Child processes for the tests: a program started with its console on pipes, its output
// read with bounded waits, and a one-shot run that collects everything.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct ProcessSetup {
  std::vector<std::string> argv;           // argv[0] is the program's path
  std::string cwd;                         // empty: the test's own
  std::map<std::string, std::string> env;  // set on top of the test's environment
  std::vector<std::string> unsetEnv = {"RELAYCTL_HOST"};
  std::string stderrFile;    // empty: a pipe
  bool closedStdin = false;  // standard input at its end from the start
};

class Process {
 public:
  explicit Process(const ProcessSetup& setup);
  ~Process();  // kills and reaps a child still running
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // One line of standard output (without the line end), or nothing within the wait.
  std::optional<std::string> ReadLine(std::chrono::milliseconds wait);
  void WriteStdin(const std::string& text);
  void Signal(int signal);
  // The exit code (128 + signal when killed), or nothing within the wait.
  std::optional<int> Wait(std::chrono::milliseconds wait);
  // Everything left on standard output and standard error until the child closes them.
  std::string RestOfStdout() { return outBuffer_; }
  std::string Stderr() const { return errBuffer_; }
  // Reads what is available on both pipes for up to wait; false when both are closed.
  bool Pump(std::chrono::milliseconds wait);

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  std::string outBuffer_, errBuffer_;
  std::optional<int> status_;
};

struct RunResult {
  int exitCode = -1;  // -1: still running after the limit (then killed)
  std::string out, err;
  std::chrono::milliseconds elapsed{0};
};

// Runs to the end (at most limit) and returns its exit code and output.
RunResult Run(const ProcessSetup& setup,
              std::chrono::milliseconds limit = std::chrono::milliseconds(10000));

// The built programs.
std::string RelayctlPath();
std::string RelaysimPath();

}  // namespace testsupport
