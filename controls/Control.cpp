#include "controls/Control.h"

namespace controls {

Control::Control(Kind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Property::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Notify(Property::Text);
}

void Control::Click() {
  RaiseClick();
}

void Control::RaiseClick() {
  if (OnClick) OnClick(*this);
}

void Control::Notify(Property what) {
  if (observer_ != nullptr) observer_->Changed(*this, what);
}

void ForEachControl(Control& root, const std::function<void(Control&)>& visit) {
  visit(root);
  for (Control* child : root.Children()) ForEachControl(*child, visit);
}

}  // namespace controls
