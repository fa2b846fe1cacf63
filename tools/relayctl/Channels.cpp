#include "tools/relayctl/Channels.h"

#include <cctype>

namespace relayctl {

namespace {

constexpr int kChannels = 8;

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// A channel number 1..8; leading zeros allowed, anything else rejected.
std::optional<int> ParseChannel(std::string_view text) {
  if (!AllDigits(text)) return std::nullopt;
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.size() != 1) return std::nullopt;
  const int channel = text.front() - '0';
  if (channel < 1 || channel > kChannels) return std::nullopt;
  return channel;
}

// One item: "N", "A-B" or "all". Returns false with a message on a bad item.
bool AddItem(std::string_view item, std::uint8_t& mask, std::string& error) {
  if (item == "all") {
    mask = 0xFF;
    return true;
  }
  const std::size_t dash = item.find('-');
  if (dash == std::string_view::npos) {
    const std::optional<int> channel = ParseChannel(item);
    if (!channel) {
      error = "bad channel '" + std::string(item) + "' (use 1 to 8, a range like 1-4, or all)";
      return false;
    }
    mask = static_cast<std::uint8_t>(mask | (1u << (*channel - 1)));
    return true;
  }
  const std::optional<int> first = ParseChannel(item.substr(0, dash));
  const std::optional<int> last = ParseChannel(item.substr(dash + 1));
  if (!first || !last || *first > *last) {
    error = "bad channel range '" + std::string(item) + "' (use FIRST-LAST within 1 to 8)";
    return false;
  }
  for (int channel = *first; channel <= *last; ++channel) {
    mask = static_cast<std::uint8_t>(mask | (1u << (channel - 1)));
  }
  return true;
}

}  // namespace

ChannelList ParseChannelList(const std::vector<std::string>& words) {
  ChannelList result;
  if (words.empty()) {
    result.error = "no channel given (use 1 to 8, a range like 1-4, or all)";
    return result;
  }
  for (const std::string& word : words) {
    std::string_view rest = word;
    // Commas separate items within one word; an empty item is a typing error.
    while (true) {
      const std::size_t comma = rest.find(',');
      const std::string_view item = rest.substr(0, comma);
      if (item.empty()) {
        result.error = "bad channel list '" + word + "' (empty item)";
        return result;
      }
      if (!AddItem(item, result.mask, result.error)) return result;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return result;
}

std::optional<std::uint8_t> ParseMask(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty() || text.size() > 8) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    unsigned digit = 0;
    if (std::isdigit(u)) {
      digit = static_cast<unsigned>(u - '0');
    } else if (base == 16 && std::isxdigit(u)) {
      digit = static_cast<unsigned>(std::tolower(u) - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * static_cast<unsigned>(base) + digit;
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::vector<int> ChannelsOf(std::uint8_t mask) {
  std::vector<int> channels;
  for (int channel = 1; channel <= kChannels; ++channel) {
    if (mask & (1u << (channel - 1))) channels.push_back(channel);
  }
  return channels;
}

}  // namespace relayctl
