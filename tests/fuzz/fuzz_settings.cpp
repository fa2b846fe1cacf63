// The settings file reader and writer: no crash on any bytes, what was written reads back as
// the same document, lookups find the last matching line, and a value set through the
// document survives a write and a read when its names can be written at all.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniDocument.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using settings::IniDocument;
using settings::IniSectionData;

bool SameSections(const IniDocument& a, const IniDocument& b) {
  const auto& x = a.Sections();
  const auto& y = b.Sections();
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i].name != y[i].name || x[i].lines != y[i].lines) return false;
  }
  return true;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Every line of a written file ends with CR LF, and no bare CR, LF or NUL occurs.
void CheckWrittenForm(const std::string& bytes) {
  FUZZ_CHECK(bytes.find('\0') == std::string::npos);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') FUZZ_CHECK(i + 1 < bytes.size() && bytes[i + 1] == '\n');
    if (bytes[i] == '\n') FUZZ_CHECK(i > 0 && bytes[i - 1] == '\r');
  }
  FUZZ_CHECK(bytes.empty() || bytes.size() >= 4);
  if (!bytes.empty()) FUZZ_CHECK(bytes.compare(bytes.size() - 4, 4, "\r\n\r\n") == 0);
}

// The last section: each key's last line is what a lookup by that key (in any case) returns.
void CheckLookups(const IniDocument& doc) {
  if (doc.Sections().empty()) return;
  const IniSectionData& last = doc.Sections().back();
  std::vector<std::string> seen;
  for (auto it = last.lines.rbegin(); it != last.lines.rend(); ++it) {
    const std::size_t eq = it->find('=');
    if (eq == std::string::npos) continue;
    const std::string key = it->substr(0, eq);
    const std::string upper = Upper(key);
    bool already = false;
    for (const auto& s : seen) already = already || s == upper;
    if (already) continue;
    seen.push_back(upper);
    const auto value = doc.ReadValue(Upper(last.name), key);
    FUZZ_CHECK(value.has_value() && *value == it->substr(eq + 1));
    FUZZ_CHECK(doc.ValueExists(last.name, upper));
  }
}

bool Trimmed(std::string_view s) {
  return s.empty() ||
         (static_cast<unsigned char>(s.front()) > 32 && static_cast<unsigned char>(s.back()) > 32);
}

bool OneLine(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Names and values that a write can carry and a read gives back.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
  if (!Trimmed(section) || !Trimmed(key) || !Trimmed(value)) return false;
  if (!OneLine(section) || !OneLine(key) || !OneLine(value)) return false;
  if (key.find('=') != std::string_view::npos) return false;
  if (!key.empty() && key.front() == ';') return false;
  // "[k=v]" would read back as a section header.
  return !(!key.empty() && key.front() == '[' && !value.empty() && value.back() == ']');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  IniDocument doc = IniDocument::Parse(bytes);
  const std::string written = doc.Serialize();
  CheckWrittenForm(written);
  const IniDocument again = IniDocument::Parse(written);
  FUZZ_CHECK(SameSections(doc, again));
  FUZZ_CHECK(again.Serialize() == written);
  CheckLookups(doc);

  // The input's last three lines (split at LF) name a section, a key and a value to set.
  std::vector<std::string_view> parts;
  std::string_view rest = bytes;
  for (int i = 0; i < 3; ++i) {
    const std::size_t lf = rest.rfind('\n');
    if (lf == std::string_view::npos) break;
    parts.push_back(rest.substr(lf + 1));
    rest = rest.substr(0, lf);
  }
  if (parts.size() == 3) {
    const std::string_view section = parts[2], key = parts[1], value = parts[0];
    doc.SetValue(section, key, value);
    CheckLookups(doc);
    // A key is the text before the first "=": a key holding one can never be found.
    if (key.find('=') == std::string_view::npos) {
      FUZZ_CHECK(doc.ValueExists(section, key));
      FUZZ_CHECK(doc.ReadValue(section, key) == std::string(value));
    }
    if (Writable(section, key, value)) {
      const IniDocument reread = IniDocument::Parse(doc.Serialize());
      FUZZ_CHECK(SameSections(doc, reread));
      FUZZ_CHECK(reread.ReadValue(section, key) == std::string(value));
    }
  }
  return 0;
}
