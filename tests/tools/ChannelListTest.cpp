#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/relayctl/Channels.h"

namespace {

using relayctl::ParseChannelList;
using relayctl::ParseMask;

struct ChannelCase {
  std::vector<std::string> words;
  std::optional<unsigned> mask;  // nothing: rejected
};

TEST(ChannelList, AcceptsChannelsRangesListsAndAll) {
  const ChannelCase cases[] = {
      {{"1"}, 0x01},     {{"3"}, 0x04},        {{"8"}, 0x80},          {{"03"}, 0x04},
      {{"1-4"}, 0x0F},   {{"5-8"}, 0xF0},      {{"4-4"}, 0x08},        {{"1", "3", "5"}, 0x15},
      {{"1,3,5"}, 0x15}, {{"2,6-7"}, 0x62},    {{"1-2", "2-3"}, 0x07}, {{"3", "3"}, 0x04},
      {{"all"}, 0xFF},   {{"1", "all"}, 0xFF},
  };
  for (const ChannelCase& c : cases) {
    const relayctl::ChannelList list = ParseChannelList(c.words);
    ASSERT_TRUE(list.ok()) << c.words.front() << ": " << list.error;
    EXPECT_EQ(list.mask, *c.mask) << c.words.front();
  }
}

TEST(ChannelList, RejectsWhatIsNotAChannel) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"0"},
      {"9"},
      {"1-9"},
      {"0-3"},
      {"4-1"},
      {"x"},
      {"1x"},
      {"-1"},
      {"1-"},
      {"-"},
      {"1--2"},
      {"1,"},
      {",1"},
      {"1,,2"},
      {""},
      {"ALL"},
      {"10"},
      {"+1"},
      {" 1"},
      {"1.5"},
      {"3", "9"},
      {"99999999999999999999"},
  };
  for (const std::vector<std::string>& words : cases) {
    const relayctl::ChannelList list = ParseChannelList(words);
    EXPECT_FALSE(list.ok()) << (words.empty() ? "(none)" : words.back());
    EXPECT_FALSE(list.error.empty());
  }
}

TEST(ChannelList, ErrorNamesTheBadWord) {
  EXPECT_NE(ParseChannelList({"2", "9"}).error.find("'9'"), std::string::npos);
  EXPECT_NE(ParseChannelList({"1-9"}).error.find("'1-9'"), std::string::npos);
}

TEST(Mask, DecimalAndHexWithinAByte) {
  const std::pair<const char*, std::optional<unsigned>> cases[] = {
      {"0", 0u},
      {"5", 5u},
      {"255", 255u},
      {"007", 7u},
      {"0x0", 0u},
      {"0xff", 255u},
      {"0XFF", 255u},
      {"0x5A", 0x5Au},
      {"0x00ff", 255u},
      {"256", std::nullopt},
      {"0x100", std::nullopt},
      {"-1", std::nullopt},
      {"+5", std::nullopt},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"0xg", std::nullopt},
      {"ff", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"1e2", std::nullopt},
      {"4294967301", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    const std::optional<std::uint8_t> mask = ParseMask(text);
    if (expected) {
      ASSERT_TRUE(mask.has_value()) << text;
      EXPECT_EQ(*mask, *expected) << text;
    } else {
      EXPECT_FALSE(mask.has_value()) << text;
    }
  }
}

}  // namespace
