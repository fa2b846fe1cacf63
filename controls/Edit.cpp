#include "controls/Edit.h"

namespace controls {

void Edit::SetText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Notify(Property::Text);
}

}  // namespace controls
