// A click on an output channel, through the window as the user makes it, against a
// controller on loopback.
#include <QTest>
#include <QWindow>

#include "LoopbackController.h"
#include "WindowFixture.h"
#include "ui/Widgets.h"

using uitest::LoopbackController;
using uitest::WindowFixture;

namespace {
const char* const kAddress = "127.0.0.31";
}

class OutputTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<LoopbackController> controller;
  std::unique_ptr<WindowFixture> w;

  // A press and release at a control's centre, found by position the way the window
  // system finds it (a shown indicator covers its frame).
  void ClickAt(const controls::Control& control) {
    QWidget* widget = w->Widget(control);
    const QPoint at = widget->mapTo(w->window.get(), widget->rect().center());
    QTest::mouseClick(w->window->windowHandle(), Qt::LeftButton, {}, at);
  }

 private slots:
  void init() {
    controller = std::make_unique<LoopbackController>(kAddress);
    QVERIFY(controller->Bound());
    w = std::make_unique<WindowFixture>(kAddress);
  }
  void cleanup() {
    w.reset();
    controller.reset();
  }

  void clickOnFrameSwitchesTheChannelOn() {
    ClickAt(w->form->PB3);
    QVERIFY(w->form->PF3.Visible());
    QVERIFY(w->Widget(w->form->PF3)->isVisible());
    QCOMPARE(controller->Requests(), std::vector<std::string>{"VEDOVIZ14"});
    // The controller acknowledged: the link indicator is lit.
    QVERIFY(w->Widget(w->form->PPW)->isVisible());
    QCOMPARE(static_cast<ui::StatusBarWidget*>(w->Widget(w->form->StatusBar1))->Text(),
             QString::fromStdString(w->form->StatusBar1.PanelText()));
    QVERIFY(w->form->StatusBar1.PanelText() != app::kNoticeText);
    QVERIFY(w->platform.messages.empty());
  }

  void clickOnShownIndicatorSwitchesItOff() {
    ClickAt(w->form->PB3);
    ClickAt(w->form->PB8);
    ClickAt(w->form->PF3);  // covers PB3 now
    QVERIFY(!w->Widget(w->form->PF3)->isVisible());
    QVERIFY(w->Widget(w->form->PF8)->isVisible());
    QCOMPARE(controller->Requests(),
             (std::vector<std::string>{"VEDOVIZ14", "VEDOVIZ1132", "VEDOVIZ1128"}));
  }

  void inputFrameClickSendsNothing() {
    ClickAt(w->form->Panel13);
    QVERIFY(controller->Requests().empty());
  }
};

QTEST_MAIN(OutputTest)
#include "ui_output_test.moc"
