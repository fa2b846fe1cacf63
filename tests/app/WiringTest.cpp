// Every event of the window design reaches a handler.
#include "app/AppFixture.h"

TEST_F(AppTest, EveryEventOfTheDesignIsConnected) {
  app::TForm1& w = NewForm();
  std::vector<controls::Control*> clickable = {
      &w.SpeedButton1, &w.SpeedButton2, &w.SpeedButton3, &w.SpeedButton4,
      &w.SpeedButton5, &w.SpeedButton6, &w.ExitCB,       &w.M_OnOff,
      &w.CloseX1,      &w.Velmora1,     &w.AVIOSYS1,     &w.Image1,
  };
  for (controls::Control* c : w.OutputFrames()) clickable.push_back(c);
  for (controls::Control* c : w.OutputIndicators()) clickable.push_back(c);
  for (controls::Control* group : {&w.GroupBox2, &w.GroupBox3}) {
    for (controls::Control* c : group->Children()) {
      if (c->GetKind() == controls::Kind::CheckBox) clickable.push_back(c);
    }
  }
  EXPECT_EQ(clickable.size(), 12u + 8u + 8u + 16u);
  for (controls::Control* c : clickable) EXPECT_TRUE(c->OnClick) << c->Name();
  EXPECT_TRUE(w.RefUD.OnChangingEx);
  EXPECT_TRUE(w.ExitUD.OnChangingEx);
  EXPECT_TRUE(w.Timer1.OnTimer);
  EXPECT_TRUE(w.Timer2.OnTimer);
  // The input frames and indicators take no clicks.
  for (controls::Control* c : w.InputIndicators()) EXPECT_FALSE(c->OnClick) << c->Name();
}
