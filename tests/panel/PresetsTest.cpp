// The start and exit presets: loaded at the first showing, saved at every close request,
// sent while "Use ON/OFF Setting" is checked.
#include <string>

#include "panel/PanelFixture.h"

namespace {

std::string Presets(const std::string& lines) {
  return "[ON/OFF]\r\n" + lines;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(PanelTest, StartPresetDrivesTheChosenChannels) {
  app::TForm1& window = Start("UseOnOff=1\r\n", Presets("S_ChB_1=1\r\nS_CBx_5=1\r\nS_ChB_5=1\r\n"
                                                        "S_CBx_8=0\r\nS_ChB_8=1\r\n"));
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ1129"});
  EXPECT_EQ(OutputFlags(), 0x81);
  EXPECT_TRUE(window.PPW.Visible());
  // A box loaded as checked enables its selector; the others stay disabled.
  EXPECT_TRUE(window.S_CBx_1.Enabled());
  EXPECT_TRUE(window.S_CBx_5.Enabled());
  EXPECT_TRUE(window.S_CBx_8.Enabled());
  EXPECT_FALSE(window.S_CBx_2.Enabled());
  EXPECT_FALSE(window.E_CBx_1.Enabled());
}

TEST_F(PanelTest, MasterSwitchOnWithoutPresetsSwitchesEverythingOff) {
  app::TForm1& window = Start("UseOnOff=1\r\n");
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ10"});
  // A close request sends the indicators as they show then.
  window.PF2.SetVisible(true);
  CloseRequest();
  EXPECT_EQ(Sent().back(), "VEDOVIZ12");
  EXPECT_TRUE(window.Closed());
}

TEST_F(PanelTest, ExitPresetCombinesWithTheShownIndicators) {
  struct Case {
    const char* presets;
    const char* sent;
  } const cases[] = {
      {"E_CBx_3=0\r\nE_ChB_3=1\r\n", "VEDOVIZ17"},
      {"E_CBx_2=1\r\nE_ChB_2=1\r\n", "VEDOVIZ11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.presets);
    controller.ClearRequests();
    app::TForm1& window = Start("UseOnOff=1\r\n", Presets(c.presets));
    window.PF1.SetVisible(true);
    window.PF2.SetVisible(true);
    CloseRequest();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"VEDOVIZ10", c.sent}));
    EXPECT_TRUE(window.Closed());
  }
}

TEST_F(PanelTest, ChangesOnTheOptionPageCountAtTheNextClose) {
  app::TForm1& window = Start("UseOnOff=1\r\n");
  Click(window.E_ChB_6);
  EXPECT_TRUE(window.E_CBx_6.Enabled());
  window.E_CBx_6.SetItemIndex(0);
  CloseRequest();
  EXPECT_EQ(Sent().back(), "VEDOVIZ132");
  const std::string file = ReadSettings();
  EXPECT_TRUE(Contains(file, "E_CBx_6=0\r\nS_ChB_6=0\r\nE_ChB_6=1\r\n"));
}

TEST_F(PanelTest, MasterSwitchOffSendsNothingButStillSaves) {
  app::TForm1& window = Start("", Presets("S_ChB_1=1\r\nE_ChB_1=1\r\n"));
  window.S_CBx_2.SetItemIndex(1);
  window.PF4.SetVisible(true);
  CloseRequest();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(OutputFlags(), 0x08);
  EXPECT_TRUE(window.Closed());
  const std::string file = ReadSettings();
  // Stored keys keep their place; the missing ones follow in child order.
  const std::string expected =
      "[ON/OFF]\r\nS_ChB_1=1\r\nE_ChB_1=1\r\nS_CBx_1=0\r\nE_CBx_1=1\r\nS_CBx_2=1\r\n";
  EXPECT_EQ(file.substr(file.find("[ON/OFF]"), expected.size()), expected);
}

