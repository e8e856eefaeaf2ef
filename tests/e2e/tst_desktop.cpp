// The built program under a real window manager (openbox, in the X server
// the test runs in), used as a new user would: what only a window manager
// shows, frames, focus and close requests, and that a whole session leaves
// no file behind except those the user saved.
#include "X11Tools.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

const QString kMainTitle = QStringLiteral("^Fondalis - Simulatore");
const QString kDatiTitle = QStringLiteral("^Tabella dati$");
const QString kSaveTitle = QStringLiteral("^Salva con nome$");

// Every file and folder below a folder, as paths relative to it.
QStringList everythingIn(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

QImage grab(const QRect &r)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

bool isAbove(const QString &upper, const QString &lower)
{
    const QStringList stack = x11::stackingOrder();
    return stack.contains(upper) && stack.contains(lower) && stack.indexOf(upper) > stack.indexOf(lower);
}

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
    void dataWindowIsLaidOutForItsFrame();
    void dialogsComeUpInFrontWithTheKeyboard();
    void closingByTheFrameEndsTheProgram();
    void nothingIsWrittenButTheChosenFiles();

private:
    QPoint mapPoint(QPoint p) const { return p + QPoint(10, 10); }
    void click(const QString &window, QPoint p, int button = 1);
    void clickMainButton(int topTwips) { click(mainId_, QPoint(536 + 36, topTwips / 15 + 12)); }
    // A station placed in deep, open sea, away from the ones placed before;
    // null if no marker showed.
    QPoint placeStation();
    // Opens the data window once the window manager has framed it.
    QString openDati();
    // Waits for a window that must come up active and above the given one.
    QString waitForDialogOver(const QString &title, const QString &owner);

    QTemporaryDir wmHome_, home_, config_, work_;
    QProcess openbox_;
    QProcess program_;
    QElapsedTimer sinceStart_;
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
    QProcessEnvironment wmEnvironment = QProcessEnvironment::systemEnvironment();
    wmEnvironment.insert(QStringLiteral("HOME"), wmHome_.path());
    openbox_.setProcessEnvironment(wmEnvironment);
    openbox_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    openbox_.start(qEnvironmentVariable("OPENBOX", QStringLiteral("openbox")), {QStringLiteral("--sm-disable")});
    QVERIFY2(openbox_.waitForStarted(), "openbox did not start");
    QTRY_VERIFY_WITH_TIMEOUT(
        x11::run("XPROP", "xprop", {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains("window id"),
        20000);

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
    if (QTest::currentTestFailed())
        qInfo("Screen saved to %s",
              qPrintable(x11::saveScreenshot(QStringLiteral("tst_desktop-") + QString::fromLatin1(QTest::currentTestFunction()))));
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

void TestDesktop::click(const QString &window, QPoint p, int button)
{
    x11::xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(p.x()),
                  QString::number(p.y()), QStringLiteral("click"), QString::number(button)});
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
    const auto shown = [&] {
        return grab(QRect(x11::clientRect(mainId_).topLeft() + mapPoint(p), QSize(1, 1))).pixel(0, 0);
    };
    return QTest::qWaitFor([&] { return shown() == qRgb(255, 0, 0); }) ? p : QPoint();
}

QString TestDesktop::openDati()
{
    clickMainButton(5400); // "Mostra dati"
    const QString dati = x11::waitForWindow(kDatiTitle);
    return QTest::qWaitFor([&] { return !dati.isEmpty() && !x11::frameExtents(dati).isNull(); }) ? dati : QString();
}

QString TestDesktop::waitForDialogOver(const QString &title, const QString &owner)
{
    const QString dialog = x11::waitForWindow(title);
    const bool inFront = QTest::qWaitFor(
        [&] { return !dialog.isEmpty() && x11::activeWindow() == dialog && isAbove(dialog, owner); }, 5000);
    return inFront ? dialog : QString();
}

void TestDesktop::aKeyClosesTheSplashScreen()
{
    // The splash screen comes up with the keyboard.
    QString splash;
    QElapsedTimer timer;
    timer.start();
    const bool found = QTest::qWaitFor([&splash] {
        splash = x11::activeWindow();
        return !splash.isEmpty() && x11::windowType(splash).contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH"));
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
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect outer;
    const auto centred = [&] {
        outer = x11::clientRect(mainId_) + x11::frameExtents(mainId_);
        return qAbs(outer.left() - (screen.right() - outer.right())) <= 1
            && qAbs(outer.top() - (screen.bottom() - outer.bottom())) <= 1;
    };
    QTRY_VERIFY_WITH_TIMEOUT(centred(), 3000);
    QVERIFY(x11::frameExtents(mainId_).top() > 0);
}

void TestDesktop::dataWindowIsLaidOutForItsFrame()
{
    QVERIFY(!placeStation().isNull());
    const QString dati = openDati();
    QVERIFY(!dati.isEmpty());
    // Out of the way of the buttons' hover look.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    x11::xdotool({QStringLiteral("mousemove"), QString::number(screen.right()), QString::number(screen.bottom())});
    QTest::qWait(500);

    // The text cursor may blink in the box's first line; the box's corner
    // never moves under the rule.
    const auto shown = [&dati] {
        QImage image = grab(x11::clientRect(dati));
        for (int y = 8; y < 40; ++y)
            for (int x = 8; x < 40; ++x)
                image.setPixel(x, y, qRgb(0, 0, 0));
        return image;
    };
    const QImage first = shown();
    const QSize size = first.size();
    const auto resize = [&dati](QSize s) {
        x11::xdotool({QStringLiteral("windowsize"), dati, QString::number(s.width()), QString::number(s.height())});
    };
    resize(size + QSize(40, 30));
    QTRY_COMPARE(x11::clientRect(dati).size(), size + QSize(40, 30));
    resize(size);
    QTRY_COMPARE(x11::clientRect(dati).size(), size);
    QTest::qWait(500);
    QVERIFY2(first == shown(), "the first layout differs from the layout for the same outer size after a resize");
}

void TestDesktop::dialogsComeUpInFrontWithTheKeyboard()
{
    // "?": the help box.
    clickMainButton(3000);
    const QString help = waitForDialogOver(QStringLiteral("^Aiuto$"), mainId_);
    QVERIFY2(!help.isEmpty(), "the help box is not in front with the keyboard");
    x11::xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_VERIFY(x11::windows(QStringLiteral("^Aiuto$")).isEmpty());

    // "Salva dati", then the data window's "Salva" in front of the data window.
    clickMainButton(6000);
    QString dialog = waitForDialogOver(kSaveTitle, mainId_);
    QVERIFY2(!dialog.isEmpty(), "the save dialog is not in front with the keyboard");
    x11::xdotool({QStringLiteral("type"), QStringLiteral("rilievo.txt")});
    x11::xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_VERIFY(QFileInfo(QDir(work_.path()).filePath(QStringLiteral("rilievo.txt"))).size() > 0);

    const QString dati = openDati();
    QVERIFY(!dati.isEmpty());
    const QMargins frame = x11::frameExtents(dati);
    const int outerHeight = x11::clientRect(dati).height() + frame.top() + frame.bottom();
    click(dati, QPoint(8 + 36, (outerHeight * 15 - 860) / 15 + 12));
    dialog = waitForDialogOver(kSaveTitle, dati);
    QVERIFY2(!dialog.isEmpty(), "the data window's save dialog is not in front with the keyboard");
    x11::xdotool({QStringLiteral("type"), QStringLiteral("tabella.txt")});
    x11::xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_VERIFY(QFileInfo(QDir(work_.path()).filePath(QStringLiteral("tabella.txt"))).size() > 0);
}

void TestDesktop::closingByTheFrameEndsTheProgram()
{
    const QPoint station = placeStation();
    QVERIFY(!station.isNull());
    QTest::qWait(800); // not a double click
    click(mainId_, mapPoint(station)); // its sieve
    QVERIFY(!x11::waitForWindow(QStringLiteral("^Stazione")).isEmpty());
    QVERIFY(!openDati().isEmpty());
    clickMainButton(3600); // "Mostra taxa"
    QVERIFY(!x11::waitForWindow(QStringLiteral("^Specie presenti")).isEmpty());

    // What the frame's close button sends: a close request, not a kill.
    x11::run("WMCTRL", "wmctrl", {QStringLiteral("-c"), QStringLiteral("Fondalis - Simulatore")});
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
    QCOMPARE(everythingIn(work_.path()), (QStringList{QStringLiteral("rilievo.txt"), QStringLiteral("tabella.txt")}));
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
