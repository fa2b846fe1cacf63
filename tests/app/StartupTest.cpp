// Start-up: the main settings loaded into the controls, the address, the auto-exit timer
// and the link; the first run's settings file.
#include <fstream>
#include <iterator>
#include <string>

#include "app/AppFixture.h"

namespace {

std::string FirstRunFile() {
  std::ifstream in(RELAY_TEST_DATA "/first_run.ini", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// The design address is never sent to: the master switch stays off and nothing is pressed.
TEST_F(AppTest, FirstRunLeavesTheDesignValuesFile) {
  const std::string expected = FirstRunFile();
  ASSERT_FALSE(expected.empty());
  app::TForm1& window = NewForm();
  window.Create();
  EXPECT_EQ(window.IniFileName, "relaypanel.ini");
  EXPECT_EQ(window.IniSection, "relaypanel");
  EXPECT_EQ(window.Edit1.Text(), "192.168.0.123");
  EXPECT_EQ(window.DeviceAddress, "192.168.0.123");
  EXPECT_TRUE(window.IdUDPClient1.Active());
  EXPECT_EQ(window.IdUDPClient1.Host(), "192.168.0.123");
  EXPECT_EQ(window.IdUDPClient1.Port(), 7070);
  EXPECT_FALSE(window.Timer1.Enabled());
  EXPECT_FALSE(window.Timer2.Enabled());
  EXPECT_EQ(window.Timer2.Interval(), 60000u);
  EXPECT_FALSE(window.SpeedButton5.Down());

  window.Show();
  EXPECT_EQ(ReadSettings(), expected);
  EXPECT_EQ(OutputFlags(), 0);
  EXPECT_EQ(InputFlags(), 0);
  EXPECT_FALSE(window.PPW.Visible());
  EXPECT_EQ(window.PageControl1.ActivePageIndex(), 0);
  for (controls::ComboBox* selector : {&window.S_CBx_1, &window.E_CBx_8}) {
    EXPECT_FALSE(selector->Enabled());
  }
  // No datagram left the link: its local port is chosen at the first send.
  EXPECT_EQ(window.IdUDPClient1.LocalPort(), 0);

  CloseRequest();
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(ReadSettings(), expected);
  EXPECT_TRUE(platform.messages.empty());
}

// 10.0.0.5 is not loopback: nothing in this test may send.
TEST_F(AppTest, HandEditedFileIsReadAndTidiedAtExit) {
  WriteSettings(
      "; written by hand\r\n[RELAYPANEL]\r\n ipv4 = 10.0.0.5 \r\nTimer=65546\r\nExitSec=70000\r\n"
      "UseExit=1\r\n");
  app::TForm1& window = NewForm();
  window.Create();
  window.Show();
  EXPECT_EQ(window.Edit1.Text(), "10.0.0.5");
  EXPECT_EQ(window.DeviceAddress, "10.0.0.5");
  EXPECT_EQ(window.RefUD.Position(), 10);
  EXPECT_EQ(window.ExitUD.Position(), 4464);
  EXPECT_EQ(window.Memo3.Text(), "4,464");
  EXPECT_TRUE(window.Timer2.Enabled());
  EXPECT_EQ(window.Timer2.Interval(), 4464000u);
  EXPECT_FALSE(window.Timer1.Enabled());
  EXPECT_EQ(window.IdUDPClient1.LocalPort(), 0);

  CloseRequest();
  ASSERT_TRUE(window.Closed());
  const std::string firstRun = FirstRunFile();
  EXPECT_EQ(ReadSettings(),
            "[RELAYPANEL]\r\nIPV4=10.0.0.5\r\nTimer=10\r\nExitSec=4464\r\nUseExit=1\r\nPort=80\r\n"
            "UseOnOff=0\r\n\r\n" +
                firstRun.substr(firstRun.find("[ON/OFF]")));
}

TEST_F(AppTest, StoredNumbersBecomeSixteenBitPositions) {
  struct Case {
    const char* lines;
    int poll;
    int exit;
    std::uint32_t exitInterval;
  } const cases[] = {
      {"Timer=0x1E\r\n", 30, 60, 60000u},
      {"Timer=$1E\r\n", 30, 60, 60000u},
      {"Timer=30s\r\n", 10, 60, 60000u},
      {"Timer=3000000000\r\n", 10, 60, 60000u},
      {"Timer=200\r\n", 200, 60, 60000u},  // out of range, taken as it is
      {"ExitSec=0\r\n", 10, 0, 0u},
      {"ExitSec=5\r\n", 10, 5, 5000u},
      {"ExitSec=32767\r\n", 10, 32767, 32767000u},
      // -25536 s as an unsigned 32-bit number of milliseconds
      {"ExitSec=40000\r\n", 10, -25536, 4269431296u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    WriteSettings(MainSection(std::string(c.lines) + "UseExit=1\r\n"));
    app::TForm1& window = NewForm();
    window.Create();
    EXPECT_EQ(window.RefUD.Position(), c.poll);
    EXPECT_EQ(window.ExitUD.Position(), c.exit);
    EXPECT_TRUE(window.Timer2.Enabled());
    EXPECT_EQ(window.Timer2.Interval(), c.exitInterval);
    EXPECT_FALSE(window.Timer1.Enabled());
    EXPECT_FALSE(window.SpeedButton5.Down());
    EXPECT_TRUE(platform.messages.empty());
  }
}

TEST_F(AppTest, ExitDelayZeroNeverCloses) {
  WriteSettings(MainSection("ExitSec=0\r\nUseExit=1\r\n"));
  app::TForm1& window = NewForm();
  window.Create();
  window.Show();
  window.Timer2.Advance(10'000'000);
  EXPECT_FALSE(window.Closed());
}

TEST_F(AppTest, AddressIsTakenAsTypedAndWrittenBackByTheFileRules) {
  // No file yet: the box's text with its spaces is the default that the read keeps.
  app::TForm1& window = NewForm();
  window.Edit1.SetText(" " + address + " ");
  window.Create();
  EXPECT_EQ(window.DeviceAddress, " " + address + " ");
  EXPECT_EQ(window.IdUDPClient1.Host(), " " + address + " ");
  window.Show();
  CloseRequest();
  ASSERT_TRUE(window.Closed());
  // Each key is its own write, and the next write's load trims the line again.
  const std::string expected = "[relaypanel]\r\nIPV4=" + address + "\r\nPort=80\r\n";
  EXPECT_EQ(ReadSettings().substr(0, expected.size()), expected);
}

TEST_F(AppTest, UnusableSettingsFileStillOpensTheWindow) {
  dir.BlockFile(kIniFile);
  app::TForm1& window = NewForm();
  window.Create();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "DU Rorez 9212");
  EXPECT_EQ(platform.messages[0].icon, app::MessageIcon::Stop);
  // Stopped before the address was taken and the link opened; design values stay.
  EXPECT_EQ(window.DeviceAddress, "");
  EXPECT_FALSE(window.IdUDPClient1.Active());
  EXPECT_EQ(window.Edit1.Text(), "192.168.0.123");
  EXPECT_FALSE(window.Timer2.Enabled());

  // Transmit sets the address and opens the link.
  window.Edit1.SetText(address);
  Click(window.SpeedButton1);
  EXPECT_TRUE(window.IdUDPClient1.Active());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"VEDOVIZ0", "VEDOVIZ2"}));
  EXPECT_TRUE(window.PPW.Visible());
}

TEST_F(AppTest, SettingsNamesFollowTheExecutable) {
  platform.executable = "/usr/local/bin/other.bin";
  WriteSettings("[relaypanel]\r\nIPV4=10.0.0.5\r\n");
  dir.Write("other.ini", "[other]\r\nIPV4=" + address + "\r\n");
  app::TForm1& window = NewForm();
  window.Create();
  EXPECT_EQ(window.IniFileName, "other.ini");
  EXPECT_EQ(window.IniSection, "other");
  EXPECT_EQ(window.DeviceAddress, address);
  EXPECT_EQ(ReadSettings(), "[relaypanel]\r\nIPV4=10.0.0.5\r\n");
}
