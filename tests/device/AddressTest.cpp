// The address rules every send applies.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "device/UdpLink.h"

namespace {

constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

TEST(Address, NumericForms) {
  struct Case {
    const char* text;
    std::optional<std::uint32_t> address;
  };
  const Case cases[] = {
      {"192.168.0.123", Ip(192, 168, 0, 123)},
      {"192.168.000.010", Ip(192, 168, 0, 10)},  // leading zeros are decimal, not octal
      {"010.0.0.1", Ip(10, 0, 0, 1)},
      {"0.0.0.0", 0u},
      {"255.255.255.255", 0xFFFFFFFFu},
      {"127.1", Ip(127, 0, 0, 1)},
      {"127.0.1", Ip(127, 0, 0, 1)},
      {"10.1.65535", Ip(10, 1, 255, 255)},
      {"10.16777215", Ip(10, 255, 255, 255)},
      {"2130706433", Ip(127, 0, 0, 1)},
      {"4294967295", 0xFFFFFFFFu},
      {"0000000000000000127.1", Ip(127, 0, 0, 1)},
      {"256.0.0.1", std::nullopt},
      {"1.2.3.256", std::nullopt},
      {"10.1.65536", std::nullopt},
      {"10.16777216", std::nullopt},
      {"4294967296", std::nullopt},
      {"1.256.1", std::nullopt},
      {"1.2.3.4.5", std::nullopt},
      {"1..2", std::nullopt},
      {"1.2.3.", std::nullopt},
      {".1.2.3", std::nullopt},
      {"", std::nullopt},
      {"0x7f.1", std::nullopt},
      {"1.2.3.4 ", std::nullopt},
      {"+1.2.3.4", std::nullopt},
      {"localhost", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(device::ParseNumericIPv4(c.text), c.address) << '"' << c.text << '"';
  }
}

TEST(Address, LocalhostInAnyLetterCase) {
  for (const char* name : {"LOCALHOST", "localhost", "LocalHost", "lOCALHOST"}) {
    EXPECT_EQ(device::ResolveIPv4(name), Ip(127, 0, 0, 1)) << name;
  }
}

TEST(Address, NumericTextNeedsNoResolver) {
  EXPECT_EQ(device::ResolveIPv4("127.000.000.001"), Ip(127, 0, 0, 1));
  EXPECT_EQ(device::ResolveIPv4("192.168.000.010"), Ip(192, 168, 0, 10));
}

TEST(Address, UnresolvableTextIsAnError) {
  for (const std::string& name :
       {std::string("no-such-host.invalid"), std::string(), std::string("127.0.0.1\0x", 11)}) {
    EXPECT_THROW(device::ResolveIPv4(name), device::LinkError) << name;
  }
}

}  // namespace
