// The two-state controls and the drop-down list, as the handlers rely on them.
#include <gtest/gtest.h>

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/MenuItem.h"
#include "controls/PageControl.h"
#include "controls/Simple.h"
#include "controls/SpeedButton.h"

namespace {

class Recorder : public controls::Observer {
 public:
  void Changed(controls::Control&, controls::Property what) override { changes.push_back(what); }
  std::vector<controls::Property> changes;
};

}  // namespace

TEST(CheckBox, ChangedStateRaisesTheClickOnce) {
  controls::Form form("Form1");
  controls::CheckBox box("S_ChB_1", &form);
  std::vector<bool> seen;
  box.OnClick = [&](controls::Control& sender) {
    seen.push_back(static_cast<controls::CheckBox&>(sender).Checked());
  };
  box.SetChecked(false);  // already unchecked
  EXPECT_TRUE(seen.empty());
  box.SetChecked(true);
  box.SetChecked(true);
  box.Click();  // the user's click flips it
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(SpeedButton, ToggleFlipsBeforeItsClickAndCodeRaisesNothing) {
  controls::Form form("Form1");
  controls::SpeedButton toggle("SpeedButton5", &form);
  toggle.toggle = true;
  std::vector<bool> seen;
  toggle.OnClick = [&](controls::Control&) { seen.push_back(toggle.Down()); };
  toggle.Click();
  toggle.SetDown(false);
  toggle.Click();
  EXPECT_EQ(seen, (std::vector<bool>{true, true}));

  controls::SpeedButton plain("SpeedButton6", &form);
  int clicks = 0;
  plain.OnClick = [&](controls::Control&) { ++clicks; };
  plain.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(plain.Down());
}

TEST(MenuItem, CheckItemFlipsThenClicksAndCodeRaisesNothing) {
  controls::Form form("Form1");
  controls::MenuItem item("M_OnOff", &form);
  item.autoCheck = true;
  std::vector<bool> seen;
  item.OnClick = [&](controls::Control&) { seen.push_back(item.Checked()); };
  item.SetChecked(true);
  EXPECT_TRUE(seen.empty());
  item.Click();
  item.Click();
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));

  controls::MenuItem command("CloseX1", &form);
  command.Click();
  EXPECT_FALSE(command.Checked());
}

TEST(ComboBox, IndexOutsideTheItemsReadsMinusOne) {
  controls::Form form("Form1");
  controls::ComboBox list("S_CBx_1", &form);
  list.SetItems({"ON", "OFF"});
  for (int index : {0, 1}) {
    list.SetItemIndex(index);
    EXPECT_EQ(list.ItemIndex(), index);
  }
  for (int index : {2, 7, -1, -5, 1 << 30}) {
    list.SetItemIndex(index);
    EXPECT_EQ(list.ItemIndex(), -1) << index;
  }
}

TEST(Control, ChildrenInCreationOrderAndChangesReported) {
  controls::Form form("Form1");
  controls::GroupBox group("GroupBox2", &form);
  controls::Label label("Label23", &group);
  controls::ComboBox list("S_CBx_1", &group);
  controls::CheckBox box("S_ChB_1", &group);
  ASSERT_EQ(group.Children().size(), 3u);
  EXPECT_EQ(group.Children()[0], &label);
  EXPECT_EQ(group.Children()[2], &box);
  EXPECT_EQ(box.Parent(), &group);

  std::vector<std::string> walked;
  controls::ForEachControl(form, [&](controls::Control& c) { walked.push_back(c.Name()); });
  EXPECT_EQ(walked,
            (std::vector<std::string>{"Form1", "GroupBox2", "Label23", "S_CBx_1", "S_ChB_1"}));

  Recorder recorder;
  box.SetObserver(&recorder);
  box.SetVisible(true);  // unchanged: nothing to report
  box.SetVisible(false);
  box.SetEnabled(false);
  box.SetChecked(true);
  EXPECT_EQ(recorder.changes, (std::vector<controls::Property>{controls::Property::Visible,
                                                               controls::Property::Enabled,
                                                               controls::Property::Checked}));
}

TEST(PageControl, PagesOutsideTheRangeAreIgnored) {
  controls::Form form("Form1");
  controls::PageControl pages("PageControl1", &form);
  controls::TabSheet first("TabSheet1", &pages);
  controls::TabSheet second("TabSheet2", &pages);
  pages.SetActivePageIndex(1);
  pages.SetActivePageIndex(2);
  pages.SetActivePageIndex(-1);
  EXPECT_EQ(pages.ActivePageIndex(), 1);
}
