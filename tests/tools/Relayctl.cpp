#include "Relayctl.h"

#include <stdexcept>

#include "device/UdpLink.h"
#include "device/VORuzovU.h"

namespace tooltest {

testsupport::RunResult Relayctl(const std::vector<std::string>& args,
                                testsupport::ProcessSetup setup) {
  setup.argv = {testsupport::RelayctlPath()};
  setup.argv.insert(setup.argv.end(), args.begin(), args.end());
  return testsupport::Run(setup);
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
