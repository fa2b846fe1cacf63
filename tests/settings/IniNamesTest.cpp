#include <gtest/gtest.h>

#include <string>

#include "settings/IniNames.h"

namespace {

struct NameCase {
  const char* path;
  const char* fileName;
  const char* section;
};

class DeriveNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(DeriveNames, FromLastComponentAndLastDot) {
  const settings::IniNames names = settings::DeriveIniNames(GetParam().path);
  EXPECT_EQ(names.fileName, GetParam().fileName) << GetParam().path;
  EXPECT_EQ(names.section, GetParam().section) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeriveNames,
    ::testing::Values(NameCase{"/usr/bin/relaypanel", "relaypanel.ini", "relaypanel"},
                      NameCase{"C:\\Tools\\relaypanel.exe", "relaypanel.ini", "relaypanel"},
                      NameCase{"C:relaypanel.exe", "relaypanel.ini", "relaypanel"},
                      NameCase{"D:\\a.b\\other.exe", "other.ini", "other"},
                      NameCase{"/opt/v1.2/relaypanel", "relaypanel.ini", "relaypanel"},
                      NameCase{"/opt/relay.panel.bin", "relay.panel.ini", "relay.panel"},
                      NameCase{"/x/y\\z:name.", "name.ini", "name"},
                      NameCase{"/x/.hidden", ".ini", ""},
                      NameCase{"relaypanel", "relaypanel.ini", "relaypanel"},
                      NameCase{"/x/\x83\x8c\x83\x43.exe", "\x83\x8c\x83\x43.ini",
                               "\x83\x8c\x83\x43"}));

TEST(ExecutablePath, IsThisTestProgram) {
  const std::string path = settings::ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(settings::DeriveIniNames(path).section, "settings_tests");
}

}  // namespace
