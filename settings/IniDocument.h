#pragma once
// The in-memory settings file: an ordered list of sections, each an ordered list of lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

struct IniSectionData {
  std::string name;
  std::vector<std::string> lines;  // "key=value", or a line without "=" carried along
};

class IniDocument {
 public:
  // Reads file bytes: CR LF, CR or LF line ends, a NUL ends the text, lines trimmed of
  // codes 0..32, blank and ";" lines dropped, lines before the first header dropped.
  static IniDocument Parse(std::string_view bytes);
  // CR LF after every line, one empty line after each section; no sections: no bytes.
  std::string Serialize() const;

  // Lookups use the last section and the last line that match, ignoring ASCII case.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // Replaces the last matching line in place (with the caller's key), or appends it;
  // a missing section is appended, named as the caller passes it.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  const std::vector<IniSectionData>& Sections() const { return sections_; }

 private:
  std::vector<IniSectionData> sections_;
};

// Integer values as stored: "0x"/"$"/"x" hexadecimal up to 32 bits (two's complement),
// decimal within the signed 32-bit range, no octal; anything else gives the default.
std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue);
// Signed decimal, "-" for negative numbers, no "+", no leading zeros.
std::string FormatIniInteger(std::int32_t value);

}  // namespace settings
