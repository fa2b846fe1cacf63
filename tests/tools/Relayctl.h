#pragma once
// relayctl as the tool tests run it, and a check on the simulator that bypasses it.

#include <cstdint>
#include <string>
#include <vector>

#include "support/Process.h"

namespace tooltest {

// Runs the built relayctl with these arguments (RELAYCTL_HOST unset unless setup says).
testsupport::RunResult Relayctl(const std::vector<std::string>& args,
                                testsupport::ProcessSetup setup = {});

// The output byte read straight through the device layer, not through relayctl.
std::uint8_t ReadOutputsDirectly(int port, const std::string& host = "127.0.0.1");

}  // namespace tooltest
