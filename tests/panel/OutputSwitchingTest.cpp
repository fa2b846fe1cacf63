// Switching relays: channel clicks send the indicators as shown; All On and All Off read
// the result back.
#include <optional>
#include <string>

#include "panel/PanelFixture.h"

TEST_F(PanelTest, FrameClickSwitchesTheChannelOnAndSendsTheMask) {
  app::TForm1& window = Start();
  Click(window.PB3);
  EXPECT_TRUE(window.PF3.Visible());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ14"});
  EXPECT_TRUE(window.PPW.Visible());
  EXPECT_EQ(window.StatusBar1.PanelText(),
            std::string(app::kNoticeText) + " --> Value\xEF\xBC\x9A$04");
  EXPECT_EQ(controller.Outputs(), 4);
}

TEST_F(PanelTest, FramesClickedInTurnAddOneChannelEach) {
  app::TForm1& window = Start();
  for (controls::Panel* frame : window.OutputFrames()) Click(*frame);
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{"VEDOVIZ11", "VEDOVIZ13", "VEDOVIZ17", "VEDOVIZ115",
                                      "VEDOVIZ131", "VEDOVIZ163", "VEDOVIZ1127", "VEDOVIZ1255"}));
  EXPECT_EQ(OutputFlags(), 0xFF);
}

TEST_F(PanelTest, IndicatorClickSwitchesTheChannelOff) {
  app::TForm1& window = Start();
  window.PF1.SetVisible(true);
  window.PF8.SetVisible(true);
  Click(window.PF8);
  EXPECT_FALSE(window.PF8.Visible());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ11"});
}

TEST_F(PanelTest, RefusedWriteKeepsTheRequestedStateAndHidesTheLink) {
  app::TForm1& window = Start();
  window.PPW.SetVisible(true);
  controller.Script("1");  // anything but an acknowledgement
  Click(window.PB2);
  EXPECT_TRUE(window.PF2.Visible());
  EXPECT_FALSE(window.PPW.Visible());
  EXPECT_EQ(window.StatusBar1.PanelText(), "Connect Error ... Please Check VORuzov");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PanelTest, SilentControllerKeepsTheIndicatorWithoutAMessage) {
  app::TForm1& window = Start();
  window.PPW.SetVisible(true);
  controller.SetSilent(true);
  Click(window.PB5);
  EXPECT_TRUE(controller.WaitForRequests(1, std::chrono::seconds(2)));
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ116"});
  EXPECT_TRUE(window.PF5.Visible());
  EXPECT_FALSE(window.PPW.Visible());
  EXPECT_EQ(window.StatusBar1.PanelText(), "Connect Error ... Please Check VORuzov");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PanelTest, AllOnAndAllOffShowWhatTheControllerReadsBack) {
  app::TForm1& window = Start();
  Click(window.SpeedButton3);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"VEDOVIZ1255", "VEDOVIZ2"}));
  EXPECT_EQ(OutputFlags(), 0xFF);
  EXPECT_TRUE(window.PPW.Visible());

  controller.ClearRequests();
  Click(window.SpeedButton4);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"VEDOVIZ10", "VEDOVIZ2"}));
  EXPECT_EQ(OutputFlags(), 0x00);
}

TEST_F(PanelTest, AllOnIgnoresTheWriteResultAndFollowsTheReadBack) {
  app::TForm1& window = Start();
  controller.Script("1");   // the write is refused
  controller.Script("36");  // and the controller reports channels 3 and 6 on
  Click(window.SpeedButton3);
  EXPECT_EQ(OutputFlags(), 0x24);
  EXPECT_TRUE(window.PPW.Visible());
  EXPECT_TRUE(platform.messages.empty());
}
