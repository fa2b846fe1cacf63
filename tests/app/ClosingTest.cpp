// Closing: the close query, the quit request, the save of the main settings and the
// teardown, by every road; a failing close query keeps the window open.
#include <filesystem>
#include <functional>
#include <string>

#include "app/AppFixture.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(AppTest, ExitSavesTheControlsAndTearsDown) {
  app::TForm1& window = Start();
  window.Edit2.SetText("8080");
  window.Deliver([&] { window.RefUD.Step(true); });
  Click(window.ExitCB);
  Click(window.CloseX1);

  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(platform.quits, 1);
  EXPECT_FALSE(window.Form1.Visible());
  EXPECT_FALSE(window.Timer1.Enabled());
  EXPECT_FALSE(window.Timer2.Enabled());
  EXPECT_FALSE(window.IdUDPClient1.Active());
  EXPECT_EQ(window.IniFileName, "");
  EXPECT_EQ(window.IniSection, "");
  EXPECT_TRUE(Contains(ReadSettings(), "[relaypanel]\r\nIPV4=" + address +
                                           "\r\nPort=8080\r\nTimer=11\r\nUseOnOff=0\r\n"
                                           "ExitSec=60\r\nUseExit=1\r\n\r\n"));
  EXPECT_TRUE(platform.messages.empty());

  // A closed window closes no more.
  Click(window.CloseX1);
  EXPECT_EQ(platform.quits, 1);
}

TEST_F(AppTest, AutoExitClosesThroughTheWholeSequence) {
  app::TForm1& window =
      Start("UseOnOff=1\r\nExitSec=5\r\nUseExit=1\r\n", "[ON/OFF]\r\nE_CBx_2=0\r\nE_ChB_2=1\r\n");
  ASSERT_TRUE(window.Timer2.Enabled());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ10"});  // the start preset
  window.Edit2.SetText("81");
  window.Timer2.Advance(4999);
  EXPECT_FALSE(window.Closed());
  window.Timer2.Advance(1);
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(platform.quits, 1);
  EXPECT_EQ(Sent().back(), "VEDOVIZ12");  // the exit preset
  const std::string file = ReadSettings();
  EXPECT_TRUE(Contains(file, "Port=81\r\n"));
  EXPECT_TRUE(Contains(file, "ExitSec=5\r\nUseExit=1\r\n"));
}

TEST_F(AppTest, EveryRoadLeavesTheSameFile) {
  const std::string extra = "ExitSec=5\r\nUseExit=1\r\n";
  const auto run = [&](const std::function<void(app::TForm1&)>& close) {
    std::filesystem::remove(kIniFile);
    app::TForm1& window = Start(extra);
    close(window);
    EXPECT_TRUE(window.Closed());
    return ReadSettings();
  };
  const std::string byMenu = run([&](app::TForm1& w) { Click(w.CloseX1); });
  const std::string byTimer = run([](app::TForm1& w) { w.Timer2.Advance(5000); });
  const std::string byCloseBox = run([&](app::TForm1&) { CloseRequest(); });
  EXPECT_EQ(byMenu, byTimer);
  EXPECT_EQ(byMenu, byCloseBox);
  EXPECT_EQ(platform.quits, 3);
}

TEST_F(AppTest, FailedCloseQueryKeepsTheWindowOpenAndTheTimerRetries) {
  app::TForm1& window = Start("ExitSec=5\r\nUseExit=1\r\n");
  dir.BlockFile(kIniFile);
  window.Timer2.Advance(5000);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error...ON/OFF Write."});
  EXPECT_EQ(platform.messages[0].caption, "DU Rorez 9212");
  EXPECT_FALSE(window.Closed());
  EXPECT_EQ(platform.quits, 0);
  EXPECT_TRUE(window.Form1.Visible());
  EXPECT_TRUE(window.Timer2.Enabled());
  EXPECT_TRUE(window.IdUDPClient1.Active());
  EXPECT_EQ(window.IniFileName, "relaypanel.ini");

  dir.UnblockFile(kIniFile);
  window.Timer2.Advance(5000);
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(platform.quits, 1);
  EXPECT_TRUE(Contains(ReadSettings(), "ExitSec=5\r\nUseExit=1\r\n"));
}

TEST_F(AppTest, SystemShutdownSavesWithoutTheCloseQuery) {
  app::TForm1& window = Start("UseOnOff=1\r\n", "[ON/OFF]\r\nE_CBx_1=0\r\nE_ChB_1=1\r\n");
  controller.ClearRequests();
  window.Edit2.SetText("82");
  window.Terminate();
  EXPECT_TRUE(window.Closed());
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(platform.quits, 0);
  EXPECT_TRUE(Contains(ReadSettings(), "Port=82\r\n"));
}

TEST_F(AppTest, FailedSaveAtTheEndStillEndsTheProgram) {
  app::TForm1& window = Start();
  dir.BlockFile(kIniFile);
  window.Terminate();
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.IdUDPClient1.Active());
  EXPECT_EQ(window.IniFileName, "");
}

TEST_F(AppTest, DestroyingTheWindowWritesNothing) {
  app::TForm1& window = Start();
  window.Edit2.SetText("9999");
  const std::string before = ReadSettings();
  form.reset();
  EXPECT_EQ(ReadSettings(), before);
}
