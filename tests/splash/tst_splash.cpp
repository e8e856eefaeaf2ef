#include "SplashLogo.h"
#include "SplashWait.h"
#include "TestData.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTest>
#include <QTimer>

#include <ctime>
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

class TestSplash : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsDesigned();
    void everyTextFitsItsBox();
    void logoIsGreyAndDrawnHere();
    void anyKeyCloses_data();
    void anyKeyCloses();
    void clickOnTheMarginCloses_data();
    void clickOnTheMarginCloses();
    void clickOnTheContentDoesNothing_data();
    void clickOnTheContentDoesNothing();

    void firstLoadWaitsThenCloses();
    void keyClosesEarlyButLoadStillWaits();
    void shownOncePerRun();
    void mainWindowWorksDuringTheWait();
    void closingTheProgramEndsTheWait_data();
    void closingTheProgramEndsTheWait();
    void waitDoesNotBurnTheProcessor();
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
        QString text;
        QRect place;
        int pixels; // the point size at 96 dots per inch
    };
    const Expected labels[] = {
        {splash.Label4, QStringLiteral("Fondalis"), twips::rect(2520, 240, 4335, 855), 48},
        {splash.lblCompanyProduct, QStringLiteral("Simulatore di campionamento di macrozoobenthos di fondo mobile "),
         twips::rect(3600, 1440, 3300, 1440), 21},
        {splash.lblVersion, QStringLiteral("Versione 1.1"), twips::rect(5640, 3360, 1170, 240), 13},
        {splash.lblPlatform, QStringLiteral("Windows 9x/Me/NT/2000/XP"), twips::rect(3960, 3660, 2895, 240), 13},
        {splash.lblCopyright, splash.lblCopyright->text(), twips::rect(3600, 3960, 3255, 255), 13},
    };
    for (const Expected &e : labels) {
        QCOMPARE(e.label->parentWidget(), splash.Frame1);
        QCOMPARE(e.label->text(), e.text);
        QCOMPARE(e.label->geometry(), e.place);
        QVERIFY(e.label->font().bold());
        QCOMPARE(e.label->font().pixelSize(), e.pixels);
        const QString family = QFontInfo(e.label->font()).family();
        QVERIFY2(family == QLatin1String("Arial") || family == QLatin1String("Liberation Sans"), qPrintable(family));
    }
    QVERIFY(!splash.lblCopyright->text().trimmed().isEmpty());

    QCOMPARE(splash.imgLogo->parentWidget(), splash.Frame1);
    QCOMPARE(splash.imgLogo->geometry(), twips::rect(240, 240, 2790, 4035));
    QCOMPARE(splash.imgLogo->pixmap().size(), QSize(186, 269));
    QCOMPARE(splash.imgLogo->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             splashlogo::draw().convertToFormat(QImage::Format_RGB32));
}

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

void TestSplash::everyTextFitsItsBox()
{
    frmSplash splash;
    for (QLabel *label : {splash.Label4, splash.lblCompanyProduct, splash.lblVersion, splash.lblPlatform,
                          splash.lblCopyright}) {
        const QRectF ink = inkOf(label);
        QVERIFY2(ink.top() >= 0 && ink.bottom() <= label->height() && ink.width() <= label->width(),
                 qPrintable(QStringLiteral("%1: %2 wide, ink from %3 to %4, in %5 x %6")
                                .arg(label->text())
                                .arg(ink.width())
                                .arg(ink.top())
                                .arg(ink.bottom())
                                .arg(label->width())
                                .arg(label->height())));
        // Inside the frame, clear of its edge.
        QVERIFY(splash.Frame1->rect().adjusted(2, 2, -2, -2).contains(label->geometry()));
    }
}

void TestSplash::logoIsGreyAndDrawnHere()
{
    const QImage logo = splashlogo::draw();
    QCOMPARE(logo.size(), QSize(186, 269));
    QCOMPARE(logo.format(), QImage::Format_Grayscale8);
    QCOMPARE(splashlogo::draw(), logo);

    const QImage rgb = logo.convertToFormat(QImage::Format_RGB32);
    QSet<int> levels;
    int dark = 0;
    int light = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            QCOMPARE(qRed(row[x]), qGreen(row[x]));
            QCOMPARE(qGreen(row[x]), qBlue(row[x]));
            levels.insert(qRed(row[x]));
            dark += qRed(row[x]) < 70;
            light += qRed(row[x]) > 200;
        }
    }
    // A picture, not a flat tone: many greys, real shapes in dark and light.
    QVERIFY(levels.size() >= 32);
    QVERIFY(dark > 500);
    QVERIFY(light > 5000);
}

void TestSplash::anyKeyCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("function key") << int(Qt::Key_F5);
}

void TestSplash::anyKeyCloses()
{
    QFETCH(int, key);
    frmSplash splash;
    splash.showCentred();
    QVERIFY(splash.isVisible());
    QTest::keyClick(&splash, Qt::Key(key));
    QVERIFY(!splash.isVisible());
}

void TestSplash::clickOnTheMarginCloses_data()
{
    QTest::addColumn<QPoint>("where");
    QTest::newRow("top left corner") << QPoint(1, 1);
    QTest::newRow("left margin") << QPoint(4, 150);
    QTest::newRow("bottom right corner") << QPoint(490, 309);
    QTest::newRow("top margin") << QPoint(250, 2);
}

