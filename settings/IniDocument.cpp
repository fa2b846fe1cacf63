#include "settings/IniDocument.h"

#include <cstddef>

namespace settings {

namespace {

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names compare in upper case; only ASCII letters are folded, other bytes compare as they are.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// The key of a stored line is the text before its first "="; a line without "=" has none.
bool LineHasKey(const std::string& line, std::string_view key) {
  const std::size_t eq = line.find('=');
  return eq != std::string::npos && SameName(std::string_view(line).substr(0, eq), key);
}

template <typename Sections>
auto FindSection(Sections& sections, std::string_view name) -> decltype(&sections.front()) {
  for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
    if (SameName(it->name, name)) return &*it;
  }
  return nullptr;
}

template <typename Lines>
auto FindLine(Lines& lines, std::string_view key) -> decltype(&lines.front()) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (LineHasKey(*it, key)) return &*it;
  }
  return nullptr;
}

void AddLine(std::vector<IniSectionData>& sections, std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (line.empty() || line.front() == ';') return;
  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    sections.push_back(IniSectionData{std::string(Trim(line.substr(1, line.size() - 2))), {}});
    return;
  }
  if (sections.empty()) return;  // text before the first header belongs to no section
  std::vector<std::string>& lines = sections.back().lines;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) {
    lines.emplace_back(line);
    return;
  }
  std::string stored(Trim(line.substr(0, eq)));
  stored += '=';
  stored += Trim(line.substr(eq + 1));
  lines.push_back(std::move(stored));
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);

  IniDocument doc;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    AddLine(doc.sections_, bytes.substr(start, end - start));
    // A line ends at CR LF, at a CR alone or at an LF alone.
    if (end < bytes.size()) {
      const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      end += crlf ? 2 : 1;
    }
    start = end;
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const IniSectionData& section : sections_) {
    out += '[';
    out += section.name;
    out += "]\r\n";
    for (const std::string& line : section.lines) {
      out += line;
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

std::optional<std::string> IniDocument::ReadValue(std::string_view section,
                                                  std::string_view key) const {
  const IniSectionData* found = FindSection(sections_, section);
  if (found == nullptr) return std::nullopt;
  const std::string* line = FindLine(found->lines, key);
  if (line == nullptr) return std::nullopt;
  return line->substr(line->find('=') + 1);
}

bool IniDocument::ValueExists(std::string_view section, std::string_view key) const {
  const IniSectionData* found = FindSection(sections_, section);
  return found != nullptr && FindLine(found->lines, key) != nullptr;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  IniSectionData* found = FindSection(sections_, section);
  if (found == nullptr) {
    sections_.push_back(IniSectionData{std::string(section), {}});
    found = &sections_.back();
  }
  std::string line(key);
  line += '=';
  line += value;
  if (std::string* existing = FindLine(found->lines, key)) {
    *existing = std::move(line);
  } else {
    found->lines.push_back(std::move(line));
  }
}

}  // namespace settings
