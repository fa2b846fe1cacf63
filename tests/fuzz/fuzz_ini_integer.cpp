// The stored-integer reader against a second, deliberately plain reading of the same rules.
// They must agree on every input, for two different defaults.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/IniDocument.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return static_cast<unsigned>(c - 'A' + 10);
}

// Returns nothing where the rules say "the default".
std::optional<std::int32_t> Reference(std::string s) {
  // 1. "0x"/"0X" at the very start of a text longer than two characters becomes "$".
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  // 2. Leading spaces.
  std::size_t p = 0;
  while (p < s.size() && s[p] == ' ') p++;
  // 3. One optional sign.
  bool minus = false;
  if (p < s.size() && (s[p] == '-' || s[p] == '+')) {
    minus = s[p] == '-';
    p++;
  }
  std::string rest = s.substr(p);
  // 4. Hexadecimal after "$", "x", "X", "0x" or "0X".
  std::string hex;
  bool isHex = false;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    isHex = true;
    hex = rest.substr(1);
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    isHex = true;
    hex = rest.substr(2);
  }
  if (isHex) {
    if (hex.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : hex) {
      if (!IsHex(c)) return std::nullopt;
      v = v * 16 + HexValue(c);
      if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(v);
    if (minus) bits = ~bits + 1u;
    return static_cast<std::int32_t>(bits);
  }
  // 5. Decimal.
  if (rest.empty()) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    if (v > 10000000000ull) return std::nullopt;  // far out of range already
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  const std::int64_t signedValue =
      minus ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
  if (signedValue < -2147483648LL || signedValue > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(signedValue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);
  for (const std::int32_t fallback : {std::int32_t{10}, std::int32_t{-7}}) {
    const std::int32_t got = settings::ParseIniInteger(text, fallback);
    FUZZ_CHECK(got == expected.value_or(fallback));
  }
  // What the writer produces reads back as the same number.
  if (expected)
    FUZZ_CHECK(settings::ParseIniInteger(settings::FormatIniInteger(*expected), 0) == *expected);
  return 0;
}
