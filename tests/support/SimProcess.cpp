#include "support/SimProcess.h"

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace testsupport {

using namespace std::chrono_literals;

SimProcess::SimProcess(std::vector<std::string> extra, std::string bind, int port) {
  // Whatever a test does, the simulator only ever listens where nothing else can be hit.
  if (bind.rfind("127.", 0) != 0) throw std::runtime_error("loopback addresses only: " + bind);
  ProcessSetup setup;
  setup.argv = {RelaysimPath(), "--bind", bind, "--port", std::to_string(port)};
  setup.argv.insert(setup.argv.end(), extra.begin(), extra.end());
  setup.stderrFile = logDir_.Path() + "/relaysim.log";
  process_ = std::make_unique<Process>(setup);
  // "relaysim listening on ADDRESS:PORT"
  const std::string prefix = "relaysim listening on " + bind + ":";
  const std::string line = process_->ReadLine(5000ms).value_or("(no output)");
  if (line.rfind(prefix, 0) != 0) {
    Stop();
    throw std::runtime_error("relaysim did not start on " + bind + ": '" + line + "' " +
                             logDir_.Read("relaysim.log"));
  }
  port_ = std::atoi(line.c_str() + prefix.size());
}

SimProcess::~SimProcess() {
  Stop();
}

std::string SimProcess::Command(const std::string& line) {
  process_->WriteStdin(line + "\n");
  return process_->ReadLine(3000ms).value_or("");
}

int SimProcess::Stop() {
  if (!stopped_) {
    process_->Signal(SIGTERM);
    // The process kills a child that is still there when it goes.
    stopped_ = process_->Wait(5000ms).value_or(-1);
  }
  return *stopped_;
}

std::vector<std::string> SimProcess::Requests() const {
  std::vector<std::string> requests;
  std::istringstream log(logDir_.Read("relaysim.log"));
  std::string line;
  // relaysim: request from 127.0.0.1:40277 "VEDOVIZ2"
  while (std::getline(log, line)) {
    if (line.find(": request from ") == std::string::npos) continue;
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    if (open != std::string::npos && close > open) {
      requests.push_back(line.substr(open + 1, close - open - 1));
    }
  }
  return requests;
}

int RunSim(const std::vector<std::string>& args, std::string* out, std::string* err) {
  ProcessSetup setup;
  setup.argv = {RelaysimPath()};
  setup.argv.insert(setup.argv.end(), args.begin(), args.end());
  setup.closedStdin = true;
  const RunResult result = Run(setup, 5000ms);
  if (out) *out = result.out;
  if (err) *err = result.err;
  return result.exitCode;
}

}  // namespace testsupport
