#pragma once

#include <string>
#include <vector>

#include "controls/Control.h"

namespace controls {

// A drop-down list without typing. An index outside the items selects nothing: -1.
class ComboBox : public Control {
 public:
  ComboBox(std::string name, Control* parent) : Control(Kind::ComboBox, std::move(name), parent) {}

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);

  int ItemIndex() const { return index_; }
  // The user's choice and the program's assignment alike; no event.
  void SetItemIndex(int index);

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace controls
