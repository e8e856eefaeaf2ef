#include "SplashWait.h"
#include "TestData.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

// Sees every splash window that is shown, wherever it is created.
struct SplashSpy : QObject {
    SplashSpy() { qApp->installEventFilter(this); }
    ~SplashSpy() override { qApp->removeEventFilter(this); }
    int shown = 0;
    QPointer<frmSplash> last;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmSplash *>(watched)) {
            last = static_cast<frmSplash *>(watched);
            ++shown;
        }
        return false;
    }
};

} // namespace

class TestSplash : public QObject
{
    Q_OBJECT

private slots:
    void windowAsDesigned();
    void aKeyOrOnlyAClickOnTheMarginCloses();
    void firstLoad_data();
    void firstLoad();
    void splashClosesOnTimeUnderAModalDialog();
};

void TestSplash::windowAsDesigned()
{
    frmSplash splash;
    QCOMPARE(splash.size(), twips::size(7380, 4665));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    // An empty text: the credit line, free but not empty; the pixel size is
    // the point size at 96 dots per inch.
    const struct { QLabel *label; QString text; int pixels; } labels[] = {
        {splash.Label4, QStringLiteral("Fondalis"), 48},
        {splash.lblCompanyProduct, QStringLiteral("Simulatore di campionamento di macrozoobenthos di fondo mobile "), 21},
        {splash.lblVersion, QStringLiteral("Versione 1.1"), 13},
        {splash.lblPlatform, QStringLiteral("Windows 9x/Me/NT/2000/XP"), 13},
        {splash.lblCopyright, QString(), 13},
    };
    for (const auto &e : labels) {
        QVERIFY2(e.text.isEmpty() ? !e.label->text().trimmed().isEmpty() : e.label->text() == e.text,
                 qPrintable(e.label->text()));
        QVERIFY(e.label->font().bold());
        QCOMPARE(e.label->font().pixelSize(), e.pixels);
    }
}

void TestSplash::aKeyOrOnlyAClickOnTheMarginCloses()
{
    for (const QPoint margin : {QPoint(), QPoint(490, 309), QPoint(1, 1)}) {
        frmSplash splash;
        splash.showCentred();
        if (margin.isNull()) {
            QTest::keyClick(&splash, Qt::Key_F5);
        } else {
            QCOMPARE(splash.childAt(margin), nullptr);
            QTest::mouseClick(&splash, Qt::LeftButton, {}, margin);
        }
        QVERIFY(!splash.isVisible());
    }

    frmSplash splash;
    splash.showCentred();
    for (QWidget *target : std::initializer_list<QWidget *>{splash.Frame1, splash.imgLogo, splash.lblVersion}) {
        // On the frame: a spot just inside its edge, where no label lies.
        const QPoint local = target == splash.Frame1 ? QPoint(3, target->height() - 4) : target->rect().center();
        QCOMPARE(splash.childAt(target->mapTo(&splash, local)), target);
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
        QVERIFY(splash.isVisible());
        // A press on the content and a release on the margin is no click either.
        QTest::mousePress(target, Qt::LeftButton, {}, local);
        QTest::mouseRelease(&splash, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(splash.isVisible());
    }
}

void TestSplash::firstLoad_data()
{
    QTest::addColumn<bool>("closing");
    QTest::newRow("no input") << false;
    QTest::newRow("closing the main window ends the program") << true;
}

// The load handler shows the splash over the main window, shown already; a
// reset never shows it again. Only the program's end cuts the wait short:
// then it is made far longer than the test runner allows a test, so that a
// close that did not end it fails the test by the runner's time limit.
void TestSplash::firstLoad()
{
    QFETCH(bool, closing);
    QTemporaryDir dir;
    QVERIFY(testdata::writeMapSet(dir.path()));
    Velmara state;
    SplashSpy spy;
    VelmaraMain w(state, dir.path());
    w.setFatalReporter([](const QString &m) { QFAIL(qPrintable(m)); });
    w.setSplashDuration(closing ? std::chrono::milliseconds(std::chrono::hours(1)) : 400ms);
    bool splashUp = false, mainUp = false;
    QTimer::singleShot(60, this, [&] {
        splashUp = spy.last && spy.last->isVisible();
        mainUp = w.isVisible();
        if (closing)
            w.close();
    });
    QVERIFY(w.Form_Load() && splashUp && mainUp && state.SplashFatto);
    if (closing) {
        // Nothing is left open, so the program's start ends here.
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), top->metaObject()->className());
        return;
    }
    QVERIFY(!spy.last || !spy.last->isVisible());
    QTest::mouseClick(w.Resetta, Qt::LeftButton);
    QCOMPARE(spy.shown, 1);
    QVERIFY(w.isVisible());
}

void TestSplash::splashClosesOnTimeUnderAModalDialog()
{
    frmSplash splash;
    SplashWait wait(200ms);
    connect(&wait, &SplashWait::ended, &splash, &QWidget::close);
    splash.showCentred();
    QDialog dialog;
    bool endedWhileDialogUp = false;
    connect(&wait, &SplashWait::ended, this, [&] { endedWhileDialogUp = dialog.isVisible(); });
    QTimer::singleShot(20, this, [&] {
        QTimer::singleShot(700, &dialog, &QDialog::accept);
        dialog.exec();
    });
    QVERIFY(wait.exec());
    QVERIFY(endedWhileDialogUp && !splash.isVisible() && !dialog.isVisible());
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
