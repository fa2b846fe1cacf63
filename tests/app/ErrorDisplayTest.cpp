// The top-level error display: one message box per escaped error, with the full-stop rule.
#include <stdexcept>
#include <string>

#include "app/AppFixture.h"

TEST(ErrorDisplay, FullStopRule) {
  struct Case {
    std::string message;
    std::string shown;
  } const cases[] = {
      {"", ""},
      {"Error...SetData", "Error...SetData."},
      {"Error...ON/OF Read", "Error...ON/OF Read."},
      {"done.", "done."},
      {"wow!", "wow!"},
      {"list,", "list,"},
      {"trailing ", "trailing "},
      {"dash-", "dash-"},     // '-' comes before '.'
      {"slash/", "slash/."},  // '/' comes after it
      {"tab\t", "tab\t"},
      {"\xE3\x80\x82", "\xE3\x80\x82."},  // a high byte counts as above '.'
      {"\xFF", "\xFF."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::TForm1::DisplayText(c.message), c.shown) << c.message;
  }
}

TEST_F(AppTest, EscapedErrorsAreShownAndTheProgramGoesOn) {
  app::TForm1& window = NewForm();
  window.Deliver([] { throw std::runtime_error("Error...SetData"); });
  window.Deliver([] { throw 42; });
  bool ran = false;
  window.Deliver([&] { ran = true; });
  EXPECT_TRUE(ran);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].caption, "DU Rorez 9212");
  EXPECT_EQ(platform.messages[0].icon, app::MessageIcon::Stop);
  EXPECT_EQ(platform.messages[0].text, "Error...SetData.");
  EXPECT_EQ(platform.messages[1].caption, "DU Rorez 9212");
  EXPECT_FALSE(platform.messages[1].text.empty());
}

// An error escaping a tick is shown like any other, and the timer goes on counting.
TEST_F(AppTest, ATickThatFailsIsShownAndTheTimerGoesOn) {
  app::TForm1& window = NewForm();  // not created: no address, so the read fails at once
  struct Throwing : controls::Observer {
    void Changed(controls::Control&, controls::Property) override {
      throw std::runtime_error("the status bar broke");
    }
  } throwing;
  window.StatusBar1.SetObserver(&throwing);
  window.Timer1.SetInterval(1000);
  window.Timer1.SetEnabled(true);
  window.Timer1.Advance(2500);
  window.StatusBar1.SetObserver(nullptr);
  ASSERT_EQ(platform.messages.size(), 1u);  // later ticks write the same text: no change
  EXPECT_EQ(platform.messages[0].text, "Error...ReceiveP5.");
  EXPECT_TRUE(window.Timer1.Running());
  EXPECT_EQ(window.Timer1.Remaining(), 500u);
}
