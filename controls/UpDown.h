#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/Control.h"
#include "controls/Edit.h"

namespace controls {

// An up-down spinner tied to a text box that shows its signed 16-bit position.
//
// - An assigned position keeps its low 16 bits; a different one first raises the changing
//   event with that value, unchanged even outside the range, then becomes the position.
// - Reading the position first takes over the number typed in the box when it is a valid
//   whole number within the range.
// - A step raises the changing event with the value the spinner is about to take, then
//   takes it. At an end, a stopping spinner stays where it is and raises nothing; a
//   wrapping one goes round to the other end (and announces that value), so the event
//   never carries a value the spinner does not then show.
class UpDown : public Control {
 public:
  using ChangingHandler = std::function<void(Control& sender, std::int16_t newValue)>;

  UpDown(std::string name, Control* parent) : Control(Kind::UpDown, std::move(name), parent) {}

  void SetAssociate(Edit* edit);
  Edit* Associate() const { return associate_; }

  std::int16_t min = 0;
  std::int16_t max = 100;
  bool wrap = false;
  bool thousands = false;  // show 1000 and more as "1,000"

  // Design-time set-up: no event.
  void InitPosition(std::int16_t position);

  std::int16_t Position();
  void SetPosition(std::int32_t value);
  // One step up (true) or down, as the arrow buttons and arrow keys do.
  void Step(bool up);

  ChangingHandler OnChangingEx;

  // The box text for a position, and the number a typed text stands for (no range test).
  std::string FormatPosition(std::int16_t position) const;
  std::optional<std::int32_t> ParseTyped(std::string_view text) const;

 private:
  void Apply(std::int16_t position);

  Edit* associate_ = nullptr;
  std::int16_t position_ = 0;
};

}  // namespace controls
