// The start and exit presets of the Option page: loaded when the window is first shown,
// saved on every close request, and sent with the master switch M_OnOff on.
#include "app/MainForm.h"
#include "panel/HandlerSupport.h"
#include "settings/IniU.h"

namespace app {

namespace {

constexpr const char* kPresetSection = "ON/OFF";

bool IsSelector(const controls::Control& control) {
  return control.GetKind() == controls::Kind::ComboBox;
}

bool IsCheckBox(const controls::Control& control) {
  return control.GetKind() == controls::Kind::CheckBox;
}

// The first selector in the group, in child order, that pairs with this tag.
controls::ComboBox* PairedSelector(const controls::Control& group, int tag) {
  for (controls::Control* child : group.Children()) {
    if (IsSelector(*child) && child->Tag() == tag) return static_cast<controls::ComboBox*>(child);
  }
  return nullptr;
}

// Element channel-1 := the paired selector's index, for every checked box whose tag maps
// to a channel. The selectors' enabled state plays no part.
template <typename ChannelOf>
void Collect(const controls::Control& group, PresetValues& values, ChannelOf channelOf) {
  for (controls::Control* child : group.Children()) {
    if (!IsCheckBox(*child)) continue;
    const auto& box = static_cast<const controls::CheckBox&>(*child);
    const int channel = channelOf(box.Tag());
    if (channel < 1 || channel > 8 || !box.Checked()) continue;
    if (const controls::ComboBox* selector = PairedSelector(group, box.Tag())) {
      values[channel - 1] = selector->ItemIndex();
    }
  }
}

// Channels with a preset take it (0 = "ON" shows the indicator); the others keep theirs.
void ApplyPresets(TForm1& form, const PresetValues& values) {
  const auto indicators = form.OutputIndicators();
  for (int i = 0; i < 8; ++i) {
    if (values[i] >= 0) indicators[i]->SetVisible(values[i] == 0);
  }
}

}  // namespace

void TForm1::LoadOnOffSettings(controls::GroupBox& group) {
  panel::Guarded("Error...ON/OF Read", [&] {
    for (controls::Control* child : group.Children()) {
      if (IsSelector(*child)) {
        auto& selector = static_cast<controls::ComboBox&>(*child);
        selector.SetItemIndex(settings::IniReadInteger(IniFileName, kPresetSection, selector.Name(),
                                                       selector.ItemIndex()));
      } else if (IsCheckBox(*child)) {
        // A changed state raises the box's click, which enables or disables its selector.
        auto& box = static_cast<controls::CheckBox&>(*child);
        box.SetChecked(
            settings::IniReadBool(IniFileName, kPresetSection, box.Name(), box.Checked()));
      }
    }
  });
}

void TForm1::SaveOnOffSettings(controls::GroupBox& group) {
  panel::Guarded("Error...ON/OFF Write", [&] {
    for (controls::Control* child : group.Children()) {
      if (IsSelector(*child)) {
        const auto& selector = static_cast<const controls::ComboBox&>(*child);
        settings::IniWriteInteger(IniFileName, kPresetSection, selector.Name(),
                                  selector.ItemIndex());
      } else if (IsCheckBox(*child)) {
        const auto& box = static_cast<const controls::CheckBox&>(*child);
        settings::IniWriteBool(IniFileName, kPresetSection, box.Name(), box.Checked());
      }
    }
  });
}

void TForm1::CollectStartValues(controls::GroupBox& group, PresetValues& values) {
  Collect(group, values, [](int tag) { return tag; });
}

void TForm1::CollectExitValues(controls::GroupBox& group, PresetValues& values) {
  Collect(group, values, [](int tag) { return tag >= 11 && tag <= 88 ? tag % 10 : 0; });
}

void TForm1::FormShow() {
  LoadOnOffSettings(GroupBox2);
  LoadOnOffSettings(GroupBox3);
  if (!M_OnOff.Checked()) return;
  PresetValues values;
  values.fill(-1);
  CollectStartValues(GroupBox2, values);
  CollectStartValues(GroupBox3, values);
  ApplyPresets(*this, values);
  SetData();
}

void TForm1::FormCloseQuery(bool& /*canClose*/) {
  // Before the first showing the controls still hold their design states: take the
  // stored presets first, so saving keeps them and the exit preset is the stored one.
  if (!shown_) {
    LoadOnOffSettings(GroupBox2);
    LoadOnOffSettings(GroupBox3);
  }
  SaveOnOffSettings(GroupBox2);
  SaveOnOffSettings(GroupBox3);
  if (!M_OnOff.Checked()) return;
  PresetValues values;
  values.fill(-1);
  CollectExitValues(GroupBox2, values);
  CollectExitValues(GroupBox3, values);
  ApplyPresets(*this, values);
  SetData();
}

void TForm1::S_ChB_1Click(controls::Control& sender) {
  if (!IsCheckBox(sender)) return;
  controls::Control* group = sender.Parent();
  if (group == nullptr || group->GetKind() != controls::Kind::GroupBox) return;
  if (controls::ComboBox* selector = PairedSelector(*group, sender.Tag())) {
    selector->SetEnabled(static_cast<controls::CheckBox&>(sender).Checked());
  }
}

void TForm1::M_OnOffClick(controls::Control&) {
  // The click has already flipped the mark; only switching it on brings the page forward.
  if (M_OnOff.Checked()) PageControl1.SetActivePageIndex(1);
}

}  // namespace app
