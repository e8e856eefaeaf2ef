// The built program under a real window manager (openbox, in the X server
// the test runs in), and again with none (FONDALIS_TEST_WM=none: a bare X
// server, where a window has no frame), used as a new user would: the map on screen as drawn,
// what only a window manager shows, frames, focus and close requests, the X
// clipboard, and that a whole session leaves no file behind except those the
// user saved.
#include "FolderContents.h"
#include "X11Tools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

const QString kMainTitle = QStringLiteral("^Fondalis - Simulatore");
const QString kDatiTitle = QStringLiteral("^Tabella dati$");

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void aKeyClosesTheSplashScreen();
    void mainWindowIsCentredWithItsFrame();
    void theMapIsShownMarkedAndCopiedAsDrawn();
    void dataWindowIsLaidOutForItsFrame();
    void dialogsComeUpInFrontWithTheKeyboard();
    void closingByTheFrameEndsTheProgram();
    void nothingIsWrittenButTheChosenFiles();

private:
    QPoint mapPoint(QPoint p) const { return p + QPoint(10, 10); }
    void click(const QString &window, QPoint p);
    // Out of the way of the buttons' hover look.
    void pointerAway();
    void clickMainButton(int topTwips) { click(mainId_, QPoint(536 + 36, topTwips / 15 + 12)); }
    // A station placed in deep, open sea, away from the ones placed before;
    // null if no marker showed.
    QPoint placeStation();
    // Opens the data window once the window manager has framed it.
    QString openDati();
    // Waits for a window that must come up active and above the given one.
    QString waitForDialogOver(const QString &title, const QString &owner);
    // Saves under the name through the dialog that must come up over owner.
    bool saveThroughDialogOver(const QString &owner, const QString &name);

    QTemporaryDir wmHome_, home_, config_, work_;
    QProcess openbox_, program_;
    QElapsedTimer sinceStart_;
    const bool wm_ = qEnvironmentVariable("FONDALIS_TEST_WM") != QLatin1String("none");
    QString mainId_;
    QImage base_, bati_;
    QList<QPoint> used_;
};

