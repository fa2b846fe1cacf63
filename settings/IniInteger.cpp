// Integer values as stored in the settings file (declared in IniDocument.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/IniDocument.h"

namespace settings {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue) {
  std::string work(text);
  if (work.size() > 2 && work[0] == '0' && (work[1] == 'x' || work[1] == 'X')) {
    work.replace(0, 2, "$");
  }

  std::size_t i = 0;
  while (i < work.size() && work[i] == ' ') ++i;
  bool negative = false;
  if (i < work.size() && (work[i] == '-' || work[i] == '+')) {
    negative = work[i] == '-';
    ++i;
  }

  const auto marker = [&](std::size_t at) -> std::size_t {
    if (at >= work.size()) return 0;
    const char c = work[at];
    if (c == '$' || c == 'x' || c == 'X') return 1;
    if (c == '0' && at + 1 < work.size() && (work[at + 1] == 'x' || work[at + 1] == 'X')) return 2;
    return 0;
  };

  if (const std::size_t skip = marker(i); skip != 0) {
    i += skip;
    if (i >= work.size()) return defaultValue;
    std::uint32_t bits = 0;
    for (; i < work.size(); ++i) {
      const int digit = HexDigit(work[i]);
      if (digit < 0 || (bits & 0xF0000000u) != 0) return defaultValue;
      bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    // The digits are a 32-bit two's-complement pattern; "-" negates it (wrapping at the minimum).
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }

  if (i >= work.size()) return defaultValue;
  std::int64_t magnitude = 0;
  for (; i < work.size(); ++i) {
    const char c = work[i];
    if (c < '0' || c > '9') return defaultValue;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL) return defaultValue;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return defaultValue;
  return static_cast<std::int32_t>(value);
}

std::string FormatIniInteger(std::int32_t value) {
  return std::to_string(value);
}

}  // namespace settings