TEST_F(PanelTest, StoredIndexOutsideTheItemsMeansNoPreset) {
  app::TForm1& window = Start("UseOnOff=1\r\n", Presets("S_CBx_3=7\r\nS_ChB_3=1\r\n"));
  EXPECT_EQ(window.S_CBx_3.ItemIndex(), -1);
  EXPECT_TRUE(window.S_CBx_3.Enabled());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ10"});
  CloseRequest();
  EXPECT_TRUE(Contains(ReadSettings(), "S_CBx_3=-1\r\n"));
}

TEST_F(PanelTest, UnwritableFileKeepsTheWindowOpenAndSendsNoExitPreset) {
  app::TForm1& window = Start("UseOnOff=1\r\n", Presets("E_ChB_1=1\r\nE_CBx_1=0\r\n"));
  controller.ClearRequests();
  dir.BlockFile(kIniFile);
  CloseRequest();
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error...ON/OFF Write."});
  EXPECT_FALSE(window.Closed());
  EXPECT_EQ(platform.quits, 0);
  EXPECT_TRUE(Sent().empty());
  // Every close request tries again; once the file can be written, the close goes ahead.
  CloseRequest();
  EXPECT_EQ(platform.messages.size(), 2u);
  dir.UnblockFile(kIniFile);
  CloseRequest();
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ11"});
}

TEST_F(PanelTest, UnreadableFileAtTheFirstShowingSendsNoStartPreset) {
  WriteSettings(MainSection("UseOnOff=1\r\n"));
  app::TForm1& window = NewForm();
  window.Create();
  dir.BlockFile(kIniFile);
  window.Show();
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error...ON/OF Read."});
  EXPECT_TRUE(window.Shown());
  EXPECT_TRUE(Sent().empty());
  dir.UnblockFile(kIniFile);
}

TEST_F(PanelTest, CloseBeforeTheFirstShowingKeepsTheStoredPresets) {
  const std::string presets = "S_CBx_1=1\r\nS_ChB_1=1\r\nE_CBx_4=0\r\nE_ChB_4=1\r\n";
  WriteSettings(MainSection("UseOnOff=1\r\n") + Presets(presets));
  app::TForm1& window = NewForm();
  window.Create();
  CloseRequest();
  EXPECT_TRUE(window.Closed());
  // No start preset, and the exit preset is the stored one.
  EXPECT_EQ(Sent(), std::vector<std::string>{"VEDOVIZ18"});
  const std::string file = ReadSettings();
  EXPECT_TRUE(Contains(file, "S_CBx_1=1\r\n"));
  EXPECT_TRUE(Contains(file, "S_ChB_1=1\r\n"));
  EXPECT_TRUE(Contains(file, "E_CBx_4=0\r\n"));
  EXPECT_TRUE(Contains(file, "E_ChB_4=1\r\n"));
  // A window that has closed is not shown any more.
  window.Show();
  EXPECT_FALSE(window.Shown());
}

TEST_F(PanelTest, MasterSwitchBringsTheOptionPageForwardOnlyWhenChecked) {
  app::TForm1& window = Start();
  ASSERT_EQ(window.PageControl1.ActivePageIndex(), 0);
  Click(window.M_OnOff);
  EXPECT_TRUE(window.M_OnOff.Checked());
  EXPECT_EQ(window.PageControl1.ActivePageIndex(), 1);
  window.PageControl1.SetActivePageIndex(0);
  Click(window.M_OnOff);
  EXPECT_FALSE(window.M_OnOff.Checked());
  EXPECT_EQ(window.PageControl1.ActivePageIndex(), 0);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(PanelTest, EnableBoxPairsWithTheSelectorOfItsTag) {
  app::TForm1& window = Start();
  Click(window.E_ChB_7);
  EXPECT_TRUE(window.E_CBx_7.Enabled());
  EXPECT_FALSE(window.S_CBx_7.Enabled());
  Click(window.E_ChB_7);
  EXPECT_FALSE(window.E_CBx_7.Enabled());
  // Anything that is not a check box in a group box is ignored.
  window.S_ChB_1Click(window.ExitCB);
  window.S_ChB_1Click(window.PB1);
  EXPECT_FALSE(window.S_CBx_1.Enabled());
}
