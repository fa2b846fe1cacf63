#pragma once

#include "controls/Control.h"

namespace controls {

// Its pages are its children, in tab order.
class PageControl : public Control {
 public:
  PageControl(std::string name, Control* parent)
      : Control(Kind::PageControl, std::move(name), parent) {}

  int ActivePageIndex() const { return active_; }
  // An index outside the pages is ignored.
  void SetActivePageIndex(int index);

 private:
  int active_ = 0;
};

// A status bar with one panel, whose text spans the bar.
class StatusBar : public Control {
 public:
  StatusBar(std::string name, Control* parent)
      : Control(Kind::StatusBar, std::move(name), parent) {}

  const std::string& PanelText() const { return text_; }
  void SetPanelText(std::string text);

 private:
  std::string text_;
};

}  // namespace controls
