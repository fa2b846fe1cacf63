#include "ui/WindowStyle.h"

#include <QStyleFactory>
#include <QTabWidget>

namespace ui {

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QSize WindowStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
  QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type == CT_TabBarTab) result.setHeight(kTabHeight);
  return result;
}

QRect WindowStyle::subElementRect(SubElement element, const QStyleOption* option,
                                  const QWidget* widget) const {
  const QRect base = QProxyStyle::subElementRect(element, option, widget);
  if (qobject_cast<const QTabWidget*>(widget) == nullptr) return base;
  const QRect all = widget->rect();
  switch (element) {
    case SE_TabWidgetTabContents:
      return QRect(kPageInset, kPageTop, all.width() - 2 * kPageInset,
                   all.height() - kPageTop - kPageInset);
    case SE_TabWidgetTabPane:
      return QRect(0, kTabHeight, all.width(), all.height() - kTabHeight);
    default:
      return base;
  }
}

}  // namespace ui
