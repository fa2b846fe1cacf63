#pragma once
// Fusion, with the page control's metrics of the window design: tabs 22 pixels high and a
// page area inset 4 pixels left, right and below, starting 24 pixels from the top.

#include <QProxyStyle>

namespace ui {

class WindowStyle : public QProxyStyle {
  Q_OBJECT
 public:
  WindowStyle();

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override;

  static constexpr int kTabHeight = 22;
  static constexpr int kPageTop = 24;
  static constexpr int kPageInset = 4;
};

}  // namespace ui
