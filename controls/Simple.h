#pragma once
// Controls that hold nothing beyond the common values: the form, labels, panels, the
// image, group boxes, pages and the menu bar.

#include "controls/Control.h"

namespace controls {

class Form : public Control {
 public:
  Form(std::string name, Control* parent = nullptr)
      : Control(Kind::Form, std::move(name), parent) {}
};

class Label : public Control {
 public:
  Label(std::string name, Control* parent) : Control(Kind::Label, std::move(name), parent) {}
};

// A bevelled panel. Indicators are panels whose visibility is the flag they show.
class Panel : public Control {
 public:
  enum class Bevel { Raised, InnerRaised };
  Panel(std::string name, Control* parent) : Control(Kind::Panel, std::move(name), parent) {}
  Bevel bevel = Bevel::Raised;
};

class Image : public Control {
 public:
  Image(std::string name, Control* parent) : Control(Kind::Image, std::move(name), parent) {}
  bool handCursor = false;
};

class GroupBox : public Control {
 public:
  GroupBox(std::string name, Control* parent) : Control(Kind::GroupBox, std::move(name), parent) {}
};

class TabSheet : public Control {
 public:
  TabSheet(std::string name, Control* parent) : Control(Kind::TabSheet, std::move(name), parent) {}
};

class Menu : public Control {
 public:
  Menu(std::string name, Control* parent) : Control(Kind::Menu, std::move(name), parent) {}
};

}  // namespace controls
