// The QTimer behind a controls::Timer, and the window's timers armed through it.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "ui/QtPlatform.h"
#include "ui/TimerBackend.h"

class TimerTest : public QObject {
  Q_OBJECT
 private:
  int ticks = 0;

  std::unique_ptr<ui::TimerBackend> Back(controls::Timer& timer) {
    timer.OnTimer = [this](controls::Timer&) { ++ticks; };
    return std::make_unique<ui::TimerBackend>(timer);
  }

 private slots:
  void init() { ticks = 0; }

  void runsOnlyWhenEnabledWithAnInterval() {
    controls::Timer timer("T", 0, true);
    auto backend = Back(timer);
    QVERIFY(!backend->Backing().isActive());  // interval 0 never ticks
    timer.SetInterval(250);
    QVERIFY(backend->Backing().isActive());
    QCOMPARE(backend->Backing().interval(), 250);
    timer.SetEnabled(false);
    QVERIFY(!backend->Backing().isActive());
    // Longer than QTimer can count: it never ticks.
    timer.SetInterval(3'000'000'000u);
    timer.SetEnabled(true);
    QVERIFY(!backend->Backing().isActive());
    timer.SetInterval(2'147'483'647u);
    QVERIFY(backend->Backing().isActive());
  }

  void sameValueKeepsTheCountdown() {
    controls::Timer timer("T", 60000, true);
    auto backend = Back(timer);
    const int id = backend->Backing().timerId();
    QVERIFY(id > 0);
    timer.SetInterval(60000);
    timer.SetEnabled(true);
    QCOMPARE(backend->Backing().timerId(), id);
    timer.SetInterval(30000);
    QCOMPARE(backend->Backing().interval(), 30000);
  }

  void ticksReachTheModel() {
    controls::Timer timer("T", 10, true);
    auto backend = Back(timer);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
    timer.SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(50);
    QCOMPARE(ticks, stopped);
  }

  void ticksGoOnWhileAMessageBoxIsOpen() {
    controls::Timer timer("T", 10, true);
    auto backend = Back(timer);
    QTimer closer;
    int ticksWhileOpen = 0;
    QElapsedTimer limit;
    limit.start();
    connect(&closer, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      if (ticks < 3 && limit.elapsed() < 5000) return;
      ticksWhileOpen = ticks;
      box->buttons().value(0)->click();
    });
    closer.start(5);
    ui::QtPlatform platform;
    platform.ShowMessage("DU Rorez 9212", app::MessageIcon::Stop, "Error...SetData.");
    QVERIFY(ticksWhileOpen >= 3);
  }

  void autoExitIsArmedFromTheSettingsFile() {
    uitest::WindowFixture w("127.0.0.35", "ExitSec=7\r\nUseExit=1\r\n");
    const QTimer& backing = w.window->Binding().BackendFor(w.form->Timer2).Backing();
    QVERIFY(backing.isActive());
    QCOMPARE(backing.interval(), 7000);
    QVERIFY(!w.window->Binding().BackendFor(w.form->Timer1).Backing().isActive());
    w.form->ExitCB.Click();  // disarmed by the user
    QVERIFY(!backing.isActive());
  }
};

QTEST_MAIN(TimerTest)
#include "ui_timer_test.moc"
