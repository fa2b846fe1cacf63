// How the session and the system end the program: the commit-data query, the session's
// quit, and termination signals.
#include <signal.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include "WindowFixture.h"
#include "ui/SessionHooks.h"

using uitest::WindowFixture;

class SessionTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<WindowFixture> w;
  std::unique_ptr<ui::SessionHooks> hooks;

 private slots:
  void init() {
    w = std::make_unique<WindowFixture>("127.0.0.37");
    hooks = std::make_unique<ui::SessionHooks>(*w->form);
  }
  void cleanup() {
    hooks.reset();
    w.reset();
  }

  void commitDataSavesThePresetsAndKeepsTheWindow() {
    w->form->S_ChB_2.Click();
    hooks->RunCloseQuery();
    QVERIFY(w->SettingsFile().contains("\r\nS_ChB_2=1\r\n"));
    QVERIFY(!w->form->Closed());
    QVERIFY(w->window->isVisible());
    QCOMPARE(w->platform.quits, 0);
  }

  void sessionQuitRunsTheClosingStepsWithoutTheQuery() {
    w->form->Edit2.SetText("8081");
    w->form->S_ChB_2.Click();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    QVERIFY(w->form->Closed());
    QVERIFY(!w->window->isVisible());
    const QByteArray saved = w->SettingsFile();
    QVERIFY(saved.contains("\r\nPort=8081\r\n"));
    QVERIFY(saved.contains("\r\nS_ChB_2=0\r\n"));  // no close query: presets not saved
  }

  void terminationSignalEndsTheProgram_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int{SIGTERM};
    QTest::newRow("SIGINT") << int{SIGINT};
  }
  void terminationSignalEndsTheProgram() {
    QFETCH(int, signal);
    w->form->Edit2.SetText("8082");
    ::raise(signal);
    QTRY_VERIFY_WITH_TIMEOUT(w->form->Closed(), 10000);
    QVERIFY(w->SettingsFile().contains("\r\nPort=8082\r\n"));
  }
};

QTEST_MAIN(SessionTest)
#include "ui_session_test.moc"
