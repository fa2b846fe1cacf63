// The start-up baseline: the same window built straight with stock Qt widgets, one per
// control of the main window (from the generated table), with the same fonts, style and
// geometry, and no model, binding, settings file or link behind it.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleFactory>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "bench/BareTable.h"

namespace {

using bare::Item;
using bare::Kind;

QColor Color(unsigned color) {
  if (color == 0xFF000001u) return QColor(0xF0, 0xF0, 0xF0);
  if (color == 0xFF000002u) return QColor(0xFF, 0xFF, 0xFF);
  return QColor::fromRgb(0xFF000000u | (color & 0xFFFFFFu));
}

void Fill(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(13);
  return font;
}

QFont FixedFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(13);
  return font;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("DU Rorez 9212"));
  QApplication::setApplicationDisplayName(QStringLiteral("DU Rorez 9212"));
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  application.setQuitOnLastWindowClosed(false);

  QMainWindow window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                  Qt::WindowCloseButtonHint);
  window.setFont(WindowFont());

  std::vector<QWidget*> widgets(bare::kItemCount, nullptr);
  std::vector<QMenu*> menus(bare::kItemCount, nullptr);
  std::vector<int> children(bare::kItemCount, 0);
  for (int i = 0; i < bare::kItemCount; ++i) {
    if (bare::kItems[i].parent >= 0) ++children[bare::kItems[i].parent];
  }

  for (int i = 0; i < bare::kItemCount; ++i) {
    const Item& item = bare::kItems[i];
    const QString text = QString::fromUtf8(item.text);
    QWidget* parent = item.parent >= 0 ? widgets[item.parent] : nullptr;
    QWidget* widget = nullptr;
    switch (item.kind) {
      case Kind::Form: {
        widget = new QWidget(&window);
        window.setCentralWidget(widget);
        widget->setFixedSize(item.width, item.height);
        Fill(widget, Color(item.color));
        window.setWindowTitle(text);
        widgets[i] = widget;
        continue;
      }
      case Kind::Menu:
        continue;
      case Kind::MenuItem: {
        const Item& up = bare::kItems[item.parent];
        if (up.kind == Kind::Menu) {
          if (children[i] > 0) {
            menus[i] = window.menuBar()->addMenu(text);
            menus[i]->setFont(WindowFont());
          } else {
            window.menuBar()->addAction(text)->setCheckable(item.flag);
          }
        } else if (menus[item.parent] != nullptr) {
          menus[item.parent]->addAction(text)->setCheckable(item.flag);
        }
        continue;
      }
      case Kind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(text);
        widget = label;
        break;
      }
      case Kind::Edit: {
        auto* line = new QLineEdit(parent);
        if (item.flag) line->setAlignment(Qt::AlignCenter);
        line->setText(text);
        widget = line;
        break;
      }
      case Kind::Memo: {
        auto* box = new QPlainTextEdit(parent);
        box->setReadOnly(item.flag);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setFont(FixedFont());
        box->setPlainText(text);
        widget = box;
        break;
      }
      case Kind::Panel: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        Fill(frame, Color(item.color));
        widget = frame;
        break;
      }
      case Kind::Image: {
        auto* picture = new QLabel(parent);
        QPixmap pixmap(item.width, item.height);
        pixmap.fill(QColor(0x20, 0x40, 0x80));
        picture->setPixmap(pixmap);
        picture->setScaledContents(true);
        widget = picture;
        break;
      }
      case Kind::SpeedButton: {
        auto* button = new QToolButton(parent);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(item.flag);
        button->setText(text);
        widget = button;
        break;
      }
      case Kind::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(item.flag);
        widget = box;
        break;
      }
      case Kind::ComboBox: {
        auto* list = new QComboBox(parent);
        if (!text.isEmpty()) list->addItems(text.split(QLatin1Char('\n')));
        list->setCurrentIndex(item.index);
        widget = list;
        break;
      }
      case Kind::UpDown: {
        auto* arrows = new QWidget(parent);
        auto* up = new QToolButton(arrows);
        auto* down = new QToolButton(arrows);
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        up->setGeometry(0, 0, item.width, item.height / 2);
        down->setGeometry(0, item.height / 2, item.width, item.height - item.height / 2);
        widget = arrows;
        break;
      }
      case Kind::GroupBox: {
        auto* group = new QGroupBox(text, parent);
        Fill(group, Color(item.color));
        widget = group;
        break;
      }
      case Kind::PageControl:
        widget = new QTabWidget(parent);
        break;
      case Kind::TabSheet: {
        auto* page = new QWidget();
        Fill(page, QColor(0xFF, 0xFF, 0xFF));
        static_cast<QTabWidget*>(parent)->addTab(page, text);
        widgets[i] = page;
        continue;
      }
      case Kind::StatusBar: {
        auto* bar = new QLabel(text, parent);
        bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->setAlignment(Qt::AlignCenter);
        widget = bar;
        break;
      }
    }
    widget->setGeometry(item.left, item.top, item.width, item.height);
    if (item.kind == Kind::Label) {
      widget->resize(std::max(item.width, widget->sizeHint().width()), item.height);
    }
    if (item.hint[0] != '\0') widget->setToolTip(QString::fromUtf8(item.hint));
    if (!item.enabled) widget->setEnabled(false);
    if (!item.visible) widget->setVisible(false);
    widgets[i] = widget;
  }
  for (int i = 0; i < bare::kItemCount; ++i) {
    if (bare::kItems[i].kind == Kind::PageControl && bare::kItems[i].index >= 0) {
      static_cast<QTabWidget*>(widgets[i])->setCurrentIndex(bare::kItems[i].index);
    }
  }

  window.layout()->setSizeConstraint(QLayout::SetFixedSize);
  window.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    const QSize outer = window.frameGeometry().size();
    window.move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
  }
  window.show();
  return QApplication::exec();
}
