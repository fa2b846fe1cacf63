// User input reaches the model, and the widgets show the model's state afterwards.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"
#include "ui/Widgets.h"

using uitest::WindowFixture;

class InputTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<WindowFixture> w;

  QString TextOf(const controls::Control& edit) { return w->As<QLineEdit>(edit)->text(); }
  void ShowOptionPage() {
    QTabBar* bar = w->As<QTabWidget>(w->form->PageControl1)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  }

 private slots:
  // Nothing here sends: no Transmit, the link indicator stays dark, presets are off.
  void init() { w = std::make_unique<WindowFixture>("127.0.0.34"); }
  void cleanup() { w.reset(); }

  void typingReplacesTheModelText() {
    QLineEdit* box = w->As<QLineEdit>(w->form->Edit1);
    box->selectAll();
    QTest::keyClicks(box, "127.0.0.9");
    QCOMPARE(w->form->Edit1.Text(), std::string("127.0.0.9"));
    // Typed, not yet transmitted: the exchanges keep the start-up address.
    QCOMPARE(w->form->DeviceAddress, std::string("127.0.0.34"));
  }

  void spinnerArrowsAndKeysStep() {
    auto* arrows = static_cast<ui::UpDownWidget*>(w->Widget(w->form->RefUD));
    QTest::mouseClick(arrows->UpButton(), Qt::LeftButton);
    QCOMPARE(TextOf(w->form->Memo2), QStringLiteral("11"));
    QTest::keyClick(w->Widget(w->form->Memo2), Qt::Key_Up);
    QCOMPARE(TextOf(w->form->Memo2), QStringLiteral("12"));
    QTest::keyClick(w->Widget(w->form->Memo2), Qt::Key_Down);
    QTest::keyClick(w->Widget(w->form->Memo2), Qt::Key_Down);
    QCOMPARE(w->form->RefUD.Position(), 10);
    // The spinner itself, reached with Tab, steps with the arrow keys too.
    QTest::keyClick(arrows, Qt::Key_Up);
    QCOMPARE(TextOf(w->form->Memo2), QStringLiteral("11"));
    // A number typed into the box counts from there on.
    QLineEdit* box = w->As<QLineEdit>(w->form->Memo2);
    box->selectAll();
    QTest::keyClicks(box, "100");
    QTest::mouseClick(arrows->UpButton(), Qt::LeftButton);  // stops at its end
    QCOMPARE(TextOf(w->form->Memo2), QStringLiteral("100"));
  }

  void exitSpinnerWrapsAndGroupsThousands() {
    ShowOptionPage();
    auto* arrows = static_cast<ui::UpDownWidget*>(w->Widget(w->form->ExitUD));
    QLineEdit* box = w->As<QLineEdit>(w->form->Memo3);
    box->selectAll();
    QTest::keyClicks(box, "1");
    QTest::mouseClick(arrows->DownButton(), Qt::LeftButton);
    QCOMPARE(TextOf(w->form->Memo3), QStringLiteral("32,767"));
    QTest::mouseClick(arrows->UpButton(), Qt::LeftButton);
    QCOMPARE(TextOf(w->form->Memo3), QStringLiteral("1"));
  }

  void checkBoxClickFlipsOnceAndEnablesItsList() {
    ShowOptionPage();
    auto* box = w->As<QCheckBox>(w->form->S_ChB_1);
    auto* list = w->As<QComboBox>(w->form->S_CBx_1);
    QVERIFY(!list->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(w->form->S_ChB_1.Checked());
    QVERIFY(box->isChecked());
    QVERIFY(list->isEnabled());
    QTest::keyClick(list, Qt::Key_Down);  // "OFF"
    QCOMPARE(w->form->S_CBx_1.ItemIndex(), 1);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!w->form->S_ChB_1.Checked());
    QVERIFY(!box->isChecked());
    QVERIFY(!list->isEnabled());
  }

  void checkItemMirrorsTheModelAndBringsTheOptionPage() {
    QAction* onOff = w->Action(w->form->M_OnOff);
    onOff->trigger();
    QVERIFY(w->form->M_OnOff.Checked());
    QVERIFY(onOff->isChecked());
    QCOMPARE(w->As<QTabWidget>(w->form->PageControl1)->currentIndex(), 1);
    onOff->trigger();
    QVERIFY(!w->form->M_OnOff.Checked());
    QVERIFY(!onOff->isChecked());
    // Set by the program: the mark follows without a click event.
    w->form->M_OnOff.SetChecked(true);
    QVERIFY(onOff->isChecked());
  }

  void tabsSwitchTheActivePage() {
    ShowOptionPage();
    QCOMPARE(w->form->PageControl1.ActivePageIndex(), 1);
    w->form->PageControl1.SetActivePageIndex(0);
    QCOMPARE(w->As<QTabWidget>(w->form->PageControl1)->currentIndex(), 0);
  }

  void refreshToggleShowsItsDownState() {
    auto* toggle = w->As<QToolButton>(w->form->SpeedButton5);
    QVERIFY(toggle->isCheckable());
    w->form->SpeedButton5.SetDown(true);
    QVERIFY(toggle->isChecked());
    w->form->SpeedButton5.SetDown(false);
    QVERIFY(!toggle->isChecked());
  }

  void tabKeyFollowsTheTabOrder() {
    QApplication::setActiveWindow(w->window.get());
    QVERIFY(QTest::qWaitForWindowActive(w->window.get()));
    QWidget* tabs = w->Widget(w->form->PageControl1);
    const std::vector<QWidget*> expected = {
        w->Widget(w->form->Edit2), tabs->focusProxy() ? tabs->focusProxy() : tabs,
        w->Widget(w->form->Memo2), w->Widget(w->form->RefUD), w->Widget(w->form->Edit1)};
    QCOMPARE(QApplication::focusWidget(), w->Widget(w->form->Edit1));
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void altFOpensTheFileMenu() {
    QApplication::setActiveWindow(w->window.get());
    QVERIFY(QTest::qWaitForWindowActive(w->window.get()));
    QTest::keyClick(w->window.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->actions().value(0), w->Action(w->form->CloseX1));
    menu->close();
  }
};

QTEST_MAIN(InputTest)
#include "ui_input_test.moc"
