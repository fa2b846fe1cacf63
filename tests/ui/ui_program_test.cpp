// The program itself: started in a directory with a settings file, ended by the system.
#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void terminationSignalsSaveTheMainKeysAndExitZero_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int{SIGTERM};
    QTest::newRow("SIGINT") << int{SIGINT};
  }
  void terminationSignalsSaveTheMainKeysAndExitZero() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The program's settings file is named after it: relaypanel.ini, section [relaypanel].
    const QString path = dir.filePath(QStringLiteral("relaypanel.ini"));
    QFile settings(path);
    QVERIFY(settings.open(QIODevice::WriteOnly));
    // "abc" reads as the default and stays in the file until the main keys are saved.
    settings.write("[relaypanel]\r\nIPV4=127.0.0.36\r\nTimer=abc\r\n");
    settings.close();

    QProcess program;
    program.setWorkingDirectory(dir.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(RELAYPANEL_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    // The presets section appears when the window is first shown.
    const auto contents = [&] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(QTest::qWaitFor([&] { return contents().contains("[ON/OFF]"); }, 20000));
    QVERIFY(contents().contains("Timer=abc\r\n"));

    ::kill(static_cast<pid_t>(program.processId()), signal);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(contents().startsWith("[relaypanel]\r\nIPV4=127.0.0.36\r\nTimer=10\r\nPort=80\r\n"),
             contents().constData());
  }

  void autoExitClosesLikeFileExitAndExitsZero() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("relaypanel.ini"));
    QFile settings(path);
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[relaypanel]\r\nIPV4=127.0.0.36\r\nTimer=abc\r\nExitSec=1\r\nUseExit=1\r\n");
    settings.close();

    QProcess program;
    program.setWorkingDirectory(dir.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(RELAYPANEL_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    // One second after start-up the close operation runs by itself and the loop ends.
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray contents = saved.readAll();
    QVERIFY2(contents.startsWith("[relaypanel]\r\nIPV4=127.0.0.36\r\nTimer=10\r\nExitSec=1\r\n"
                                 "UseExit=1\r\n"),
             contents.constData());
    QVERIFY(contents.contains("[ON/OFF]\r\n"));
  }
};

QTEST_MAIN(ProgramTest)
#include "ui_program_test.moc"
