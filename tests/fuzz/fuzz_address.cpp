// The numeric address reader against a plain reading of the rules: "a.b.c.d" with decimal
// parts (leading zeros are decimal) and the short forms whose last part fills the rest.
// Only the parser runs here: nothing goes to the resolver.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/UdpLink.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// The decimal value of an all-digit text, or nothing when it is not one or exceeds 32 bits.
std::optional<std::uint64_t> Decimal(const std::string& part) {
  if (part.empty()) return std::nullopt;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const std::size_t first = part.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::string digits = part.substr(first);
  if (digits.size() > 10) return std::nullopt;
  const std::uint64_t value = std::stoull(digits);
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> Reference(const std::string& text) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == '.') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  if (parts.size() > 4) return std::nullopt;
  std::vector<std::uint64_t> values;
  for (const auto& p : parts) {
    const auto v = Decimal(p);
    if (!v) return std::nullopt;
    values.push_back(*v);
  }
  const std::size_t n = values.size();
  std::uint64_t address = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (values[i] > 255) return std::nullopt;
    address = address * 256 + values[i];
  }
  const unsigned lastBits = 8u * static_cast<unsigned>(4 - (n - 1));
  const std::uint64_t lastMax = (std::uint64_t{1} << lastBits) - 1;
  if (values[n - 1] > lastMax) return std::nullopt;
  address = (address << lastBits) | values[n - 1];
  return static_cast<std::uint32_t>(address);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(device::ParseNumericIPv4(text) == Reference(text));
  return 0;
}
