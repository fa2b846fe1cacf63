#include "tools/relayctl/DefaultHost.h"

#include <cstdio>
#include <optional>

#include "settings/IniDocument.h"

namespace relayctl {

namespace {

// Codes 0..32 around a value are not part of it, as in the settings file.
std::string Trimmed(std::string text) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32) ++first;
  std::size_t last = text.size();
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

constexpr const char* kHowToName =
    "give -H HOST, set RELAYCTL_HOST, or run where relaypanel.ini names the controller";

}  // namespace

DefaultHost FindDefaultHost(const char* envValue, const std::string& iniPath) {
  DefaultHost result;
  if (envValue) {
    result.host = Trimmed(envValue);
    if (!result.host.empty()) return result;
  }
  std::string bytes;
  std::FILE* file = std::fopen(iniPath.c_str(), "rb");
  if (!file) {
    result.error = std::string("no controller address: ") + kHowToName;
    return result;
  }
  char block[4096];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, got);
  // A file that opens but does not read (a directory of that name, an I/O error) is
  // reported, not taken as empty.
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    result.error = "cannot read " + iniPath + "; " + kHowToName;
    return result;
  }
  const settings::IniDocument document = settings::IniDocument::Parse(bytes);
  const std::optional<std::string> value = document.ReadValue("relaypanel", "IPV4");
  if (value) result.host = Trimmed(*value);
  if (result.host.empty()) {
    result.error = iniPath + " has no IPV4 value in its [relaypanel] section; " + kHowToName;
  }
  return result;
}

}  // namespace relayctl
