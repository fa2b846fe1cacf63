#pragma once
// The conversation with the power controller: three exchanges and the reply reader.
// None of these throws or prints; every failure comes back as false.

#include <cstdint>
#include <string>
#include <string_view>

#include "device/UdpLink.h"

namespace device {

constexpr int kDevicePort = 7070;
constexpr int kReplyTimeoutMs = 1000;

// Reads the input byte ("VEDOVIZ0"). True when a non-empty reply came.
bool GetInputStatus(UdpLink& link, std::string address, int port, std::uint8_t& value,
                    int timeoutMs = kReplyTimeoutMs);
// Reads the output byte ("VEDOVIZ2"). True when a non-empty reply came.
bool GetOutputStatus(UdpLink& link, std::string address, int port, std::uint8_t& value,
                     int timeoutMs = kReplyTimeoutMs);
// Writes the output byte ("VEDOVIZ1" + decimal). True when the controller acknowledged.
bool SetOutputStatus(UdpLink& link, std::string address, int port, std::uint8_t value,
                     int timeoutMs = kReplyTimeoutMs);

// The reply's ASCII digit bytes, in order; every other byte is dropped.
std::string ExtractDigits(std::string_view reply);
// True when the one-character text occurs within "0123456789".
bool IsDigitText(std::string_view text);

}  // namespace device
