#include "SimProcess.h"

#include <signal.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "device/UdpLink.h"
#include "device/VORuzovU.h"

namespace tooltest {

using namespace std::chrono_literals;

SimProcess::SimProcess(std::vector<std::string> extra, std::string bind, int port) {
  ProcessSetup setup;
  setup.argv = {RelaysimPath(), "--bind", bind, "--port", std::to_string(port)};
  setup.argv.insert(setup.argv.end(), extra.begin(), extra.end());
  setup.stderrFile = logDir_.Path() + "/relaysim.log";
  process_ = std::make_unique<Process>(setup);
  // "relaysim listening on ADDRESS:PORT"
  const std::optional<std::string> line = process_->ReadLine(5000ms);
  const std::size_t colon = line ? line->rfind(':') : std::string::npos;
  if (colon == std::string::npos) {
    throw std::runtime_error("relaysim did not start: " + line.value_or("(no output)"));
  }
  port_ = std::stoi(line->substr(colon + 1));
}

SimProcess::~SimProcess() {
  process_->Signal(SIGTERM);
  process_->Wait(3000ms);
}

std::string SimProcess::Command(const std::string& line) {
  process_->WriteStdin(line + "\n");
  return process_->ReadLine(3000ms).value_or("(no answer)");
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

RunResult Relayctl(const std::vector<std::string>& args, ProcessSetup setup) {
  setup.argv = {RelayctlPath()};
  setup.argv.insert(setup.argv.end(), args.begin(), args.end());
  return Run(setup);
}

std::uint8_t ReadOutputsDirectly(int port, const std::string& host) {
  device::UdpLink link;
  std::uint8_t value = 0;
  if (!device::GetOutputStatus(link, host, port, value)) {
    throw std::runtime_error("the simulator did not answer the output read");
  }
  return value;
}

}  // namespace tooltest
