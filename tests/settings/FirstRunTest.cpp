// The reads of a first run, in the program's order, in an empty directory.

#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "settings/IniU.h"

namespace {

using namespace settings;
using settings_test::Fixture;
using settings_test::ReadBytes;

class FirstRun : public settings_test::TempDirTest {
 protected:
  // Main settings, then the presets in the order their controls are visited.
  void RunReads() {
    const std::string file = "relaypanel.ini";
    const std::string main = "relaypanel";
    IniCreate(file);
    EXPECT_EQ(IniReadString(file, main, "IPV4", "192.168.0.123"), "192.168.0.123");
    EXPECT_EQ(IniReadString(file, main, "Port", "80"), "80");
    EXPECT_EQ(IniReadInteger(file, main, "Timer", 10), 10);
    EXPECT_FALSE(IniReadBool(file, main, "UseOnOff", false));
    EXPECT_EQ(IniReadInteger(file, main, "ExitSec", 60), 60);
    EXPECT_FALSE(IniReadBool(file, main, "UseExit", false));
    for (int n = 1; n <= 8; ++n) {
      const std::string d = std::to_string(n);
      EXPECT_EQ(IniReadInteger(file, "ON/OFF", "S_CBx_" + d, 0), 0);
      EXPECT_EQ(IniReadInteger(file, "ON/OFF", "E_CBx_" + d, 1), 1);
      EXPECT_FALSE(IniReadBool(file, "ON/OFF", "S_ChB_" + d, false));
      EXPECT_FALSE(IniReadBool(file, "ON/OFF", "E_ChB_" + d, false));
    }
  }
};

TEST_F(FirstRun, LeavesTheFirstRunFile) {
  RunReads();
  EXPECT_EQ(ReadBytes("relaypanel.ini"), Fixture("first_run.ini"));
  EXPECT_EQ(Entries(), std::vector<std::string>{"relaypanel.ini"});
}

TEST_F(FirstRun, SecondRunChangesNothing) {
  RunReads();
  RunReads();
  EXPECT_EQ(ReadBytes("relaypanel.ini"), Fixture("first_run.ini"));
}

}  // namespace
