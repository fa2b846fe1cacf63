#include "tools/relayctl/DefaultHost.h"

#include <fstream>
#include <iterator>
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
  std::ifstream file(iniPath, std::ios::binary);
  if (!file) {
    result.error = std::string("no controller address: ") + kHowToName;
    return result;
  }
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
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
