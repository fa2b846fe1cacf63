#include "tools/relayctl/Controller.h"

#include <optional>
#include <utility>

#include "device/VORuzovU.h"

namespace relayctl {

Controller::Controller(std::string host, int port, int timeoutMs, int retries)
    : host_(std::move(host)), port_(port), timeoutMs_(timeoutMs), retries_(retries) {}

std::string Controller::Where() const {
  return host_ + ":" + std::to_string(port_);
}

std::string Controller::Tries() const {
  const int tries = retries_ + 1;
  return std::to_string(tries) + (tries == 1 ? " try" : " tries");
}

// A retry starts on a new endpoint, so nothing left from the failed attempt can answer it.
void Controller::Fresh(int attempt) {
  if (attempt == 0) return;
  link_.SetActive(false);
  link_.SetActive(true);
}

// The window reads a reply without digits as a default byte. A script must not be told
// "all off" when the controller said nothing meaningful, so here such a reply, and one
// whose number is not a byte, is a failed read.
bool Controller::Read(const char* request, const char* what, std::uint8_t& value) {
  std::string last;
  for (int attempt = 0; attempt <= retries_; ++attempt) {
    try {
      Fresh(attempt);
      link_.DropQueued();
      link_.Send(host_, static_cast<std::uint16_t>(port_), request);
      const std::optional<device::Datagram> reply = link_.Receive(timeoutMs_);
      if (!reply || reply->bytes.empty()) {
        last = "no answer to the " + std::string(what) + " read within " +
               std::to_string(timeoutMs_) + " ms";
        continue;
      }
      const std::string digits = device::ExtractDigits(reply->bytes);
      if (digits.empty()) {
        last = "the " + std::string(what) + " reply holds no number";
        continue;
      }
      const std::size_t significant = digits.find_first_not_of('0');
      const std::string number =
          significant == std::string::npos ? "0" : digits.substr(significant);
      if (number.size() > 3 || std::stoi(number) > 255) {
        last = "the " + std::string(what) + " reply " + number.substr(0, 12) +
               (number.size() > 12 ? "..." : "") + " is not a byte";
        continue;
      }
      value = static_cast<std::uint8_t>(std::stoi(number));
      return true;
    } catch (const device::LinkError& e) {
      last = std::string(what) + " read failed: " + e.what();
    }
  }
  error_ = Where() + ": " + last + " (" + Tries() + ")";
  return false;
}

bool Controller::ReadInputs(std::uint8_t& value) {
  return Read("VEDOVIZ0", "input", value);
}

bool Controller::ReadOutputs(std::uint8_t& value) {
  return Read("VEDOVIZ2", "output", value);
}

bool Controller::WriteOutputs(std::uint8_t value) {
  for (int attempt = 0; attempt <= retries_; ++attempt) {
    try {
      Fresh(attempt);
    } catch (const device::LinkError&) {
      // The exchange below reopens the link and reports its own failure.
    }
    if (device::SetOutputStatus(link_, host_, port_, value, timeoutMs_)) return true;
  }
  error_ = Where() + ": the controller did not acknowledge the write of " + std::to_string(value) +
           " (refused, or no answer within " + std::to_string(timeoutMs_) + " ms; " + Tries() + ")";
  return false;
}

}  // namespace relayctl
