// The Qt platform: the queued quit and how message texts are shown.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ui/QtPlatform.h"

class PlatformTest : public QObject {
  Q_OBJECT
 private slots:
  void quitIsQueuedAndEndsTheLoop() {
    ui::QtPlatform platform;
    bool restOfEventRan = false;
    QTimer::singleShot(0, [&] {
      platform.Quit();
      // Queued: the event that asked for the quit runs to its end first.
      restOfEventRan = true;
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(restOfEventRan);
  }

  void carriageReturnsEndLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two CRs") << QByteArray("a\r\rb") << QStringLiteral("a\n\nb");
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("no CR") << QByteArray("Error...SetData.") << QStringLiteral("Error...SetData.");
  }
  void carriageReturnsEndLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(ui::MessageDisplayText(bytes.toStdString()), shown);
  }

  void boxShowsMarkupAsText() {
    ui::QtPlatform platform;
    Qt::TextFormat format = Qt::AutoText;
    QString caption;
    QPoint centre;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll.stop();
      format = box->textFormat();
      caption = box->windowTitle();
      centre = box->geometry().center();
      QTest::keyClick(box, Qt::Key_Return);  // OK is the default button
    });
    poll.start(10);
    platform.ShowMessage("DU Rorez 9212", app::MessageIcon::Stop, "<b>http://x</b>");
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(caption, QStringLiteral("DU Rorez 9212"));
    // Centred on the screen.
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2 on %3,%4")
                            .arg(centre.x())
                            .arg(centre.y())
                            .arg(screenCentre.x())
                            .arg(screenCentre.y())));
  }
};

QTEST_MAIN(PlatformTest)
#include "ui_platform_test.moc"