void TestDesktop::initTestCase()
{
    const QString path = qEnvironmentVariable("FONDALIS_PROGRAM");
    QVERIFY2(QFileInfo::exists(path), "FONDALIS_PROGRAM must name the built program");
    const QDir folder = QFileInfo(path).dir();
    base_ = QImage(folder.filePath(QStringLiteral("base.bmp"))).convertToFormat(QImage::Format_RGB32);
    bati_ = QImage(folder.filePath(QStringLiteral("bati.bmp"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(base_.size(), QSize(512, 512));

    // openbox with a home of its own, so that its files stay out of others'.
    if (wm_)
        QVERIFY2(x11::startOpenbox(openbox_, wmHome_.path()), "openbox did not start");

    // A new user: empty home and configuration folders; the save dialog
    // starts in the working folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home_.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    program_.setProcessEnvironment(environment);
    program_.setWorkingDirectory(work_.path());
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    sinceStart_.start();
    program_.start(path, {});
    QVERIFY(program_.waitForStarted());
    mainId_ = x11::waitForWindow(kMainTitle, 20000);
    QVERIFY2(!mainId_.isEmpty(), "the main window did not appear");
}

void TestDesktop::cleanup()
{
    // The screen as a PNG beside the test's log.
    const QString name = QStringLiteral("tst_desktop%1-%2.png")
                             .arg(wm_ ? QString() : QStringLiteral("_nowm"), QLatin1String(QTest::currentTestFunction()));
    const QString path = QDir::current().absoluteFilePath(name);
    if (QTest::currentTestFailed() && QGuiApplication::primaryScreen()->grabWindow(0).save(path))
        qInfo("Screen saved to %s", qPrintable(path));
}

void TestDesktop::cleanupTestCase()
{
    for (QProcess *process : {&program_, &openbox_}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

void TestDesktop::click(const QString &window, QPoint p)
{
    x11::xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(p.x()),
                  QString::number(p.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void TestDesktop::pointerAway()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    x11::xdotool({QStringLiteral("mousemove"), QString::number(screen.right()), QString::number(screen.bottom())});
    QTest::qWait(500);
}

QPoint TestDesktop::placeStation()
{
    QPoint p;
    for (int y = 150; y < 412 && p.isNull(); y += 7)
        for (int x = 150; x < 400 && p.isNull(); x += 7) {
            const bool fresh = std::none_of(used_.cbegin(), used_.cend(), [x, y](QPoint u) {
                return (u - QPoint(x, y)).manhattanLength() < 40;
            });
            if (fresh && qRed(bati_.pixel(x, y)) >= 100)
                p = QPoint(x, y);
        }
    used_ << p;
    click(mainId_, mapPoint(p));
    const auto shown = [&] { return x11::grab(QRect(x11::clientRect(mainId_).topLeft() + mapPoint(p), QSize(1, 1))).pixel(0, 0); };
    return QTest::qWaitFor([&] { return shown() == qRgb(255, 0, 0); }) ? p : QPoint();
}

QString TestDesktop::openDati()
{
    clickMainButton(5400); // "Mostra dati"
    const QString dati = x11::waitForWindow(kDatiTitle);
    return QTest::qWaitFor([&] { return !dati.isEmpty() && (!wm_ || !x11::frameExtents(dati).isNull()); }) ? dati : QString();
}

QString TestDesktop::waitForDialogOver(const QString &title, const QString &owner)
{
    const QString dialog = x11::waitForWindow(title);
    const bool inFront = QTest::qWaitFor([&] {
        const QStringList stack = x11::stackingOrder();
        return !dialog.isEmpty() && x11::activeWindow() == dialog && stack.indexOf(dialog) > stack.indexOf(owner)
            && stack.contains(owner);
    }, 5000);
    return inFront ? dialog : QString();
}

bool TestDesktop::saveThroughDialogOver(const QString &owner, const QString &name)
{
    if (waitForDialogOver(QStringLiteral("^Salva con nome$"), owner).isEmpty())
        return false;
    x11::xdotool({QStringLiteral("type"), name});
    x11::xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    return QTest::qWaitFor([&] { return QFileInfo(QDir(work_.path()).filePath(name)).size() > 0; });
}

void TestDesktop::aKeyClosesTheSplashScreen()
{
    if (!wm_) {
        QTest::qWait(int(qMax<qint64>(0, 4800 - sinceStart_.elapsed())));
        QSKIP("with no window manager nothing gives the splash screen the keyboard");
    }
    // The splash screen comes up with the keyboard.
    QString splash;
    QElapsedTimer timer;
    timer.start();
    const bool found = QTest::qWaitFor([&splash] {
        splash = x11::activeWindow();
        const QStringList args{QStringLiteral("-id"), splash, QStringLiteral("_NET_WM_WINDOW_TYPE")};
        return !splash.isEmpty() && x11::xprop(args).contains("_NET_WM_WINDOW_TYPE_SPLASH");
    }, 3000);
    QVERIFY2(found, "no splash screen with the keyboard");
    // It covers the map until it goes, and the program goes on once its
    // wait is over.
    const auto waitUntilGone = [&] {
        while (x11::isViewable(splash) && timer.elapsed() < 10000)
            QTest::qWait(50);
        QTest::qWait(int(qMax<qint64>(500, 4500 - sinceStart_.elapsed())));
    };
    // Its own wait of four seconds begins after the program has started:
    // gone before that, it went by the key.
    if (sinceStart_.elapsed() > 3000) {
        waitUntilGone();
        QSKIP("the program took too long to start to tell the key from the splash screen's own end");
    }
    x11::xdotool({QStringLiteral("key"), QStringLiteral("space")});
    while (x11::isViewable(splash) && sinceStart_.elapsed() < 4000)
        QTest::qWait(20);
    const bool closedByTheKey = !x11::isViewable(splash);
    waitUntilGone();
    QVERIFY2(closedByTheKey, "the key did not close the splash screen");
}

void TestDesktop::mainWindowIsCentredWithItsFrame()
{
    QTRY_VERIFY_WITH_TIMEOUT(x11::centredWithFrame(mainId_), 3000);
    QCOMPARE(x11::frameExtents(mainId_).top() > 0, wm_);
}

void TestDesktop::theMapIsShownMarkedAndCopiedAsDrawn()
{
    // Once the splash screen is gone the map is base.bmp pixel for pixel.
    const auto grabMap = [&] { return x11::grab(QRect(x11::clientRect(mainId_).topLeft() + mapPoint({}), QSize(512, 512))); };
    pointerAway();
    QCOMPARE(grabMap(), base_);
    // A click marks the station with a red square of 5 x 5 pixels, no more.
    const QPoint station = placeStation();
    QVERIFY(!station.isNull());
    const QImage shown = grabMap();
    QImage marker(5, 5, QImage::Format_RGB32);
    marker.fill(qRgb(255, 0, 0));
    QCOMPARE(shown.copy(QRect(station - QPoint(2, 2), QSize(5, 5))), marker);
    QCOMPARE(shown.pixel(station + QPoint(3, 0)), base_.pixel(station + QPoint(3, 0)));

    clickMainButton(4200); // "Copia mappa": the map as shown, on the X clipboard
    const auto copied = [] {
        const QStringList args{QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                               QStringLiteral("image/png"), QStringLiteral("-o")};
        return QImage::fromData(x11::run("XCLIP", "xclip", args)).convertToFormat(QImage::Format_RGB32);
    };
    QTRY_COMPARE_WITH_TIMEOUT(copied().size(), QSize(512, 512), 5000);
    QCOMPARE(copied(), shown);
}

void TestDesktop::dataWindowIsLaidOutForItsFrame()
{
    const QString dati = openDati(); // with the station placed above
    QVERIFY(!dati.isEmpty());
    pointerAway();
    // The text cursor may blink in the box's first line; the box's corner
    // never moves under the rule.
    const auto shown = [&dati] {
        QImage image = x11::grab(x11::clientRect(dati));
        for (int y = 8; y < 40; ++y)
            for (int x = 8; x < 40; ++x)
                image.setPixel(x, y, qRgb(0, 0, 0));
        return image;
    };
    const QImage first = shown();
    for (const QSize s : {first.size() + QSize(40, 30), first.size()}) {
        x11::xdotool({QStringLiteral("windowsize"), dati, QString::number(s.width()), QString::number(s.height())});
        QTRY_COMPARE(x11::clientRect(dati).size(), s);
    }
    QTest::qWait(500);
    QVERIFY2(first == shown(), "the first layout differs from the layout for the same outer size after a resize");
}

void TestDesktop::dialogsComeUpInFrontWithTheKeyboard()
{
    if (!wm_)
        QSKIP("with no window manager nothing stacks the windows or gives them the keyboard");
    clickMainButton(3000); // "?": the help box
    QVERIFY2(!waitForDialogOver(QStringLiteral("^Aiuto$"), mainId_).isEmpty(), "the help box is not in front with the keyboard");
    x11::xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_VERIFY(x11::windows(QStringLiteral("^Aiuto$")).isEmpty());

    // "Salva dati", then the data window's "Salva" in front of the data window.
    clickMainButton(6000);
    QVERIFY2(saveThroughDialogOver(mainId_, QStringLiteral("rilievo.txt")), "the save dialog is not in front with the keyboard");
    const QString dati = openDati();
    QVERIFY(!dati.isEmpty());
    const QMargins frame = x11::frameExtents(dati);
    const int outerHeight = x11::clientRect(dati).height() + frame.top() + frame.bottom();
    click(dati, QPoint(8 + 36, (outerHeight * 15 - 860) / 15 + 12));
    QVERIFY2(saveThroughDialogOver(dati, QStringLiteral("tabella.txt")),
             "the data window's save dialog is not in front with the keyboard");
}

void TestDesktop::closingByTheFrameEndsTheProgram()
{
    clickMainButton(6840); // "Resetta": the survey starts again on the bare map
    pointerAway();
    QTRY_COMPARE(x11::grab(QRect(x11::clientRect(mainId_).topLeft() + mapPoint({}), QSize(512, 512))), base_);
    const QPoint station = placeStation();
    QVERIFY(!station.isNull());
    QTest::qWait(800); // not a double click
    click(mainId_, mapPoint(station)); // its sieve
    QVERIFY(!x11::waitForWindow(QStringLiteral("^Stazione")).isEmpty());
    QVERIFY(!openDati().isEmpty());
    clickMainButton(3600); // "Mostra taxa"
    QVERIFY(!x11::waitForWindow(QStringLiteral("^Specie presenti")).isEmpty());

    // What the frame's close button sends: a close request, not a kill.
    // With no frame, "Esci".
    if (wm_)
        x11::run("WMCTRL", "wmctrl", {QStringLiteral("-c"), QStringLiteral("Fondalis - Simulatore")});
    else
        clickMainButton(7440);
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
    for (const QString &title : {kMainTitle, kDatiTitle, QStringLiteral("^Stazione"), QStringLiteral("^Specie presenti")})
        QVERIFY2(x11::windows(title).isEmpty(), qPrintable(title));
}

void TestDesktop::nothingIsWrittenButTheChosenFiles()
{
    QCOMPARE(program_.state(), QProcess::NotRunning);
    QCOMPARE(everythingIn(home_.path()), QStringList());
    QCOMPARE(everythingIn(config_.path()), QStringList());
    const QStringList saved{QStringLiteral("rilievo.txt"), QStringLiteral("tabella.txt")};
    QCOMPARE(everythingIn(work_.path()), wm_ ? saved : QStringList());
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
