// The browser links: the launcher gets the URL as its one argument; a launcher that cannot
// be started gives the refusal dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"

using uitest::WindowFixture;

namespace {
const char* const kAddress = "127.0.0.1";  // nothing is sent in these tests
}

class BrowserTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir bin;
  QByteArray savedPath;
  std::unique_ptr<WindowFixture> w;

  QString RecordPath() const { return bin.filePath(QStringLiteral("launched.txt")); }

  // A stand-in for xdg-open that writes its argument count and each argument in brackets.
  void InstallRecordingLauncher() {
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    const QByteArray record = QFile::encodeName(RecordPath());
    script.write(
        "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > '" +
        record + ".part'\n/bin/mv '" + record + ".part' '" + record + "'\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  }

  QByteArray Launched() {
    QFile record(RecordPath());
    if (!QTest::qWaitFor([&] { return record.exists(); }, 10000)) return "(not launched)";
    if (!record.open(QIODevice::ReadOnly)) return "(unreadable)";
    return record.readAll();
  }

 private slots:
  void initTestCase() {
    QVERIFY(bin.isValid());
    savedPath = qgetenv("PATH");
  }
  void init() {
    QFile::remove(RecordPath());
    QFile::remove(bin.filePath(QStringLiteral("xdg-open")));
    qputenv("PATH", QFile::encodeName(bin.path()));
    w = std::make_unique<WindowFixture>(kAddress);
  }
  void cleanup() {
    w.reset();
    qputenv("PATH", savedPath);
  }

  void webControlLaunchesTheControllerPage() {
    InstallRecordingLauncher();
    QTest::mouseClick(w->Widget(w->form->SpeedButton2), Qt::LeftButton);
    QCOMPARE(Launched(), QByteArray("1\n[http://127.0.0.1:80]\n"));
    QVERIFY(w->platform.messages.empty());
  }

  void typedTextGoesOutAsOneArgumentWithoutAShell() {
    InstallRecordingLauncher();
    QTest::keyClicks(w->Widget(w->form->Edit2), " $(touch x); y");
    QTest::mouseClick(w->Widget(w->form->SpeedButton2), Qt::LeftButton);
    QCOMPARE(Launched(), QByteArray("1\n[http://127.0.0.1:80 $(touch x); y]\n"));
    QVERIFY(!QFile::exists(w->Path(QStringLiteral("x"))));
  }

  void logoAndMenuOpenTheSameHomePage() {
    InstallRecordingLauncher();
    QTest::mouseClick(w->Widget(w->form->Image1), Qt::LeftButton);
    const QByteArray fromLogo = Launched();
    QCOMPARE(fromLogo, "1\n[" + QByteArray(app::kVelmoraHomePage) + "]\n");
    QFile::remove(RecordPath());
    w->Action(w->form->Velmora1)->trigger();
    QCOMPARE(Launched(), fromLogo);
  }

  void missingLauncherShowsTheRefusalDialog() {
    w->platform.showBoxes = true;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool sameButton = false;
    // The dialog is modal: look at it and close it from inside its own event loop.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      poll.stop();
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      sameButton = static_cast<QAbstractButton*>(box->defaultButton()) == box->escapeButton();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    poll.start(20);
    QTest::mouseClick(w->Widget(w->form->SpeedButton2), Qt::LeftButton);

    QCOMPARE(w->platform.messages.size(), std::size_t{1});
    QCOMPARE(w->platform.messages[0].caption, std::string("エラー"));
    QCOMPARE(w->platform.messages[0].text,
             std::string("http://127.0.0.1:80\r\rの起動に失敗しました。"));
    QCOMPARE(title, QStringLiteral("エラー"));
    QCOMPARE(text, QStringLiteral("http://127.0.0.1:80\n\nの起動に失敗しました。"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
    QVERIFY(sameButton);
    QVERIFY(!w->form->Closed());
  }
};

QTEST_MAIN(BrowserTest)
#include "ui_browser_test.moc"
