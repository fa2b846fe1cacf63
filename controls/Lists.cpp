// Controls that select one of several: the drop-down list, the page control, and the
// status bar's one panel.
#include "controls/ComboBox.h"
#include "controls/PageControl.h"

namespace controls {

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (index_ >= static_cast<int>(items_.size())) index_ = -1;
  Notify(Property::ItemIndex);
}

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index_ == index) return;
  index_ = index;
  Notify(Property::ItemIndex);
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(Children().size()) || index == active_) return;
  active_ = index;
  Notify(Property::ActivePage);
}

void StatusBar::SetPanelText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Notify(Property::Text);
}

}  // namespace controls
