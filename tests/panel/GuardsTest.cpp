// Each window operation reports any failure inside it under its own fixed message, shown
// by the error display with a full stop and the application title.
#include <functional>
#include <stdexcept>
#include <string>

#include "panel/PanelFixture.h"

namespace {

// Stands in for a failure of the window system: changing the watched control throws.
class FailingObserver : public controls::Observer {
 public:
  void Changed(controls::Control&, controls::Property) override {
    throw std::runtime_error("window system failure");
  }
};

struct GuardCase {
  const char* name;
  std::function<controls::Control&(app::TForm1&)> control;
  std::string message;
};

}  // namespace

TEST_F(PanelTest, EachOperationShowsItsOwnMessage) {
  const GuardCase cases[] = {
      {"Transmit", [](app::TForm1& w) -> controls::Control& { return w.SpeedButton1; },
       "Error...Transmit."},
      {"Refresh", [](app::TForm1& w) -> controls::Control& { return w.SpeedButton6; },
       "Error...ReceiveP6."},
      {"channel frame", [](app::TForm1& w) -> controls::Control& { return w.PB4; },
       "Error...SetData."},
      {"All On", [](app::TForm1& w) -> controls::Control& { return w.SpeedButton3; },
       "Error...All ON."},
      {"All Off", [](app::TForm1& w) -> controls::Control& { return w.SpeedButton4; },
       "Error...All OFF."},
      {"Refresh toggle", [](app::TForm1& w) -> controls::Control& { return w.SpeedButton5; },
       "Error...ReceiveP5."},
  };
  app::TForm1& window = Start();
  FailingObserver failing;
  for (const GuardCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform.messages.clear();
    window.PPW.SetObserver(nullptr);
    window.PPW.SetVisible(false);
    window.PPW.SetObserver(&failing);
    Click(c.control(window));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "DU Rorez 9212");
    EXPECT_EQ(platform.messages[0].icon, app::MessageIcon::Stop);
    EXPECT_EQ(platform.messages[0].text, c.message);
  }
  window.PPW.SetObserver(nullptr);
}

TEST_F(PanelTest, TransmitFailureSkipsTheRestButKeepsTheNewAddress) {
  app::TForm1& window = Start();
  FailingObserver failing;
  window.PPW.SetObserver(&failing);
  window.Edit1.SetText(" " + address + " ");
  window.DeviceAddress = "old";
  Click(window.SpeedButton1);
  window.PPW.SetObserver(nullptr);
  EXPECT_EQ(window.DeviceAddress, address);
  // The inputs read failed, so the outputs were never asked for.
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ0"});
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error...Transmit."});
}

TEST_F(PanelTest, FailedSetDataKeepsTheIndicatorChange) {
  app::TForm1& window = Start();
  FailingObserver failing;
  window.PPW.SetObserver(&failing);
  Click(window.PB7);
  window.PPW.SetObserver(nullptr);
  EXPECT_TRUE(window.PF7.Visible());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error...SetData."});
  // The program goes on: the next click works.
  Click(window.PF7);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(Sent().back(), "VEDOVIZ10");
}

TEST_F(PanelTest, FailedToggleReadLeavesPollingAsItWas) {
  app::TForm1& window = Start();
  FailingObserver failing;
  window.PPW.SetObserver(&failing);
  Click(window.SpeedButton5);
  window.PPW.SetObserver(nullptr);
  EXPECT_TRUE(window.SpeedButton5.Down());
  EXPECT_FALSE(window.Timer1.Enabled());
  EXPECT_EQ(window.Timer1.Interval(), 0u);
}
