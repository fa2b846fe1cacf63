#include "ui/Widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

const QColor kHighlight(0xFF, 0xFF, 0xFF);
const QColor kShadow(0xA0, 0xA0, 0xA0);

void DrawBevel(QPainter& painter, const QRect& rect, bool raised) {
  const QColor& topLeft = raised ? kHighlight : kShadow;
  const QColor& bottomRight = raised ? kShadow : kHighlight;
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

PanelWidget::PanelWidget(QColor color, int bevelInset, QWidget* parent)
    : QWidget(parent), color_(color), bevelInset_(bevelInset) {}

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
  const QRect bevel = rect().adjusted(bevelInset_, bevelInset_, -bevelInset_, -bevelInset_);
  if (bevel.width() > 1 && bevel.height() > 1) DrawBevel(painter, bevel, true);
}

void PanelWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

ImageWidget::ImageWidget(QImage image, QWidget* parent)
    : QWidget(parent), image_(std::move(image)) {}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {}

void StatusBarWidget::SetText(const QString& text) {
  if (text_ == text) return;
  text_ = text;
  update();
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xF0, 0xF0, 0xF0));
  // The one panel starts two pixels below the bar's top edge and reaches its right edge.
  const QRect panel(0, 2, width(), height() - 2);
  DrawBevel(painter, panel, false);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(panel.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

GroupBoxWidget::GroupBoxWidget(QColor background, QWidget* parent)
    : QGroupBox(parent), background_(background) {}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 1, height() - top - 1);
  painter.setPen(kShadow);
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.setPen(kHighlight);
  painter.drawRect(frame.adjusted(1, 1, 0, 0));
  if (title().isEmpty()) return;
  const QRect caption(8, 0, metrics.horizontalAdvance(title()), metrics.height());
  painter.fillRect(caption, background_);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

ModelToolButton::ModelToolButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

UpDownWidget::UpDownWidget(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  // Reached with Tab like the spinner it stands for, but a click leaves the focus alone.
  setFocusPolicy(Qt::TabFocus);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setIconSize(QSize(7, 4));
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { emit stepped(true); });
  connect(down_, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
  const int upHeight = height() / 2;
  up_->setGeometry(0, 0, width(), upHeight);
  down_->setGeometry(0, upHeight, width(), height() - upHeight);
}

void UpDownWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit stepped(event->key() == Qt::Key_Up);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace ui
