#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"
#include "frmSplash.h"

#include <QApplication>
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
    void windowAndWhatClosesIt();
    void firstLoad_data();
    void firstLoad();
};

void TestSplash::windowAndWhatClosesIt()
{
    frmSplash splash;
    splash.showCentred();
    // Every text bold; an empty one here: the credit line, free but not empty.
    const std::pair<QLabel *, QString> labels[] = {
        {splash.Label4, QStringLiteral("Fondalis")},
        {splash.lblCompanyProduct, QStringLiteral("Simulatore di campionamento di macrozoobenthos di fondo mobile ")},
        {splash.lblVersion, QStringLiteral("Versione 1.1")},
        {splash.lblPlatform, QStringLiteral("Windows 9x/Me/NT/2000/XP")},
        {splash.lblCopyright, QString()},
    };
    for (const auto &[label, text] : labels) {
        QVERIFY2(text.isEmpty() ? !label->text().trimmed().isEmpty() : label->text() == text, qPrintable(label->text()));
        QVERIFY(label->font().bold());
    }

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
    // Only a key or a click on the margin closes it.
    for (const QPoint margin : {QPoint(), QPoint(490, 309), QPoint(1, 1)}) {
        frmSplash other;
        other.showCentred();
        if (margin.isNull()) {
            QTest::keyClick(&other, Qt::Key_F5);
        } else {
            QCOMPARE(other.childAt(margin), nullptr);
            QTest::mouseClick(&other, Qt::LeftButton, {}, margin);
        }
        QVERIFY(!other.isVisible());
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

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
