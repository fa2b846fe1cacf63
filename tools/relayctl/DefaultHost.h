#pragma once
// Where relayctl finds the controller when no -H is given.

#include <string>

namespace relayctl {

struct DefaultHost {
  std::string host;
  std::string error;  // why there is none; empty when host is set
};

// The value of RELAYCTL_HOST (envValue, may be null) when not blank, else the IPV4 value
// of the [relaypanel] section of the settings file at iniPath, the window's own file. The
// file is only read, never written.
DefaultHost FindDefaultHost(const char* envValue, const std::string& iniPath);

}  // namespace relayctl
