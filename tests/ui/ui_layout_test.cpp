// The window's frame, geometry, texts, fonts and colours as drawn.
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

#include "WindowFixture.h"
#include "ui/Logo.h"
#include "ui/Widgets.h"

using uitest::WindowFixture;

class LayoutTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<WindowFixture> w;

  QColor PixelOf(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

 private slots:
  void init() { w = std::make_unique<WindowFixture>("127.0.0.30"); }
  void cleanup() { w.reset(); }

  void frame() {
    QCOMPARE(w->window->windowTitle(),
             QStringLiteral("DU Rorez 9212  Ver.0.7．．．not use socket.dll"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("DU Rorez 9212"));
    QWidget* client = w->window->centralWidget();
    QCOMPARE(client->size(), QSize(448, 343));
    // Below the menu bar, and nothing else around it.
    QCOMPARE(client->y(), w->window->menuBar()->height());
    QCOMPARE(w->window->size(), QSize(448, 343 + w->window->menuBar()->height()));
    QCOMPARE(w->window->minimumSize(), w->window->maximumSize());
    QVERIFY(!(w->window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(PixelOf(client, QPoint(2, 60)), QColor(Qt::white));
  }

  void geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Edit1") << "Edit1" << QRect(104, 8, 105, 21);
    QTest::newRow("SpeedButton2") << "SpeedButton2" << QRect(216, 36, 87, 21);
    QTest::newRow("Panel4") << "Panel4" << QRect(312, 8, 129, 45);
    QTest::newRow("Image1 in Panel4") << "Image1" << QRect(4, 8, 121, 33);
    QTest::newRow("PageControl1") << "PageControl1" << QRect(4, 64, 441, 257);
    QTest::newRow("StatusBar1") << "StatusBar1" << QRect(0, 324, 448, 19);
    QTest::newRow("GroupBox1 on its page") << "GroupBox1" << QRect(4, 4, 425, 221);
    QTest::newRow("output frame 3") << "PB3" << QRect(84, 64, 21, 21);
    QTest::newRow("output indicator 3") << "PF3" << QRect(1, 1, 19, 19);
    QTest::newRow("input frame 5") << "Panel1" << QRect(132, 40, 21, 21);
    QTest::newRow("link frame") << "Panel2" << QRect(8, 52, 21, 21);
    QTest::newRow("RefUD at Memo2's right edge") << "RefUD" << QRect(377, 40, 16, 21);
    QTest::newRow("Memo1") << "Memo1" << QRect(8, 96, 409, 117);
    QTest::newRow("GroupBox3") << "GroupBox3" << QRect(28, 92, 377, 85);
    QTest::newRow("S_CBx_6") << "S_CBx_6" << QRect(132, 32, 53, 21);
    QTest::newRow("E_ChB_8") << "E_ChB_8" << QRect(336, 58, 21, 17);
    QTest::newRow("ExitUD") << "ExitUD" << QRect(185, 16, 16, 21);
  }
  void geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    const controls::Control* control = w->Find(name.toStdString());
    QVERIFY(control != nullptr);
    QWidget* widget = w->Widget(*control);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), rect);
    // Placed in its parent control's widget, so positions are relative to that.
    QCOMPARE(widget->parentWidget(), w->Widget(*control->Parent()));
  }

  void textsAndHints() {
    auto& f = *w->form;
    QCOMPARE(w->As<QLineEdit>(f.Edit1)->text(), QStringLiteral("127.0.0.30"));
    QCOMPARE(w->As<QLineEdit>(f.Memo2)->text(), QStringLiteral("10"));
    QCOMPARE(w->As<QLineEdit>(f.Memo2)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(w->As<QToolButton>(f.SpeedButton1)->text(), QStringLiteral("Transmit"));
    QCOMPARE(w->As<QGroupBox>(f.GroupBox1)->title(),
             QStringLiteral(" IP Power Internet Power Controller "));
    QCOMPARE(w->Widget(f.PB3)->toolTip(), QStringLiteral("クリックすると状態を反転します"));
    QCOMPARE(w->Widget(f.RefUD)->toolTip(), w->Widget(f.Memo2)->toolTip());
    QCOMPARE(static_cast<ui::StatusBarWidget*>(w->Widget(f.StatusBar1))->Text(),
             QString::fromUtf8(app::kNoticeText));
    auto* tabs = w->As<QTabWidget>(f.PageControl1);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Operation"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Option"));
    QCOMPARE(tabs->currentIndex(), 0);
    // The page area of the design's page control: inset 4, below 22-pixel tabs.
    QWidget* page = w->Widget(f.TabSheet1);
    QCOMPARE(QRect(page->mapTo(tabs, QPoint(0, 0)), page->size()), QRect(4, 24, 433, 229));
    auto* memo = w->As<QPlainTextEdit>(f.Memo1);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->document()->blockCount(), 8);
    QCOMPARE(memo->document()->findBlockByNumber(2).text(),
             QStringLiteral(" Resistance：5～8ch -> ON：0～200Ω OFF：500Ω～∞"));
    QCOMPARE(memo->focusPolicy() & Qt::TabFocus, 0);
    QCOMPARE(w->Widget(f.SpeedButton5)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w->Widget(f.Image1)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(QApplication::focusWidget(), w->Widget(f.Edit1));
  }

  void menu() {
    const QList<QAction*> headings = w->window->menuBar()->actions();
    QCOMPARE(headings.size(), 3);
    QCOMPARE(headings[0]->text(), QStringLiteral("File(&F)"));
    QCOMPARE(headings[1]->text(), QStringLiteral("Option(&O)"));
    QCOMPARE(headings[2]->text(), QStringLiteral("HP(&H)"));
    QCOMPARE(headings[0]->menu()->actions().value(0), w->Action(w->form->CloseX1));
    QAction* onOff = w->Action(w->form->M_OnOff);
    QCOMPARE(onOff->text(), QStringLiteral("Use ON/OFF Setting"));
    QVERIFY(onOff->isCheckable());
    QVERIFY(!onOff->isChecked());
    QCOMPARE(headings[2]->menu()->actions().size(), 2);
  }

  void fonts() {
    const QFont windowFont = w->window->font();
    QCOMPARE(windowFont.pixelSize(), 13);
    QCOMPARE(windowFont.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(QFontInfo(w->Widget(w->form->Label1)->font()).family(), QStringLiteral("IPAPGothic"));
    const QFont memoFont = w->Widget(w->form->Memo1)->font();
    QCOMPARE(memoFont.pixelSize(), 13);
    QCOMPARE(QFontInfo(memoFont).family(), QStringLiteral("IPAGothic"));
  }

  void indicatorsShowTheirColoursOverTheirFrames() {
    auto& f = *w->form;
    QVERIFY(!w->Widget(f.PF3)->isVisible());
    f.PF3.SetVisible(true);
    f.SF2.SetVisible(true);
    f.PPW.SetVisible(true);
    QVERIFY(w->Widget(f.PF3)->isVisible());
    QCOMPARE(PixelOf(w->Widget(f.PB3), QPoint(10, 10)), QColor(0, 255, 0));
    QCOMPARE(PixelOf(w->Widget(f.Panel11), QPoint(10, 10)), QColor(255, 255, 0));
    QCOMPARE(PixelOf(w->Widget(f.Panel2), QPoint(10, 10)), QColor(255, 0, 0));
    QCOMPARE(PixelOf(w->Widget(f.PB4), QPoint(10, 10)), QColor(0xF0, 0xF0, 0xF0));
    f.PF3.SetVisible(false);
    QVERIFY(!w->Widget(f.PF3)->isVisible());
  }

  void logo() {
    const QImage& logo = ui::LogoImage();
    QCOMPARE(logo.size(), QSize(158, 42));
    QVERIFY(!logo.allGray());
    // Panel4 is white around the stretched picture.
    QCOMPARE(PixelOf(w->Widget(w->form->Panel4), QPoint(3, 4)), QColor(Qt::white));
    std::string error;
    const unsigned char junk[] = {0xFF, 0xD8, 0x00, 0x01};
    QVERIFY(ui::DecodeJpeg(junk, sizeof junk, &error).isNull());
    QVERIFY(!error.empty());
  }
};

QTEST_MAIN(LayoutTest)
#include "ui_layout_test.moc"
