#include "controls/UpDown.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace controls {

void UpDown::SetAssociate(Edit* edit) {
  associate_ = edit;
  if (associate_ != nullptr) associate_->SetText(FormatPosition(position_));
}

void UpDown::InitPosition(std::int16_t position) {
  Apply(position);
}

std::int16_t UpDown::Position() {
  if (associate_ != nullptr) {
    // A number typed into the box counts from the moment the position is read.
    const auto typed = ParseTyped(associate_->Text());
    if (typed && *typed >= min && *typed <= max) position_ = static_cast<std::int16_t>(*typed);
  }
  return position_;
}

void UpDown::SetPosition(std::int32_t value) {
  const auto position = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  if (position == position_) return;
  if (OnChangingEx) OnChangingEx(*this, position);
  Apply(position);
}

void UpDown::Step(bool up) {
  const int current = Position();
  int next = current + (up ? 1 : -1);
  if (wrap) {
    if (next > max) next = min;
    if (next < min) next = max;
  } else {
    // A position from outside the range comes back into it; at an end nothing happens.
    next = std::clamp(next, static_cast<int>(min), static_cast<int>(max));
    if (next == current) return;
  }
  const auto proposed = static_cast<std::int16_t>(next);
  if (OnChangingEx) OnChangingEx(*this, proposed);
  Apply(proposed);
}

void UpDown::Apply(std::int16_t position) {
  position_ = position;
  if (associate_ != nullptr) associate_->SetText(FormatPosition(position));
  Notify(Property::Position);
}

std::string UpDown::FormatPosition(std::int16_t position) const {
  const std::string digits = std::to_string(std::abs(static_cast<int>(position)));
  std::string text = position < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (thousands && i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::optional<std::int32_t> UpDown::ParseTyped(std::string_view text) const {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::string digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // A separator stands only between digits.
    if (c == ',' && thousands && i > 0 && i + 1 < text.size()) continue;
    if (c < '0' || c > '9') return std::nullopt;
    digits += c;
  }
  if (digits.empty()) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace controls
