#pragma once
// One-line text boxes and the read-only multi-line memo.

#include <string>
#include <vector>

#include "controls/Control.h"

namespace controls {

class Edit : public Control {
 public:
  Edit(std::string name, Control* parent) : Control(Kind::Edit, std::move(name), parent) {}

  // The bytes as the box holds them (from the program or typed by the user).
  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  bool centered = false;

 private:
  std::string text_;
};

class Memo : public Control {
 public:
  Memo(std::string name, Control* parent) : Control(Kind::Memo, std::move(name), parent) {}
  std::vector<std::string> lines;
  bool readOnly = false;
  bool fixedPitch = false;
};

}  // namespace controls
