#pragma once
// The toolkit-free model of a window control. Controls hold their values and the
// behaviour the window's handlers rely on; a binding mirrors them through one observer.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace controls {

enum class Kind {
  Form,
  Menu,
  MenuItem,
  Label,
  Edit,
  Memo,
  Panel,
  Image,
  SpeedButton,
  CheckBox,
  ComboBox,
  UpDown,
  GroupBox,
  PageControl,
  TabSheet,
  StatusBar,
};

// What changed, so an observer can update just that.
enum class Property {
  Visible,
  Enabled,
  Text,  // caption, edit text, status panel text
  Checked,
  ItemIndex,
  Position,
  Down,
  ActivePage,
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// Colours as 0xRRGGBB; the system colours are named apart so a binding can pick its own.
enum class SystemColor : std::uint32_t {
  ButtonFace = 0xFF000001,
  Window = 0xFF000002,
};
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLime = 0x00FF00;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kRed = 0xFF0000;

class Control;

class Observer {
 public:
  virtual ~Observer() = default;
  virtual void Changed(Control& control, Property what) = 0;
};

class Control {
 public:
  using ClickHandler = std::function<void(Control& sender)>;

  // The new control joins its parent's children, after those created before it.
  Control(Kind kind, std::string name, Control* parent);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind GetKind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption of a label, button, check box, group box, page, menu item or the form.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Design values a binding draws from; the handlers never change them.
  Rect bounds;
  std::string hint;
  int tabOrder = -1;  // -1: not a tab stop
  std::uint32_t color = static_cast<std::uint32_t>(SystemColor::ButtonFace);

  // Raised by a user's click (Click) on controls that have one.
  ClickHandler OnClick;
  // A user's click. Check boxes, toggles and check items first change their state.
  virtual void Click();

  void SetObserver(Observer* observer) { observer_ = observer; }

 protected:
  void Notify(Property what);
  void RaiseClick();

 private:
  Kind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  int tag_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  Observer* observer_ = nullptr;
};

// Depth-first walk over a control and everything below it, in creation order.
void ForEachControl(Control& root, const std::function<void(Control&)>& visit);

}  // namespace controls
