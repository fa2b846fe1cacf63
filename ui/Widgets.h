#pragma once
// The few widgets Qt has no ready match for, and buttons whose state only the model
// changes.

#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QString>
#include <QToolButton>
#include <QWidget>

class QToolButton;

namespace ui {

// A bevelled panel: filled with its colour, a raised one-pixel bevel at its edge or, for
// an inner bevel, one pixel in. A press and release over it is a click.
class PanelWidget : public QWidget {
  Q_OBJECT
 public:
  PanelWidget(QColor color, int bevelInset, QWidget* parent);
  QColor Color() const { return color_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor color_;
  int bevelInset_;
  bool pressed_ = false;
};

// A picture drawn stretched to the widget; a press and release over it is a click.
class ImageWidget : public QWidget {
  Q_OBJECT
 public:
  ImageWidget(QImage image, QWidget* parent);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  bool pressed_ = false;
};

// A status bar with one sunken panel spanning it and its text centred.
class StatusBarWidget : public QWidget {
  Q_OBJECT
 public:
  explicit StatusBarWidget(QWidget* parent);
  QString Text() const { return text_; }
  void SetText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// A group box drawn as the design has it: an etched frame whose top line runs through the
// middle of the caption, the caption on the box's own background.
class GroupBoxWidget : public QGroupBox {
  Q_OBJECT
 public:
  GroupBoxWidget(QColor background, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor background_;
};

// A check box the user's click does not flip by itself: it emits clicked() and shows
// whatever state the model then has.
class ModelCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {}
};

// A button without keyboard focus; as a toggle it shows the model's down state.
class ModelToolButton : public QToolButton {
  Q_OBJECT
 public:
  explicit ModelToolButton(QWidget* parent);

 protected:
  void nextCheckState() override {}
};

// The up-down spinner: two arrow buttons stacked; Up and Down keys step it when focused.
class UpDownWidget : public QWidget {
  Q_OBJECT
 public:
  explicit UpDownWidget(QWidget* parent);
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void stepped(bool up);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace ui
