// Integer and boolean encodings of stored values.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/IniDocument.h"

using settings::FormatIniInteger;
using settings::ParseIniInteger;

namespace {

constexpr std::int32_t kDefault = 77;

struct IntCase {
  const char* text;
  std::int32_t expected;
};

class ParseInteger : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseInteger, FollowsTheStoredRules) {
  EXPECT_EQ(ParseIniInteger(GetParam().text, kDefault), GetParam().expected)
      << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseInteger,
    ::testing::Values(
        // Decimal.
        IntCase{"30", 30}, IntCase{"0", 0}, IntCase{"010", 10}, IntCase{"+5", 5}, IntCase{"-5", -5},
        IntCase{" 12", 12}, IntCase{"   -7", -7}, IntCase{"2147483647", 2147483647},
        IntCase{"-2147483648", INT32_MIN}, IntCase{"0000000000002147483647", 2147483647},
        // Hexadecimal, every marker.
        IntCase{"0x1E", 30}, IntCase{"0X1e", 30}, IntCase{"$1E", 30}, IntCase{"x1E", 30},
        IntCase{"X1e", 30}, IntCase{"-$10", -16}, IntCase{"+$10", 16}, IntCase{"-x10", -16},
        IntCase{" 0x10", 16}, IntCase{"-0x10", -16}, IntCase{"$FFFFFFFF", -1},
        IntCase{"$80000000", INT32_MIN}, IntCase{"$7FFFFFFF", 2147483647},
        IntCase{"-$80000000", INT32_MIN}, IntCase{"-$FFFFFFFF", 1}, IntCase{"$000000001", 1},
        IntCase{"0x0", 0},
        // Everything else gives the default.
        IntCase{"", kDefault}, IntCase{"abc", kDefault}, IntCase{"30s", kDefault},
        IntCase{"30 ", kDefault}, IntCase{"3 0", kDefault}, IntCase{"3000000000", kDefault},
        IntCase{"2147483648", kDefault}, IntCase{"-2147483649", kDefault},
        IntCase{"99999999999999999999", kDefault}, IntCase{"$100000000", kDefault},
        IntCase{"$", kDefault}, IntCase{"0x", kDefault}, IntCase{"x", kDefault},
        IntCase{"-", kDefault}, IntCase{"+", kDefault}, IntCase{"--5", kDefault},
        IntCase{"- 5", kDefault}, IntCase{"$1G", kDefault}, IntCase{"0x$1", kDefault},
        IntCase{"\t5", kDefault}, IntCase{"1.5", kDefault}, IntCase{"true", kDefault},
        IntCase{"$-1", kDefault}));

TEST(FormatInteger, SignedDecimalWithoutPlusOrLeadingZeros) {
  EXPECT_EQ(FormatIniInteger(0), "0");
  EXPECT_EQ(FormatIniInteger(30), "30");
  EXPECT_EQ(FormatIniInteger(-16), "-16");
  EXPECT_EQ(FormatIniInteger(INT32_MIN), "-2147483648");
  EXPECT_EQ(FormatIniInteger(INT32_MAX), "2147483647");
}

TEST(FormatInteger, ReadsBackAsWritten) {
  for (const std::int32_t v : {INT32_MIN, -32768, -1, 0, 1, 32767, 65546, INT32_MAX}) {
    EXPECT_EQ(ParseIniInteger(FormatIniInteger(v), kDefault), v);
  }
}

}  // namespace
