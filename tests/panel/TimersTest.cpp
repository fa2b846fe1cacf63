// Polling and auto-exit, driven through the timers' headless clock.
#include <string>

#include "panel/PanelFixture.h"

namespace {

std::size_t CountOf(const std::vector<std::string>& requests, const std::string& request) {
  return static_cast<std::size_t>(std::count(requests.begin(), requests.end(), request));
}

}  // namespace

TEST_F(PanelTest, ToggleReadsAtOnceThenEveryInterval) {
  app::TForm1& window = Start();
  Click(window.SpeedButton5);
  EXPECT_TRUE(window.SpeedButton5.Down());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ0"});
  EXPECT_TRUE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 10000u);

  window.Timer1.Advance(9999);
  EXPECT_EQ(Sent().size(), 1u);
  window.Timer1.Advance(1);
  window.Timer1.Advance(20000);
  EXPECT_EQ(CountOf(Sent(), "VEDOVIZ0"), 4u);

  // Released: one more read, then no more.
  Click(window.SpeedButton5);
  EXPECT_FALSE(window.SpeedButton5.Down());
  EXPECT_FALSE(window.Timer1.Enabled());
  window.Timer1.Advance(60000);
  EXPECT_EQ(CountOf(Sent(), "VEDOVIZ0"), 5u);
}

TEST_F(PanelTest, TypedIntervalCountsAtTheNextToggle) {
  app::TForm1& window = Start();
  Click(window.SpeedButton5);
  window.Memo2.SetText("5");
  EXPECT_EQ(window.Timer1.Interval(), 10000u);
  Click(window.SpeedButton5);
  Click(window.SpeedButton5);
  EXPECT_EQ(window.Timer1.Interval(), 5000u);
  EXPECT_TRUE(window.Timer1.Enabled());
}

TEST_F(PanelTest, PollingGoesOnThroughFailedReads) {
  app::TForm1& window = Start();
  controller.Script("");
  Click(window.SpeedButton5);
  EXPECT_FALSE(window.PPW.Visible());
  EXPECT_TRUE(window.Timer1.Enabled());
  controller.Script("");
  window.Timer1.Advance(10000);
  EXPECT_EQ(window.StatusBar1.PanelText(), "Connect Error ... Please Check VORuzov");
  window.Timer1.Advance(10000);
  EXPECT_TRUE(window.PPW.Visible());
  EXPECT_EQ(CountOf(Sent(), "VEDOVIZ0"), 3u);
}

TEST_F(PanelTest, ToggleWithIntervalZeroReadsOnce) {
  app::TForm1& window = Start("Timer=0\r\n");
  Click(window.SpeedButton5);
  EXPECT_TRUE(window.SpeedButton5.Down());
  EXPECT_TRUE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 0u);
  window.Timer1.Advance(1000000);
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(PanelTest, StepWithTheLinkUpStartsPolling) {
  app::TForm1& window = Start();
  Click(window.SpeedButton6);  // the link is up
  ASSERT_TRUE(window.PPW.Visible());
  ASSERT_FALSE(window.SpeedButton5.Down());
  window.Deliver([&] { window.RefUD.Step(true); });
  EXPECT_EQ(window.RefUD.Position(), 11);
  EXPECT_TRUE(window.SpeedButton5.Down());
  EXPECT_TRUE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 11000u);
  controller.ClearRequests();
  window.Timer1.Advance(11000);
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ0"});
}

TEST_F(PanelTest, StepWithTheLinkDownStopsPolling) {
  app::TForm1& window = Start();
  controller.Script("");
  Click(window.SpeedButton5);  // pressed, but the read failed
  ASSERT_TRUE(window.SpeedButton5.Down());
  ASSERT_FALSE(window.PPW.Visible());
  window.Deliver([&] { window.RefUD.Step(false); });
  EXPECT_FALSE(window.SpeedButton5.Down());
  EXPECT_FALSE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 9000u);
}

TEST_F(PanelTest, StepToZeroWithTheLinkUpLeavesTheToggleUp) {
  app::TForm1& window = Start("Timer=1\r\n");
  Click(window.SpeedButton6);
  window.Deliver([&] { window.RefUD.Step(false); });
  EXPECT_EQ(window.RefUD.Position(), 0);
  EXPECT_TRUE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 0u);
  EXPECT_FALSE(window.SpeedButton5.Down());
  // A stopping end: a further step changes nothing.
  window.Deliver([&] { window.RefUD.Step(false); });
  EXPECT_EQ(window.RefUD.Position(), 0);
  EXPECT_TRUE(window.Timer1.Enabled());
}

TEST_F(PanelTest, ExitBoxArmsAndDisarmsTheCountdown) {
  app::TForm1& window = Start();
  EXPECT_FALSE(window.Timer2.Enabled());
  Click(window.ExitCB);
  EXPECT_TRUE(window.Timer2.Enabled());
  EXPECT_EQ(window.Timer2.Interval(), 60000u);
  window.Timer2.Advance(30000);
  Click(window.ExitCB);
  EXPECT_FALSE(window.Timer2.Enabled());
  // Unchecked, a step only changes the interval.
  window.Deliver([&] { window.ExitUD.Step(true); });
  EXPECT_FALSE(window.Timer2.Enabled());
  EXPECT_EQ(window.Timer2.Interval(), 61000u);
  window.Timer2.Advance(1000000);
  EXPECT_FALSE(window.Closed());
}

TEST_F(PanelTest, ExitStepRestartsTheCountdown) {
  app::TForm1& window = Start();
  Click(window.ExitCB);
  window.Timer2.Advance(50000);
  window.Deliver([&] { window.ExitUD.Step(true); });
  EXPECT_EQ(window.Timer2.Interval(), 61000u);
  window.Timer2.Advance(60999);
  EXPECT_FALSE(window.Closed());
  window.Timer2.Advance(1);
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(platform.quits, 1);
}

TEST_F(PanelTest, ExitStepRestartsEvenAtTheSameInterval) {
  app::TForm1& window = Start();
  Click(window.ExitCB);
  window.Timer2.Advance(50000);
  // Typed 61, taken over by the step: stepping down proposes the interval Timer2 has.
  window.Memo3.SetText("61");
  window.Deliver([&] { window.ExitUD.Step(false); });
  EXPECT_EQ(window.ExitUD.Position(), 60);
  EXPECT_EQ(window.Timer2.Remaining(), 60000u);
}

TEST_F(PanelTest, ExitDelayWrapsAtTheTopOfItsRange) {
  app::TForm1& window = Start("ExitSec=32767\r\nUseExit=1\r\n");
  EXPECT_EQ(window.Timer2.Interval(), 32767000u);
  window.Deliver([&] { window.ExitUD.Step(true); });
  EXPECT_EQ(window.ExitUD.Position(), 1);
  EXPECT_EQ(window.Timer2.Interval(), 1000u);
  EXPECT_TRUE(window.Timer2.Enabled());
}
