#include <gtest/gtest.h>

#include <string>

#include "Json.h"
#include "tools/relayctl/Format.h"

namespace {

using relayctl::JsonString;
using tooltest::ParseJson;

TEST(Format, JsonStringEscapesWhatJsonCannotHoldPlain) {
  const std::pair<std::string, std::string> cases[] = {
      {"127.0.0.1", "\"127.0.0.1\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\b", "\"a\\\\b\""},
      {std::string("a\0b", 3), "\"a\\u0000b\""},
      {"tab\there\n", "\"tab\\u0009here\\u000a\""},
      {"\x7f", "\"\\u007f\""},
      {"caf\xC3\xA9", "\"caf\xC3\xA9\""},                            // valid UTF-8 stays
      {"\xFF", "\"\xEF\xBF\xBD\""},                                  // a stray byte becomes U+FFFD
      {"\xC3", "\"\xEF\xBF\xBD\""},                                  // a cut sequence too
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                  // overlong
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // surrogate
  };
  for (const auto& [text, expected] : cases) {
    const std::string json = JsonString(text);
    EXPECT_EQ(json, expected);
    EXPECT_TRUE(ParseJson(json).has_value()) << json;
  }
}

TEST(Format, ChannelWordsFollowEachBytesSense) {
  // Outputs: a set bit is on. Inputs: a clear bit is on.
  EXPECT_EQ(relayctl::OutputWords(0x05), "1:on 2:off 3:on 4:off 5:off 6:off 7:off 8:off");
  EXPECT_EQ(relayctl::InputWords(0xFE), "1:on 2:off 3:off 4:off 5:off 6:off 7:off 8:off");
  const auto inputs = ParseJson(relayctl::InputsJson(0x7F));
  ASSERT_TRUE(inputs);
  EXPECT_EQ((*inputs)["byte"].Number(), 127);
  EXPECT_TRUE((*inputs)["channels"]["8"].Bool());
  EXPECT_FALSE((*inputs)["channels"]["1"].Bool());
}

TEST(Format, RecordsNameTheirHostAsValidJson) {
  relayctl::StringSink out;
  relayctl::Printer printer(out, true, false, true);
  printer.Record("we\"ird\\host", "\"outputs\":" + relayctl::OutputsJson(1));
  const auto record = ParseJson(out.str());
  ASSERT_TRUE(record) << out.str();
  EXPECT_EQ((*record)["host"].String(), "we\"ird\\host");
  EXPECT_EQ((*record)["outputs"]["byte"].Number(), 1);
}

TEST(Format, LinesNameTheHostOnlyWhenAsked) {
  relayctl::StringSink one, several, quiet;
  relayctl::Printer(one, false, false, false).Line("h", "5");
  relayctl::Printer(several, false, false, true).Line("h", "5");
  relayctl::Printer(quiet, false, true, true).Line("h", "5");
  EXPECT_EQ(one.str(), "5\n");
  EXPECT_EQ(several.str(), "h: 5\n");
  EXPECT_EQ(quiet.str(), "");
}

TEST(Format, TimestampIsUtcIso8601WithMilliseconds) {
  const std::string stamp = relayctl::TimestampNow();
  ASSERT_EQ(stamp.size(), 24u) << stamp;
  EXPECT_EQ(stamp[4], '-');
  EXPECT_EQ(stamp[10], 'T');
  EXPECT_EQ(stamp[19], '.');
  EXPECT_EQ(stamp.back(), 'Z');
}

}  // namespace
