#include "ui/FormBinding.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextDocument>
#include <algorithm>
#include <climits>

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/PageControl.h"
#include "controls/Simple.h"
#include "controls/SpeedButton.h"
#include "controls/UpDown.h"
#include "ui/Application.h"
#include "ui/Logo.h"
#include "ui/Widgets.h"

namespace ui {

namespace {

using controls::Kind;
using controls::Property;

QString Text(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Bytes(const QString& text) {
  return text.toUtf8().toStdString();
}

void FillWith(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// Up and Down in a spinner's text box step the spinner.
class ArrowKeys : public QObject {
 public:
  ArrowKeys(std::function<void(bool)> step, QObject* parent)
      : QObject(parent), step_(std::move(step)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        step_(key == Qt::Key_Up);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(bool)> step_;
};

}  // namespace

FormBinding::FormBinding(app::TForm1& form, QMainWindow& window)
    : QObject(&window), form_(form), window_(window) {
  window_.setFont(WindowFont());
  Build(form_.Form1, nullptr);
  BindSpinners();
  BuildTabChain();
  controls::ForEachControl(form_.Form1, [this](controls::Control& control) {
    control.SetObserver(this);
    ApplyAll(control);
  });
  timers_.push_back(std::make_unique<TimerBackend>(form_.Timer1, this));
  timers_.push_back(std::make_unique<TimerBackend>(form_.Timer2, this));
  if (QWidget* first = WidgetFor(form_.Edit1)) first->setFocus();
}

FormBinding::~FormBinding() {
  controls::ForEachControl(form_.Form1,
                           [](controls::Control& control) { control.SetObserver(nullptr); });
  timers_.clear();
}

QWidget* FormBinding::WidgetFor(const controls::Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

QAction* FormBinding::ActionFor(const controls::Control& control) const {
  const auto found = actions_.find(&control);
  return found == actions_.end() ? nullptr : found->second;
}

const TimerBackend& FormBinding::BackendFor(const controls::Timer& timer) const {
  return &timer == &form_.Timer1 ? *timers_[0] : *timers_[1];
}

void FormBinding::Deliver(const std::function<void()>& event) {
  form_.Deliver(event);
}

void FormBinding::Input(controls::Control& control, const std::function<void()>& event) {
  Deliver(event);
  ApplyAll(control);
}

// ---- Building -------------------------------------------------------------------------

void FormBinding::Build(controls::Control& control, QWidget* parent) {
  if (control.GetKind() == Kind::Menu) {
    BuildMenuBar(control);
    return;
  }
  if (control.GetKind() == Kind::MenuItem) return;  // only inside the menu bar
  QWidget* widget = Create(control, parent);
  widgets_[&control] = widget;
  if (control.GetKind() == Kind::PageControl) {
    BuildPages(static_cast<controls::PageControl&>(control), static_cast<QTabWidget*>(widget));
    return;
  }
  for (controls::Control* child : control.Children()) Build(*child, widget);
}

QWidget* FormBinding::Create(controls::Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.GetKind()) {
    case Kind::Form: {
      widget = new QWidget(&window_);
      window_.setCentralWidget(widget);
      widget->setFixedSize(control.bounds.width, control.bounds.height);
      FillWith(widget, ControlColor(control.color));
      return widget;
    }
    case Kind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      widget = label;
      break;
    }
    case Kind::Edit: {
      auto& edit = static_cast<controls::Edit&>(control);
      auto* line = new QLineEdit(parent);
      if (edit.centered) line->setAlignment(Qt::AlignCenter);
      // Only what the user types replaces the model's bytes; a text the program set
      // (loaded from the file) is never written back from its display form.
      connect(line, &QLineEdit::textEdited, this, [this, &edit](const QString& text) {
        Input(edit, [&edit, text] { edit.SetText(Bytes(text)); });
      });
      widget = line;
      break;
    }
    case Kind::Memo: {
      auto& memo = static_cast<controls::Memo&>(control);
      auto* box = new QPlainTextEdit(parent);
      box->setReadOnly(memo.readOnly);
      box->setLineWrapMode(QPlainTextEdit::NoWrap);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setFocusPolicy(Qt::ClickFocus);
      box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      if (memo.fixedPitch) box->setFont(FixedFont());
      box->document()->setDocumentMargin(1);
      QStringList lines;
      for (const std::string& line : memo.lines) lines << Text(line);
      box->setPlainText(lines.join(QLatin1Char('\n')));
      widget = box;
      break;
    }
    case Kind::Panel: {
      auto& panel = static_cast<controls::Panel&>(control);
      const int inset = panel.bevel == controls::Panel::Bevel::InnerRaised ? 1 : 0;
      auto* box = new PanelWidget(ControlColor(control.color), inset, parent);
      connect(box, &PanelWidget::clicked, this,
              [this, &control] { Input(control, [&control] { control.Click(); }); });
      widget = box;
      break;
    }
    case Kind::Image: {
      auto& image = static_cast<controls::Image&>(control);
      auto* picture = new ImageWidget(LogoImage(), parent);
      if (image.handCursor) picture->setCursor(Qt::PointingHandCursor);
      connect(picture, &ImageWidget::clicked, this,
              [this, &control] { Input(control, [&control] { control.Click(); }); });
      widget = picture;
      break;
    }
    case Kind::SpeedButton: {
      auto& speed = static_cast<controls::SpeedButton&>(control);
      auto* button = new ModelToolButton(parent);
      button->setCheckable(speed.toggle);
      connect(button, &QToolButton::clicked, this,
              [this, &control] { Input(control, [&control] { control.Click(); }); });
      widget = button;
      break;
    }
    case Kind::CheckBox: {
      auto* box = new ModelCheckBox(parent);
      connect(box, &QCheckBox::clicked, this,
              [this, &control] { Input(control, [&control] { control.Click(); }); });
      widget = box;
      break;
    }
    case Kind::ComboBox: {
      auto& combo = static_cast<controls::ComboBox&>(control);
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      for (const std::string& item : combo.Items()) list->addItem(Text(item));
      // Every change the user makes (list, keys, wheel); the program's own are blocked.
      connect(list, &QComboBox::currentIndexChanged, this, [this, &combo](int index) {
        Input(combo, [&combo, index] { combo.SetItemIndex(index); });
      });
      widget = list;
      break;
    }
    case Kind::UpDown: {
      auto& spinner = static_cast<controls::UpDown&>(control);
      auto* arrows = new UpDownWidget(parent);
      connect(arrows, &UpDownWidget::stepped, this,
              [this, &spinner](bool up) { Input(spinner, [&spinner, up] { spinner.Step(up); }); });
      widget = arrows;
      break;
    }
    case Kind::GroupBox: {
      widget = new GroupBoxWidget(ControlColor(control.color), parent);
      break;
    }
    case Kind::PageControl: {
      auto& pages = static_cast<controls::PageControl&>(control);
      auto* tabs = new QTabWidget(parent);
      tabs->setDocumentMode(false);
      connect(tabs, &QTabWidget::currentChanged, this, [this, &pages](int index) {
        Input(pages, [&pages, index] { pages.SetActivePageIndex(index); });
      });
      widget = tabs;
      break;
    }
    case Kind::StatusBar:
      widget = new StatusBarWidget(parent);
      break;
    case Kind::TabSheet:
    case Kind::Menu:
    case Kind::MenuItem:
      widget = new QWidget(parent);  // not reached: built by their page control / menu bar
      break;
  }
  const controls::Rect& b = control.bounds;
  widget->setGeometry(b.left, b.top, b.width, b.height);
  if (!control.hint.empty()) widget->setToolTip(Text(control.hint));
  return widget;
}

void FormBinding::BuildPages(controls::PageControl& pages, QTabWidget* tabs) {
  const QSignalBlocker quiet(tabs);
  for (controls::Control* sheet : pages.Children()) {
    auto* page = new QWidget();
    FillWith(page, ControlColor(controls::kWhite));
    tabs->addTab(page, Text(sheet->Caption()));
    widgets_[sheet] = page;
    for (controls::Control* child : sheet->Children()) Build(*child, page);
  }
}

void FormBinding::BuildMenuBar(controls::Control& menu) {
  QMenuBar* bar = window_.menuBar();
  for (controls::Control* child : menu.Children()) {
    if (child->GetKind() != Kind::MenuItem) continue;
    auto& heading = static_cast<controls::MenuItem&>(*child);
    if (heading.Children().empty()) {
      BindMenuItem(heading, bar->addAction(Text(heading.Caption())));
      continue;
    }
    QMenu* sub = bar->addMenu(Text(heading.Caption()));
    sub->setFont(WindowFont());
    actions_[&heading] = sub->menuAction();
    for (controls::Control* entry : heading.Children()) {
      if (entry->GetKind() != Kind::MenuItem) continue;
      auto& item = static_cast<controls::MenuItem&>(*entry);
      BindMenuItem(item, sub->addAction(Text(item.Caption())));
    }
  }
}

void FormBinding::BindMenuItem(controls::MenuItem& item, QAction* action) {
  actions_[&item] = action;
  action->setCheckable(item.autoCheck);
  action->setMenuRole(QAction::NoRole);
  connect(action, &QAction::triggered, this,
          [this, &item] { Input(item, [&item] { item.Click(); }); });
}

void FormBinding::BindSpinners() {
  controls::ForEachControl(form_.Form1, [this](controls::Control& control) {
    if (control.GetKind() != Kind::UpDown) return;
    auto& spinner = static_cast<controls::UpDown&>(control);
    if (spinner.Associate() == nullptr) return;
    QWidget* box = WidgetFor(*spinner.Associate());
    if (box == nullptr) return;
    box->installEventFilter(new ArrowKeys(
        [this, &spinner](bool up) { Input(spinner, [&spinner, up] { spinner.Step(up); }); }, box));
  });
}

// ---- Keyboard order -------------------------------------------------------------------

void FormBinding::CollectTabChain(controls::Control& parent, std::vector<QWidget*>& chain) const {
  std::vector<controls::Control*> children = parent.Children();
  // Tab stops in their tab order; controls without one (containers) after them, as made.
  std::stable_sort(children.begin(), children.end(),
                   [](const controls::Control* a, const controls::Control* b) {
                     const int left = a->tabOrder < 0 ? INT_MAX : a->tabOrder;
                     const int right = b->tabOrder < 0 ? INT_MAX : b->tabOrder;
                     return left < right;
                   });
  for (controls::Control* child : children) {
    QWidget* widget = WidgetFor(*child);
    if (widget == nullptr) continue;
    if (child->tabOrder >= 0 && widget->focusPolicy() != Qt::NoFocus) chain.push_back(widget);
    CollectTabChain(*child, chain);
  }
}

void FormBinding::BuildTabChain() {
  std::vector<QWidget*> chain;
  CollectTabChain(form_.Form1, chain);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// ---- Mirroring ------------------------------------------------------------------------

void FormBinding::Changed(controls::Control& control, Property what) {
  Apply(control, what);
}

void FormBinding::ApplyAll(controls::Control& control) {
  for (Property what : {Property::Enabled, Property::Text, Property::Checked, Property::ItemIndex,
                        Property::Down, Property::ActivePage}) {
    Apply(control, what);
  }
  // The window itself is shown by the program's start; its hiding is mirrored as it comes.
  if (control.GetKind() != Kind::Form) Apply(control, Property::Visible);
}

void FormBinding::Apply(controls::Control& control, Property what) {
  if (QAction* action = ActionFor(control)) {
    auto& item = static_cast<controls::MenuItem&>(control);
    const QSignalBlocker quiet(action);
    switch (what) {
      case Property::Visible:
        action->setVisible(item.Visible());
        break;
      case Property::Enabled:
        action->setEnabled(item.Enabled());
        break;
      case Property::Text:
        action->setText(Text(item.Caption()));
        break;
      case Property::Checked:
        action->setChecked(item.Checked());
        break;
      default:
        break;
    }
    return;
  }
  QWidget* widget = WidgetFor(control);
  if (widget == nullptr) return;

  if (control.GetKind() == Kind::TabSheet) {
    auto* tabs = qobject_cast<QTabWidget*>(WidgetFor(*control.Parent()));
    if (tabs == nullptr) return;
    const int index = tabs->indexOf(widget);
    const QSignalBlocker quiet(tabs);
    switch (what) {
      case Property::Visible:
        tabs->setTabVisible(index, control.Visible());
        break;
      case Property::Enabled:
        tabs->setTabEnabled(index, control.Enabled());
        break;
      case Property::Text:
        tabs->setTabText(index, Text(control.Caption()));
        break;
      default:
        break;
    }
    return;
  }

  switch (what) {
    case Property::Visible:
      if (control.GetKind() == Kind::Form) {
        window_.setVisible(control.Visible());
      } else {
        widget->setVisible(control.Visible());
      }
      return;
    case Property::Enabled:
      widget->setEnabled(control.Enabled());
      return;
    case Property::Position:
      return;  // the spinner's box shows the position; its text comes as its own change
    default:
      break;
  }

  const QSignalBlocker quiet(widget);
  switch (control.GetKind()) {
    case Kind::Form:
      if (what == Property::Text) window_.setWindowTitle(Text(control.Caption()));
      break;
    case Kind::Label:
      if (what == Property::Text) {
        auto* label = static_cast<QLabel*>(widget);
        label->setText(Text(control.Caption()));
        // Labels size themselves to their text: a substitute font a little wider than the
        // design's must not cut the text off.
        label->resize(std::max(control.bounds.width, label->sizeHint().width()),
                      control.bounds.height);
      }
      break;
    case Kind::GroupBox:
      if (what == Property::Text) {
        static_cast<QGroupBox*>(widget)->setTitle(Text(control.Caption()));
      }
      break;
    case Kind::Edit:
      if (what == Property::Text) {
        auto* line = static_cast<QLineEdit*>(widget);
        const QString text = Text(static_cast<controls::Edit&>(control).Text());
        if (line->text() != text) line->setText(text);
      }
      break;
    case Kind::SpeedButton: {
      auto* button = static_cast<QToolButton*>(widget);
      auto& speed = static_cast<controls::SpeedButton&>(control);
      if (what == Property::Text) button->setText(Text(speed.Caption()));
      if (what == Property::Down && button->isCheckable()) button->setChecked(speed.Down());
      break;
    }
    case Kind::CheckBox: {
      auto* box = static_cast<QCheckBox*>(widget);
      auto& check = static_cast<controls::CheckBox&>(control);
      if (what == Property::Text) box->setText(Text(check.Caption()));
      if (what == Property::Checked) box->setChecked(check.Checked());
      break;
    }
    case Kind::ComboBox:
      if (what == Property::ItemIndex) {
        static_cast<QComboBox*>(widget)->setCurrentIndex(
            static_cast<controls::ComboBox&>(control).ItemIndex());
      }
      break;
    case Kind::PageControl:
      if (what == Property::ActivePage) {
        static_cast<QTabWidget*>(widget)->setCurrentIndex(
            static_cast<controls::PageControl&>(control).ActivePageIndex());
      }
      break;
    case Kind::StatusBar:
      if (what == Property::Text) {
        static_cast<StatusBarWidget*>(widget)->SetText(
            Text(static_cast<controls::StatusBar&>(control).PanelText()));
      }
      break;
    default:
      break;
  }
}

}  // namespace ui
