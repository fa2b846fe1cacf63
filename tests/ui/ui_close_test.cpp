// Closing the window: File > Exit and the close box run the close operation, which saves
// the main settings and asks the application to quit.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "WindowFixture.h"

using uitest::WindowFixture;

namespace {
const char* const kAddress = "127.0.0.32";
}

class CloseTest : public QObject {
  Q_OBJECT
 private slots:
  void fileExitWritesTheMainKeys() {
    WindowFixture w(kAddress, "Timer=abc\r\n");
    // A number that does not read keeps the file's text until the close writes the value.
    QVERIFY(w.SettingsFile().contains("Timer=abc\r\n"));
    QTest::keyClicks(w.Widget(w.form->Edit2), "80");
    QMenu* file = w.window->menuBar()->actions().value(0)->menu();
    QVERIFY(file != nullptr);
    file->actions().value(0)->trigger();

    QVERIFY(w.form->Closed());
    QVERIFY(!w.window->isVisible());
    QCOMPARE(w.platform.quits, 1);
    const QByteArray saved = w.SettingsFile();
    QVERIFY2(saved.startsWith("[relaypanel]\r\nIPV4=127.0.0.32\r\nTimer=10\r\nPort=8080\r\n"
                              "UseOnOff=0\r\nExitSec=60\r\nUseExit=0\r\n"),
             saved.constData());
    QVERIFY(saved.contains("[ON/OFF]\r\nS_CBx_1=0\r\nE_CBx_1=1\r\n"));
    QVERIFY(w.platform.messages.empty());
  }

  void closeBoxRunsTheSameClose() {
    WindowFixture w(kAddress);
    QVERIFY(!w.window->close());  // the window's own close operation does the hiding
    QVERIFY(w.form->Closed());
    QVERIFY(!w.window->isVisible());
    QCOMPARE(w.platform.quits, 1);
    // Once closed, the quit's own close of the windows goes through.
    QVERIFY(w.window->close());
    QCOMPARE(w.platform.quits, 1);
  }

  void bytesFromTheFileSurviveUntouched() {
    // Not valid UTF-8: shown with a replacement character, written back as it was read.
    WindowFixture w(kAddress, "Port=8\xFF\x38\r\n");
    QVERIFY(w.SettingsFile().contains("Port=8\xFF\x38\r\n"));
    w.Action(w.form->CloseX1)->trigger();
    QVERIFY(w.form->Closed());
    QVERIFY(w.SettingsFile().contains("\r\nPort=8\xFF\x38\r\n"));
  }

  void failingCloseQueryKeepsTheWindowOpen() {
    WindowFixture w(kAddress);
    // A directory where the settings file should be: every file operation fails.
    const QString settings = w.Path(QStringLiteral("relaypanel.ini"));
    QVERIFY(QFile::remove(settings));
    QVERIFY(QDir().mkdir(settings));
    QVERIFY(!w.window->close());
    QVERIFY(!w.form->Closed());
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.platform.quits, 0);
    QCOMPARE(w.platform.messages.size(), std::size_t{1});
    QCOMPARE(w.platform.messages[0].caption, std::string("DU Rorez 9212"));
    QCOMPARE(w.platform.messages[0].text, std::string("Error...ON/OFF Write."));
    // The next request runs the whole close again.
    QVERIFY(QDir().rmdir(settings));
    w.Action(w.form->CloseX1)->trigger();
    QVERIFY(w.form->Closed());
    QCOMPARE(w.platform.quits, 1);
    QVERIFY(w.SettingsFile().contains("IPV4=127.0.0.32\r\n"));
  }
};

QTEST_MAIN(CloseTest)
#include "ui_close_test.moc"
