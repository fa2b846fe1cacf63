#pragma once
// One controller as relayctl talks to it: the exchanges with retries and plain errors.

#include <cstdint>
#include <string>

#include "device/UdpLink.h"

namespace relayctl {

class Controller {
 public:
  Controller(std::string host, int port, int timeoutMs, int retries);

  // Each returns false on failure, with Error() naming what failed.
  bool ReadInputs(std::uint8_t& value);
  bool ReadOutputs(std::uint8_t& value);
  bool WriteOutputs(std::uint8_t value);

  const std::string& Host() const { return host_; }
  // "host:port: what failed", for the message on stderr.
  const std::string& Error() const { return error_; }

 private:
  bool Read(const char* request, const char* what, std::uint8_t& value);
  std::string Where() const;
  std::string Tries() const;
  void Fresh(int attempt);

  device::UdpLink link_;
  std::string host_;
  int port_;
  int timeoutMs_;
  int retries_;
  std::string error_;
};

}  // namespace relayctl
