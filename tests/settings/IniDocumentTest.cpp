// The document on its own: how bytes become sections and lines, lookups, changes.

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

#include "settings/IniDocument.h"

using settings::IniDocument;
using namespace std::string_literals;

namespace {

struct RoundTrip {
  const char* what;
  std::string input;
  std::string output;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
  *os << c.what;
}

class ParseSerialize : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ParseSerialize, WritesBackNormalised) {
  EXPECT_EQ(IniDocument::Parse(GetParam().input).Serialize(), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSerialize,
    ::testing::Values(
        RoundTrip{"empty", "", ""}, RoundTrip{"only blank lines", "\r\n\r\n  \t\r\n", ""},
        RoundTrip{"lines before first header dropped", "stray\r\nk=v\r\n;c\r\n", ""},
        RoundTrip{"empty section", "[s]", "[s]\r\n\r\n"},
        RoundTrip{"comment and spaced line", "; note\r\n[s]\r\n  ipv4 = 10.0.0.5  \r\n",
                  "[s]\r\nipv4=10.0.0.5\r\n\r\n"},
        RoundTrip{"comment after blanks inside section", "[s]\r\n\r\n   ;x=1\r\na=1\r\n",
                  "[s]\r\na=1\r\n\r\n"},
        RoundTrip{"LF only, no final end", "[s]\na=1\nb=2", "[s]\r\na=1\r\nb=2\r\n\r\n"},
        RoundTrip{"CR only", "[s]\ra=1\rb=2\r", "[s]\r\na=1\r\nb=2\r\n\r\n"},
        RoundTrip{"mixed ends and LF CR", "[s]\n\ra=1\r\r\nb=2\n", "[s]\r\na=1\r\nb=2\r\n\r\n"},
        RoundTrip{"NUL ends the text", "[s]\r\na=1\0b\r\n[t]\r\nc=2\r\n"s, "[s]\r\na=1\r\n\r\n"},
        RoundTrip{"control characters and tabs trimmed", "[s]\r\n\t\x01 a \t=\x1f b \x7f\x02\r\n",
                  "[s]\r\na=b \x7f\r\n\r\n"},
        RoundTrip{"header with inner spaces", "[ ON/OFF ]\r\nk=1\r\n", "[ON/OFF]\r\nk=1\r\n\r\n"},
        RoundTrip{"empty header", "[]\r\nk=1\r\n[ \t ]\r\n", "[]\r\nk=1\r\n\r\n[]\r\n\r\n"},
        RoundTrip{"not headers", "[s]\r\n[open\r\n[a] b\r\nx]\r\n[\r\n",
                  "[s]\r\n[open\r\n[a] b\r\nx]\r\n[\r\n\r\n"},
        RoundTrip{"open bracket before any header is dropped", "[open\r\n[s]\r\n", "[s]\r\n\r\n"},
        RoundTrip{"line without = carried along", "[s]\r\n  just text  \r\n",
                  "[s]\r\njust text\r\n\r\n"},
        RoundTrip{"= inside value kept", "[s]\r\na = b = c\r\n", "[s]\r\na=b = c\r\n\r\n"},
        RoundTrip{"empty key and value", "[s]\r\n = \r\nk=\r\n", "[s]\r\n=\r\nk=\r\n\r\n"},
        RoundTrip{"duplicate sections both kept", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n",
                  "[a]\r\nk=1\r\n\r\n[A]\r\nk=2\r\n\r\n"},
        RoundTrip{"non-UTF-8 bytes unchanged", "[\x83\x8c\xff]\r\n\x82\xa0=\xe9\x80\r\n",
                  "[\x83\x8c\xff]\r\n\x82\xa0=\xe9\x80\r\n\r\n"}),
    [](const auto& info) {
      std::string name;
      for (const char c : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

struct Lookup {
  std::string input;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

class ReadValue : public ::testing::TestWithParam<Lookup> {};

TEST_P(ReadValue, FindsLastMatchIgnoringCase) {
  const IniDocument doc = IniDocument::Parse(GetParam().input);
  EXPECT_EQ(doc.ReadValue(GetParam().section, GetParam().key), GetParam().value);
  EXPECT_EQ(doc.ValueExists(GetParam().section, GetParam().key), GetParam().value.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadValue,
    ::testing::Values(Lookup{"[relaypanel]\r\nipv4=10.0.0.5\r\n", "relaypanel", "IPV4", "10.0.0.5"},
                      Lookup{"[RELAYPANEL]\r\nIpV4=1\r\n", "RelayPanel", "ipv4", "1"},
                      Lookup{"[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", "2"},
                      Lookup{"[s]\r\nk=1\r\n[S]\r\nother=2\r\n", "s", "k", std::nullopt},
                      Lookup{"[s]\r\nk=1\r\nK=2\r\nk=3\r\nx=4\r\n", "s", "k", "3"},
                      Lookup{"[s]\r\na=b=c\r\n", "s", "a", "b=c"},
                      Lookup{"[s]\r\nIPV4=\r\n", "s", "IPV4", ""},
                      Lookup{"[s]\r\nIPV4\r\n", "s", "IPV4", std::nullopt},
                      Lookup{"[s]\r\nk=1\r\n", "t", "k", std::nullopt},
                      Lookup{"[]\r\nk=1\r\n", "", "k", "1"}, Lookup{"[s]\r\n=v\r\n", "s", "", "v"},
                      // Only ASCII letters fold: other bytes must match exactly.
                      Lookup{"[\xe9]\r\nk=1\r\n", "\xc9", "k", std::nullopt}));

struct Change {
  const char* what;
  std::string input;
  const char* section;
  const char* key;
  const char* value;
  std::string output;
};

void PrintTo(const Change& c, std::ostream* os) {
  *os << c.what;
}

class SetValue : public ::testing::TestWithParam<Change> {};

TEST_P(SetValue, ChangesLastMatchInPlace) {
  IniDocument doc = IniDocument::Parse(GetParam().input);
  doc.SetValue(GetParam().section, GetParam().key, GetParam().value);
  EXPECT_EQ(doc.Serialize(), GetParam().output) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetValue,
    ::testing::Values(Change{"empty document", "", "relaypanel", "IPV4", "1.2.3.4",
                             "[relaypanel]\r\nIPV4=1.2.3.4\r\n\r\n"},
                      Change{"lower-case key takes caller's key, in place",
                             "[s]\r\na=1\r\nipv4=10.0.0.5\r\nb=2\r\n", "s", "IPV4", "9",
                             "[s]\r\na=1\r\nIPV4=9\r\nb=2\r\n\r\n"},
                      Change{"header keeps its own case", "[RELAYPANEL]\r\nk=1\r\n", "relaypanel",
                             "k", "2", "[RELAYPANEL]\r\nk=2\r\n\r\n"},
                      Change{"second duplicate section updated", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n",
                             "s", "k", "3", "[s]\r\nk=1\r\n\r\n[s]\r\nk=3\r\n\r\n"},
                      Change{"new key goes to the last duplicate section", "[s]\r\nk=1\r\n[s]\r\n",
                             "s", "n", "3", "[s]\r\nk=1\r\n\r\n[s]\r\nn=3\r\n\r\n"},
                      Change{"last duplicate key replaced", "[s]\r\nk=1\r\nk=2\r\n", "s", "K", "3",
                             "[s]\r\nk=1\r\nK=3\r\n\r\n"},
                      Change{"missing key appended at end of its section",
                             "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "A", "Timer", "10",
                             "[a]\r\nx=1\r\nTimer=10\r\n\r\n[b]\r\ny=2\r\n\r\n"},
                      Change{"missing section appended with caller's name", "[a]\r\nx=1\r\n",
                             "ON/OFF", "S_CBx_1", "0",
                             "[a]\r\nx=1\r\n\r\n[ON/OFF]\r\nS_CBx_1=0\r\n\r\n"},
                      Change{"line without = is not a key", "[s]\r\nk\r\n", "s", "k", "1",
                             "[s]\r\nk\r\nk=1\r\n\r\n"},
                      Change{"value stored unchanged", "[s]\r\n", "s", "k", " \x82\xa0 a=b ",
                             "[s]\r\nk= \x82\xa0 a=b \r\n\r\n"}),
    [](const auto& info) {
      std::string name;
      for (const char c : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
