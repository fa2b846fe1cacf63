#pragma once
// The channel and mask arguments of relayctl.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace relayctl {

struct ChannelList {
  std::uint8_t mask = 0;  // bit i-1 for channel i
  std::string error;      // set when the words are not a channel list
  bool ok() const { return error.empty(); }
};

// Words like "3", "1-4", "2,5-6" or "all"; channels 1 to 8. At least one channel.
ChannelList ParseChannelList(const std::vector<std::string>& words);

// An output byte: decimal 0..255 or "0x" hexadecimal 00..ff.
std::optional<std::uint8_t> ParseMask(std::string_view text);

// The channels of a mask in ascending order.
std::vector<int> ChannelsOf(std::uint8_t mask);

}  // namespace relayctl
