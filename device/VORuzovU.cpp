#include "device/VORuzovU.h"

#include <cstdint>
#include <optional>
#include <string>

namespace device {

namespace {

constexpr std::uint8_t kInputDefault = 255;
constexpr std::uint8_t kOutputDefault = 0;
constexpr std::uint64_t kLargestValue = 2147483647;

// The digits as an unsigned decimal number; no digits, or a value above the largest
// signed 32-bit number, gives the default.
std::uint32_t ReadNumber(const std::string& digits, std::uint32_t fallback) {
  if (digits.empty()) return fallback;
  std::uint64_t value = 0;
  for (char c : digits) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kLargestValue) return fallback;
  }
  return static_cast<std::uint32_t>(value);
}

std::uint16_t CheckedPort(int port) {
  if (port < 0 || port > 65535) throw LinkError("port out of range");
  return static_cast<std::uint16_t>(port);
}

// One request and at most one reply. The address and port are this exchange's own copies;
// the reply's sender goes into them and nothing reads it afterwards: any sender is taken.
std::string Exchange(UdpLink& link, std::string& address, int& port, std::string_view request,
                     int timeoutMs) {
  const std::uint16_t to = CheckedPort(port);
  // Anything queued now answers an earlier request that gave up waiting.
  link.DropQueued();
  link.Send(address, to, request);
  std::optional<Datagram> reply = link.Receive(timeoutMs);
  if (!reply) {
    address.clear();
    port = 0;
    return {};
  }
  address = reply->fromAddress;
  port = reply->fromPort;
  return std::move(reply->bytes);
}

bool ReadByte(UdpLink& link, std::string address, int port, std::uint8_t& value,
              std::string_view request, std::uint8_t fallback, int timeoutMs) {
  try {
    const std::string reply = Exchange(link, address, port, request, timeoutMs);
    const std::uint32_t n = ReadNumber(ExtractDigits(reply), fallback);
    value = static_cast<std::uint8_t>(n % 256);
    return !reply.empty();
  } catch (...) {
    return false;
  }
}

}  // namespace

bool GetInputStatus(UdpLink& link, std::string address, int port, std::uint8_t& value,
                    int timeoutMs) {
  return ReadByte(link, std::move(address), port, value, "VEDOVIZ0", kInputDefault, timeoutMs);
}

bool GetOutputStatus(UdpLink& link, std::string address, int port, std::uint8_t& value,
                     int timeoutMs) {
  return ReadByte(link, std::move(address), port, value, "VEDOVIZ2", kOutputDefault, timeoutMs);
}

bool SetOutputStatus(UdpLink& link, std::string address, int port, std::uint8_t value,
                     int timeoutMs) {
  try {
    const std::string request = "VEDOVIZ1" + std::to_string(static_cast<unsigned>(value));
    const std::string reply = Exchange(link, address, port, request, timeoutMs);
    return ReadNumber(ExtractDigits(reply), 255) % 256 == 0;
  } catch (...) {
    return false;
  }
}

std::string ExtractDigits(std::string_view reply) {
  std::string digits;
  // Byte by byte: a byte of a multi-byte character is never read as part of a digit.
  for (const char& byte : reply) {
    if (IsDigitText(std::string_view(&byte, 1))) digits.push_back(byte);
  }
  return digits;
}

bool IsDigitText(std::string_view text) {
  return !text.empty() && std::string_view("0123456789").find(text) != std::string_view::npos;
}

}  // namespace device
