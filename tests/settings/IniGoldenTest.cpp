// Golden files: data/<case>.ini is the file before one operation, data/<case>.expected.ini
// the exact bytes after it.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TempDir.h"
#include "settings/IniU.h"

namespace {

using namespace settings;
using settings_test::Fixture;
using settings_test::ReadBytes;
using settings_test::WriteBytes;

struct Golden {
  const char* name;
  const char* operation;
  // Runs the operation on the file and returns what it read ("" for writes).
  std::function<std::string(const std::string& file)> run;
  std::string result;
};

std::string WriteIpv4(const std::string& file) {
  IniWriteString(file, "relaypanel", "IPV4", "1.2.3.4");
  return "";
}

void PrintTo(const Golden& c, std::ostream* os) {
  *os << c.name;
}

class GoldenFile : public settings_test::TempDirTest,
                   public ::testing::WithParamInterface<Golden> {};

TEST_P(GoldenFile, OperationLeavesExpectedBytes) {
  const Golden& c = GetParam();
  WriteBytes("relaypanel.ini", Fixture(std::string(c.name) + ".ini"));
  EXPECT_EQ(c.run("relaypanel.ini"), c.result) << c.operation;
  EXPECT_EQ(ReadBytes("relaypanel.ini"), Fixture(std::string(c.name) + ".expected.ini"))
      << c.operation;
}

INSTANTIATE_TEST_SUITE_P(
    Data, GoldenFile,
    ::testing::Values(Golden{"comment_spaced", "read IPV4, write it back, write Port=80",
                             [](const std::string& f) {
                               std::string ip = IniReadString(f, "relaypanel", "IPV4", "x");
                               IniWriteString(f, "relaypanel", "IPV4", ip);
                               IniWriteString(f, "relaypanel", "Port", "80");
                               return ip;
                             },
                             "10.0.0.5"},
                      Golden{"duplicate_sections", "read IPV4, write IPV4=1.2.3.4",
                             [](const std::string& f) {
                               std::string ip = IniReadString(f, "RELAYPANEL", "IPV4", "x");
                               WriteIpv4(f);
                               return ip;
                             },
                             "10.0.0.2"},
                      Golden{"lower_case_key", "write IPV4=1.2.3.4", WriteIpv4, ""},
                      Golden{"lf_only", "read Port, write IPV4=1.2.3.4",
                             [](const std::string& f) {
                               std::string port = IniReadString(f, "relaypanel", "Port", "x");
                               WriteIpv4(f);
                               return port;
                             },
                             "80"},
                      Golden{"cr_only", "read Port, write IPV4=1.2.3.4",
                             [](const std::string& f) {
                               std::string port = IniReadString(f, "relaypanel", "Port", "x");
                               WriteIpv4(f);
                               return port;
                             },
                             "80"},
                      Golden{"nul", "write IPV4=1.2.3.4", WriteIpv4, ""},
                      Golden{"headers", "read S_CBx_1 in ON/OFF, write IPV4=1.2.3.4",
                             [](const std::string& f) {
                               const auto v = IniReadInteger(f, "on/off", "S_CBx_1", 5);
                               WriteIpv4(f);
                               return std::to_string(v);
                             },
                             "1"},
                      Golden{"before_first_header", "write IPV4=1.2.3.4", WriteIpv4, ""},
                      Golden{"absent_key_appended", "read absent Timer with default 10",
                             [](const std::string& f) {
                               return std::to_string(IniReadInteger(f, "relaypanel", "Timer", 10));
                             },
                             "10"},
                      Golden{"present_read_unchanged", "read malformed Timer with default 10",
                             [](const std::string& f) {
                               return std::to_string(IniReadInteger(f, "relaypanel", "Timer", 10));
                             },
                             "10"},
                      Golden{"raw_bytes", "read name, write IPV4 with non-UTF-8 bytes",
                             [](const std::string& f) {
                               std::string name = IniReadString(f, "\x83\x8c\x83\x43", "NAME", "x");
                               IniWriteString(f, "\x83\x8c\x83\x43", "IPV4", "\x81\x40\xe9");
                               return name;
                             },
                             "\x82\xa0\xff\xfe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
