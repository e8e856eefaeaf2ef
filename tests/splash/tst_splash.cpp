#include "SplashLogo.h"
#include "SplashWait.h"
#include "TestData.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"
#include "frmSplash.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
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

// A word-wrapped text laid out at the label's width: the widest line's
// advance and the top and bottom of the ink, in the label's coordinates.
// The line height alone would count the empty leading below the last line.
QRectF inkOf(const QLabel *label)
{
    const QFontMetricsF metrics(label->font());
    QTextLayout layout(label->text(), label->font());
    QTextOption option(label->alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QRectF ink;
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->width());
        line.setPosition(QPointF(0, y));
        y += line.height();
        const QString part = label->text().mid(line.textStart(), line.textLength()).trimmed();
        const QRectF glyphs = metrics.tightBoundingRect(part);
        ink |= QRectF(0, line.y() + line.ascent() + glyphs.top(), metrics.horizontalAdvance(part), glyphs.height());
    }
    layout.endLayout();
    return ink;
}

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
    void logoIsAGreyPicture();
    void anyKeyCloses();
    void onlyAClickOnTheMarginCloses();

    void firstLoad_data();
    void firstLoad();
    void waitSleepsInsteadOfSpinning();
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
    QCOMPARE(splash.minimumSize(), splash.maximumSize());
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.windowTitle(), QString());
    QCOMPARE(splash.Frame1->title(), QString());
    QCOMPARE(splash.Frame1->geometry(), twips::rect(160, 80, 7080, 4410));

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
        QCOMPARE(e.label->parentWidget(), splash.Frame1);
        if (e.text.isEmpty())
            QVERIFY(!e.label->text().trimmed().isEmpty());
        else
            QCOMPARE(e.label->text(), e.text);
        QCOMPARE(e.label->geometry(), e.place);
        QVERIFY(e.label->font().bold());
        QCOMPARE(e.label->font().pixelSize(), e.pixels);
        const QString family = QFontInfo(e.label->font()).family();
        QVERIFY2(family == QLatin1String("Arial") || family == QLatin1String("Liberation Sans"), qPrintable(family));
        // Every text fits its box, which lies inside the frame, clear of its edge.
        const QRectF ink = inkOf(e.label);
        QVERIFY2(ink.top() >= 0 && ink.bottom() <= e.place.height() && ink.width() <= e.place.width(),
                 qPrintable(QStringLiteral("%1: ink %2 wide from %3 to %4").arg(e.label->text()).arg(ink.width())
                                .arg(ink.top()).arg(ink.bottom())));
        QVERIFY(splash.Frame1->rect().adjusted(2, 2, -2, -2).contains(e.place));
    }

    QCOMPARE(splash.imgLogo->parentWidget(), splash.Frame1);
    QCOMPARE(splash.imgLogo->geometry(), twips::rect(240, 240, 2790, 4035));
    QCOMPARE(splash.imgLogo->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             splashlogo::draw().convertToFormat(QImage::Format_RGB32));
}

// A greyscale picture of our own, the same on every call.
void TestSplash::logoIsAGreyPicture()
{
    const QImage logo = splashlogo::draw();
    QCOMPARE(logo.size(), QSize(186, 269));
    QCOMPARE(logo.format(), QImage::Format_Grayscale8);
    QCOMPARE(splashlogo::draw(), logo);
    // A picture, not a flat tone.
    QSet<uchar> levels;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            levels.insert(logo.constScanLine(y)[x]);
    QVERIFY(levels.size() >= 32);
}

void TestSplash::anyKeyCloses()
{
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return, Qt::Key_F5}) {
        frmSplash splash;
        splash.showCentred();
        QVERIFY(splash.isVisible());
        QTest::keyClick(&splash, key);
        QVERIFY2(!splash.isVisible(), qPrintable(QKeySequence(key).toString()));
    }
}

void TestSplash::onlyAClickOnTheMarginCloses()
{
    for (const QPoint margin : {QPoint(1, 1), QPoint(4, 150), QPoint(490, 309), QPoint(250, 2)}) {
        frmSplash splash;
        splash.showCentred();
        QCOMPARE(splash.childAt(margin), nullptr);
        QTest::mouseClick(&splash, Qt::LeftButton, {}, margin);
        QVERIFY(!splash.isVisible());
    }

    frmSplash splash;
    splash.showCentred();
    for (QWidget *target : std::initializer_list<QWidget *>{splash.Frame1, splash.imgLogo, splash.Label4,
                                                            splash.lblCompanyProduct, splash.lblVersion,
                                                            splash.lblCopyright}) {
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
    QTest::newRow("the main window works meanwhile") << "Resetta";
    QTest::newRow("Esci ends the program") << "Esci";
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
    const bool ending = during == QLatin1String("Esci") || during == QLatin1String("close");
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
        } else if (during == QLatin1String("Resetta")) {
            // A survey under way, then a new one from the button.
            w.map().NumStazioni = 2;
            w.MostraDati->setEnabled(true);
            QTest::mouseClick(w.Resetta, Qt::LeftButton);
        } else if (during == QLatin1String("Esci")) {
            QTest::mouseClick(w.Esci, Qt::LeftButton);
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
    QCOMPARE(w.map().NumStazioni, 0);
    QVERIFY(!w.MostraDati->isEnabled());

    w.Resetta_Click();
    QTest::mouseClick(w.Resetta, Qt::LeftButton);
    QCOMPARE(spy.shown, 1);
    QVERIFY(w.isVisible());
}

void TestSplash::waitSleepsInsteadOfSpinning()
{
    // A loop that spins on processEvents never lets the thread sleep; a real
    // event loop blocks until its timer or an event wakes it.
    int blocked = 0;
    QObject guard;
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &guard,
            [&] { ++blocked; });
    SplashWait wait(300ms);
    QVERIFY(wait.exec());
    QVERIFY(blocked > 0);
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