void TestSplash::clickOnTheMarginCloses()
{
    QFETCH(QPoint, where);
    frmSplash splash;
    splash.showCentred();
    QCOMPARE(splash.childAt(where), nullptr);
    QTest::mouseClick(&splash, Qt::LeftButton, {}, where);
    QVERIFY(!splash.isVisible());
}

void TestSplash::clickOnTheContentDoesNothing_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("frame") << "Frame1";
    QTest::newRow("logo") << "imgLogo";
    QTest::newRow("name") << "Label4";
    QTest::newRow("description") << "lblCompanyProduct";
    QTest::newRow("version") << "lblVersion";
    QTest::newRow("credit") << "lblCopyright";
}

void TestSplash::clickOnTheContentDoesNothing()
{
    QFETCH(QString, what);
    frmSplash splash;
    splash.showCentred();
    QWidget *target = what == QLatin1String("Frame1") ? static_cast<QWidget *>(splash.Frame1)
        : what == QLatin1String("imgLogo")            ? splash.imgLogo
        : what == QLatin1String("Label4")             ? splash.Label4
        : what == QLatin1String("lblCompanyProduct")  ? splash.lblCompanyProduct
        : what == QLatin1String("lblVersion")         ? splash.lblVersion
                                                      : splash.lblCopyright;
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

void TestSplash::firstLoadWaitsThenCloses()
{
    SplashSpy spy;
    VelmaraMain &w = makeWindow(300ms);
    bool splashUp = false;
    bool mainUp = false;
    QTimer::singleShot(60, this, [&] {
        splashUp = spy.last && spy.last->isVisible();
        mainUp = w.isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.Form_Load());
    QVERIFY(clock.elapsed() >= 300);
    QVERIFY(splashUp);
    QVERIFY(mainUp);
    QCOMPARE(spy.shown, 1);
    QVERIFY(!spy.last || !spy.last->isVisible());
    QVERIFY(state_->SplashFatto);
    QVERIFY(w.isVisible());
}

void TestSplash::keyClosesEarlyButLoadStillWaits()
{
    SplashSpy spy;
    VelmaraMain &w = makeWindow(500ms);
    bool closedAtOnce = false;
    bool loadReturned = false;
    QTimer::singleShot(50, this, [&] {
        QVERIFY(spy.last);
        QTest::keyClick(spy.last.data(), Qt::Key_Q);
        closedAtOnce = !spy.last || !spy.last->isVisible();
    });
    // Well before the time is up, the handler is still waiting.
    bool stillWaiting = false;
    QTimer::singleShot(150, this, [&] { stillWaiting = !loadReturned; });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.Form_Load());
    loadReturned = true;
    QVERIFY(closedAtOnce);
    QVERIFY(stillWaiting);
    QVERIFY(clock.elapsed() >= 500);
    QVERIFY(state_->SplashFatto);
}

void TestSplash::shownOncePerRun()
{
    SplashSpy spy;
    VelmaraMain &w = makeWindow(100ms);
    QVERIFY(w.Form_Load());
    QCOMPARE(spy.shown, 1);
    w.Resetta_Click();
    QCOMPARE(spy.shown, 1);
    QVERIFY(w.Form_Load());
    QTest::mouseClick(w.Resetta, Qt::LeftButton);
    QCOMPARE(spy.shown, 1);
    QVERIFY(state_->SplashFatto);
}

void TestSplash::mainWindowWorksDuringTheWait()
{
    SplashSpy spy;
    VelmaraMain &w = makeWindow(400ms);
    bool splashStillUp = false;
    QTimer::singleShot(80, this, [&] {
        // A survey under way, then a new one from the button.
        w.map().NumStazioni = 2;
        w.MostraDati->setEnabled(true);
        QTest::mouseClick(w.Resetta, Qt::LeftButton);
        splashStillUp = spy.last && spy.last->isVisible();
    });
    QVERIFY(w.Form_Load());
    QCOMPARE(w.map().NumStazioni, 0);
    QVERIFY(!w.MostraDati->isEnabled());
    QVERIFY(splashStillUp);
    QCOMPARE(spy.shown, 1);
    QVERIFY(w.isVisible());
}

void TestSplash::closingTheProgramEndsTheWait_data()
{
    QTest::addColumn<bool>("byEsci");
    QTest::newRow("Esci") << true;
    QTest::newRow("window closed") << false;
}

void TestSplash::closingTheProgramEndsTheWait()
{
    QFETCH(bool, byEsci);
    SplashSpy spy;
    // Long enough that only the close can end the wait within the test.
    VelmaraMain &w = makeWindow(60s);
    QTimer::singleShot(80, this, [&] {
        if (byEsci)
            QTest::mouseClick(w.Esci, Qt::LeftButton);
        else
            w.close();
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.Form_Load());
    QVERIFY(clock.elapsed() < 30000);
    // Nothing is left open, so the program's start ends here.
    QVERIFY(!w.isVisible());
    QVERIFY(!spy.last || !spy.last->isVisible());
    QVERIFY(state_->SplashFatto);
    const auto visible = [] {
        int n = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            n += top->isVisible();
        return n;
    };
    QCOMPARE(visible(), 0);
}

void TestSplash::waitDoesNotBurnTheProcessor()
{
    SplashWait wait(700ms);
    const std::clock_t before = std::clock();
    QVERIFY(wait.exec());
    const double cpuMs = 1000.0 * double(std::clock() - before) / CLOCKS_PER_SEC;
    // A spinning loop would use the whole wait; an idle one almost nothing.
    QVERIFY2(cpuMs < 350, qPrintable(QString::number(cpuMs)));
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
