// The browser links: the web control page built from the two boxes, the home pages, and
// the dialog for a refused launch.
#include <string>

#include "app/AppFixture.h"

TEST_F(AppTest, WebControlUsesTheBoxesExactlyAsTheyHoldThem) {
  struct Case {
    std::string address;
    std::string port;
    std::string url;
  } const cases[] = {
      {"192.168.0.123", "80", "http://192.168.0.123:80"},
      {" 192.168.0.5", "80", "http:// 192.168.0.5:80"},
      {"192.168.0.123", "", "http://192.168.0.123:"},
      {"host\"; rm -rf ~", "8\x82\xA0", "http://host\"; rm -rf ~:8\x82\xA0"},
  };
  app::TForm1& window = NewForm();  // not started: no file, no link
  for (const Case& c : cases) {
    window.Edit1.SetText(c.address);
    window.Edit2.SetText(c.port);
    Click(window.SpeedButton2);
  }
  ASSERT_EQ(platform.urls.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(platform.urls[i], cases[i].url);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AppTest, WebControlTakesTheEditedBoxWhileExchangesKeepTheOldAddress) {
  app::TForm1& window = Start();
  window.Edit1.SetText("10.9.8.7");
  Click(window.SpeedButton2);
  EXPECT_EQ(platform.urls, std::vector<std::string>{"http://10.9.8.7:80"});
  EXPECT_EQ(window.DeviceAddress, address);
  Click(window.SpeedButton6);
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ2"});  // still reached us
}

TEST_F(AppTest, HomePagesFromTheMenuAndTheLogo) {
  app::TForm1& window = NewForm();
  Click(window.Velmora1);
  Click(window.Image1);
  Click(window.AVIOSYS1);
  EXPECT_EQ(platform.urls, (std::vector<std::string>{app::kVelmoraHomePage, app::kVelmoraHomePage,
                                                     app::kAviosysHomePage}));
  for (const std::string url : {app::kVelmoraHomePage, app::kAviosysHomePage}) {
    ASSERT_EQ(url.rfind("http://", 0), 0u) << url;
    // A host name only: no port, no path.
    EXPECT_EQ(url.find_first_of(":/", 7), std::string::npos) << url;
  }
}

TEST_F(AppTest, RefusedLaunchShowsTheFailureDialog) {
  app::TForm1& window = NewForm();
  platform.acceptUrls = false;
  EXPECT_FALSE(window.OpenURL("http://192.168.0.123:80"));
  Click(window.SpeedButton2);
  ASSERT_EQ(platform.messages.size(), 2u);
  for (const auto& message : platform.messages) {
    EXPECT_EQ(message.caption, "エラー");
    EXPECT_EQ(message.icon, app::MessageIcon::Error);
    EXPECT_EQ(message.text, "http://192.168.0.123:80\r\rの起動に失敗しました。");
  }
  EXPECT_EQ(platform.urls.size(), 2u);  // nothing retried
}

TEST_F(AppTest, FailingLauncherCountsAsARefusal) {
  app::TForm1& window = NewForm();
  platform.launcherFails = true;
  EXPECT_FALSE(window.OpenURL("http://example.invalid"));
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"http://example.invalid\r\rの起動に失敗しました。"});
}
