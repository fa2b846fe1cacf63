// Reading the controller into the indicators and the status line: Transmit and Refresh.
#include <optional>
#include <string>

#include "panel/PanelFixture.h"

namespace {

const std::string kConnectError = "Connect Error ... Please Check VORuzov";

std::string StatusFor(const char* hex) {
  return std::string(app::kNoticeText) + " --> Value\xEF\xBC\x9A$" + hex;
}

struct ReadCase {
  std::optional<std::string> reply;  // nullopt: the controller stays silent
  int flags;                         // indicators shown afterwards, bit i-1 for channel i
  bool linkUp;
  std::string status;
};

void ShowAll(const std::array<controls::Panel*, 8>& panels) {
  for (controls::Panel* panel : panels) panel->SetVisible(true);
}

}  // namespace

TEST_F(PanelTest, OutputsReadFillsTheOutputIndicators) {
  const ReadCase cases[] = {
      {"5", 0x05, true, StatusFor("05")},
      {"171", 0xAB, true, StatusFor("AB")},
      {"255", 0xFF, true, StatusFor("FF")},
      {"OK", 0x00, true, StatusFor("00")},  // no digits: success with 0
      {"", 0x00, false, kConnectError},     // an empty datagram is no reply
      {std::nullopt, 0x00, false, kConnectError},
  };
  app::TForm1& window = Start();
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.reply.value_or("(silent)"));
    ShowAll(window.OutputIndicators());
    window.PPW.SetVisible(!c.linkUp);
    controller.Script(c.reply);
    window.ReceiveP6();
    EXPECT_EQ(OutputFlags(), c.flags);
    EXPECT_EQ(window.PPW.Visible(), c.linkUp);
    EXPECT_EQ(window.StatusBar1.PanelText(), c.status);
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PanelTest, InputsReadShowsTheClearBits) {
  const ReadCase cases[] = {
      {"254", 0x01, true, StatusFor("FE")}, {"0", 0xFF, true, StatusFor("00")},
      {"OK", 0x00, true, StatusFor("FF")},  // no digits: success with 255, all off
      {"-1", 0xFE, true, StatusFor("01")},  {"", 0x00, false, kConnectError},
  };
  app::TForm1& window = Start();
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(*c.reply);
    ShowAll(window.InputIndicators());
    controller.Script(c.reply);
    window.ReceiveP5();
    EXPECT_EQ(InputFlags(), c.flags);
    EXPECT_EQ(window.PPW.Visible(), c.linkUp);
    EXPECT_EQ(window.StatusBar1.PanelText(), c.status);
  }
}

TEST_F(PanelTest, TransmitTrimsTheAddressAndReadsInputsThenOutputs) {
  app::TForm1& window = Start();
  controller.SetInputs(254);
  controller.SetOutputs(5);
  window.DeviceAddress = "unused";
  window.Edit1.SetText("  " + address + "\t");
  Click(window.SpeedButton1);

  EXPECT_EQ(window.DeviceAddress, address);
  EXPECT_EQ(window.Edit1.Text(), "  " + address + "\t");  // the box keeps what was typed
  EXPECT_EQ(Sent(), (std::vector<std::string>{"VEDOVIZ0", "VEDOVIZ2"}));
  EXPECT_EQ(InputFlags(), 0x01);
  EXPECT_EQ(OutputFlags(), 0x05);
  EXPECT_TRUE(window.PPW.Visible());
  EXPECT_TRUE(window.IdUDPClient1.Active());
  // The outputs read came last, so the status line shows it.
  EXPECT_EQ(window.StatusBar1.PanelText(), StatusFor("05"));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PanelTest, TransmitWithAFailingControllerHidesBothBanks) {
  app::TForm1& window = Start();
  for (controls::Panel* panel : window.InputIndicators()) panel->SetVisible(true);
  for (controls::Panel* panel : window.OutputIndicators()) panel->SetVisible(true);
  controller.Script("");
  controller.Script("");
  Click(window.SpeedButton1);
  EXPECT_EQ(InputFlags(), 0);
  EXPECT_EQ(OutputFlags(), 0);
  EXPECT_FALSE(window.PPW.Visible());
  EXPECT_EQ(window.StatusBar1.PanelText(), kConnectError);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PanelTest, RefreshReadsOnlyTheOutputs) {
  app::TForm1& window = Start();
  controller.SetInputs(254);
  Click(window.SpeedButton1);
  controller.ClearRequests();
  controller.SetInputs(0);
  controller.SetOutputs(3);

  Click(window.SpeedButton6);
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ2"});
  EXPECT_EQ(OutputFlags(), 0x03);
  EXPECT_EQ(InputFlags(), 0x01);  // as the last inputs read left them
  EXPECT_EQ(window.StatusBar1.PanelText(), StatusFor("03"));
}

TEST_F(PanelTest, ExchangesGoToTheAddressTakenAtStartUp) {
  // Nothing is read at start-up; the first Refresh goes to the stored address as it is.
  app::TForm1& window = Start();
  EXPECT_EQ(window.DeviceAddress, address);
  EXPECT_EQ(window.StatusBar1.PanelText(), app::kNoticeText);
  EXPECT_TRUE(Sent().empty());
  controller.SetOutputs(128);
  Click(window.SpeedButton6);
  EXPECT_EQ(OutputFlags(), 0x80);
}
