#include "SplashWait.h"
#include "TestData.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;

namespace {

// Sees every splash window that is shown, wherever it is created.
class SplashSpy : public QObject
{
public:
    SplashSpy() { qApp->installEventFilter(this); }
    ~SplashSpy() override { qApp->removeEventFilter(this); }

    int shown = 0;
    QPointer<frmSplash> last;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *splash = qobject_cast<frmSplash *>(watched)) {
                ++shown;
                last = splash;
            }
        }
        return false;
    }
};

} // namespace

// The waits below are checked only from below: the monotonic clock cannot
// show less than a wait that really happened, however slow the machine.
class TestSplash : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsDesigned();
    void anyKeyCloses();
    void onlyAClickOnTheMarginCloses();

    void firstLoad_data();
    void firstLoad();
    void splashClosesOnTimeUnderAModalDialog();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> window_;

    VelmaraMain &makeWindow(std::chrono::milliseconds wait)
    {
        window_ = std::make_unique<VelmaraMain>(*state_, dir_->path());
        window_->setFatalReporter([](const QString &m) { QFAIL(qPrintable(m)); });
        window_->setSplashDuration(wait);
        return *window_;
    }
};

void TestSplash::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
    state_ = std::make_unique<Velmara>();
}

void TestSplash::cleanup()
{
    window_.reset();
    state_.reset();
    dir_.reset();
}

void TestSplash::windowAsDesigned()
{
    frmSplash splash;
    QCOMPARE(splash.size(), twips::size(7380, 4665));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);

    struct Expected {
        QLabel *label;
        QString text; // empty: the credit line, whose text is free but not empty
        QRect place;
        int pixels; // the point size at 96 dots per inch
    };
    const Expected labels[] = {
        {splash.Label4, QStringLiteral("Fondalis"), twips::rect(2520, 240, 4335, 855), 48},
        {splash.lblCompanyProduct, QStringLiteral("Simulatore di campionamento di macrozoobenthos di fondo mobile "),
         twips::rect(3600, 1440, 3300, 1440), 21},
        {splash.lblVersion, QStringLiteral("Versione 1.1"), twips::rect(5640, 3360, 1170, 240), 13},
        {splash.lblPlatform, QStringLiteral("Windows 9x/Me/NT/2000/XP"), twips::rect(3960, 3660, 2895, 240), 13},
        {splash.lblCopyright, QString(), twips::rect(3600, 3960, 3255, 255), 13},
    };
    for (const Expected &e : labels) {
        if (e.text.isEmpty())
            QVERIFY(!e.label->text().trimmed().isEmpty());
        else
            QCOMPARE(e.label->text(), e.text);
        QCOMPARE(e.label->geometry(), e.place);
        QVERIFY(e.label->font().bold());
        QCOMPARE(e.label->font().pixelSize(), e.pixels);
    }
    QCOMPARE(splash.imgLogo->geometry(), twips::rect(240, 240, 2790, 4035));
}

void TestSplash::anyKeyCloses()
{
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_F5}) {
        frmSplash splash;
        splash.showCentred();
        QVERIFY(splash.isVisible());
        QTest::keyClick(&splash, key);
        QVERIFY(!splash.isVisible());
    }
}

void TestSplash::onlyAClickOnTheMarginCloses()
{
    for (const QPoint margin : {QPoint(1, 1), QPoint(490, 309)}) {
        frmSplash splash;
        splash.showCentred();
        QCOMPARE(splash.childAt(margin), nullptr);
        QTest::mouseClick(&splash, Qt::LeftButton, {}, margin);
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
    QTest::addColumn<QString>("during");
    QTest::newRow("no input") << QString();
    QTest::newRow("a key closes it at once") << "key";
    QTest::newRow("closing the main window ends the program") << "close";
}

// The load handler shows the splash over the main window, shown already,
// and returns only when the time is over, whatever happens meanwhile; a
// reset never shows it again. Only the program's end cuts the wait short:
// then it is made far longer than the test runner allows a test, so that a
// close that did not end it fails the test by the runner's time limit.
void TestSplash::firstLoad()
{
    QFETCH(QString, during);
    const bool ending = during == QLatin1String("close");
    SplashSpy spy;
    VelmaraMain &w = makeWindow(ending ? std::chrono::milliseconds(std::chrono::hours(1)) : 400ms);
    bool splashUp = false;
    bool mainUp = false;
    bool splashUpAfterwards = false;
    QTimer::singleShot(60, this, [&] {
        splashUp = spy.last && spy.last->isVisible();
        mainUp = w.isVisible();
        if (during == QLatin1String("key") && spy.last) {
            QTest::keyClick(spy.last.data(), Qt::Key_Q);
        } else if (during == QLatin1String("close")) {
            w.close();
        }
        splashUpAfterwards = spy.last && spy.last->isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.Form_Load());
    QVERIFY(splashUp);
    QVERIFY(mainUp);
    QVERIFY(state_->SplashFatto);
    if (ending) {
        // Nothing is left open, so the program's start ends here.
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), top->metaObject()->className());
        return;
    }
    QVERIFY(clock.elapsed() >= 400);
    QCOMPARE(splashUpAfterwards, during != QLatin1String("key"));
    QVERIFY(!spy.last || !spy.last->isVisible());

    w.Resetta_Click();
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
    QVERIFY(endedWhileDialogUp);
    QVERIFY(!splash.isVisible());
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
