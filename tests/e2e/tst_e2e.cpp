// Starts the built program in a real X window and checks what a user sees:
// the map on screen is base.bmp pixel for pixel, a click places a marker,
// "Copia mappa" hands the map to the X clipboard, "Esci" ends the program.
#include "X11Tools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace {

QString tool(const char *variable, const char *fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

QByteArray run(const QString &program, const QStringList &args, int timeoutMs = 10000)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return process.readAllStandardOutput();
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void mapOnScreenIsTheBaseImage();
    void clickPlacesAMarker();
    void copiedMapReachesTheClipboard();
    void exitEndsTheProgram();

private:
    QImage grabMap();
    QPoint mapOrigin() const { return windowPos_ + QPoint(10, 10); }
    void clickMap(int x, int y, int button = 1);
    void clickWindow(int x, int y);

    QProcess program_;
    QString windowId_;
    QPoint windowPos_;
    QImage base_;
    QImage bati_;
    QPoint station_;
};

void TestEndToEnd::initTestCase()
{
    const QString path = qEnvironmentVariable("FONDALIS_PROGRAM");
    QVERIFY2(QFileInfo::exists(path), "FONDALIS_PROGRAM must name the built program");
    const QDir folder = QFileInfo(path).dir();
    base_ = QImage(folder.filePath(QStringLiteral("base.bmp"))).convertToFormat(QImage::Format_RGB32);
    bati_ = QImage(folder.filePath(QStringLiteral("bati.bmp"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(base_.size(), QSize(512, 512));

    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(path, {});
    QVERIFY(program_.waitForStarted());

    const QByteArray id = run(tool("XDOTOOL", "xdotool"),
                              {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), QStringLiteral("Fondalis - Simulatore")},
                              20000);
    windowId_ = QString::fromLatin1(id).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
    QVERIFY2(!windowId_.isEmpty(), "the main window did not appear");

    const QString geometry = QString::fromLatin1(
        run(tool("XDOTOOL", "xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId_}));
    for (const QString &line : geometry.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("X=")))
            windowPos_.setX(line.mid(2).toInt());
        else if (line.startsWith(QLatin1String("Y=")))
            windowPos_.setY(line.mid(2).toInt());
    }
    // The splash screen covers the window for its first four seconds.
    QTest::qWait(4800);
}

void TestEndToEnd::cleanup()
{
    if (QTest::currentTestFailed())
        qInfo("Screen saved to %s",
              qPrintable(x11::saveScreenshot(QStringLiteral("tst_e2e-") + QString::fromLatin1(QTest::currentTestFunction()))));
}

void TestEndToEnd::cleanupTestCase()
{
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished();
    }
}

QImage TestEndToEnd::grabMap()
{
    const QPoint origin = mapOrigin();
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, origin.x(), origin.y(), 512, 512)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void TestEndToEnd::clickWindow(int x, int y)
{
    run(tool("XDOTOOL", "xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId_,
                                     QString::number(x), QString::number(y), QStringLiteral("click"),
                                     QStringLiteral("1")});
}

void TestEndToEnd::clickMap(int x, int y, int button)
{
    run(tool("XDOTOOL", "xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId_,
                                     QString::number(x + 10), QString::number(y + 10), QStringLiteral("click"),
                                     QString::number(button)});
}

void TestEndToEnd::mapOnScreenIsTheBaseImage()
{
    const QImage shown = grabMap();
    int differing = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            differing += shown.pixel(x, y) != base_.pixel(x, y);
    QCOMPARE(differing, 0);
}

void TestEndToEnd::clickPlacesAMarker()
{
    // Deep, open sea well inside the map.
    for (int y = 100; y < 412 && station_.isNull(); y += 7)
        for (int x = 100; x < 412; x += 7)
            if (qRed(bati_.pixel(x, y)) >= 100) {
                station_ = QPoint(x, y);
                break;
            }
    QVERIFY2(!station_.isNull(), "no open sea found in bati.bmp");
    clickMap(station_.x(), station_.y());

    QElapsedTimer timer;
    timer.start();
    QImage shown;
    do {
        QTest::qWait(100);
        shown = grabMap();
    } while (shown.pixel(station_) != qRgb(255, 0, 0) && timer.elapsed() < 5000);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            QCOMPARE(shown.pixel(station_ + QPoint(dx, dy)), qRgb(255, 0, 0));
    QCOMPARE(shown.pixel(station_ + QPoint(3, 0)), base_.pixel(station_ + QPoint(3, 0)));
}

void TestEndToEnd::copiedMapReachesTheClipboard()
{
    // "Copia mappa": left 8040, top 4200 twips, 1095 x 375.
    clickWindow(536 + 36, 280 + 12);
    QByteArray png;
    QElapsedTimer timer;
    timer.start();
    while (png.isEmpty() && timer.elapsed() < 5000) {
        png = run(tool("XCLIP", "xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                           QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
        if (png.isEmpty())
            QTest::qWait(100);
    }
    const QImage copied = QImage::fromData(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied.size(), QSize(512, 512));
    QCOMPARE(copied, grabMap());
}

void TestEndToEnd::exitEndsTheProgram()
{
    // "Esci": left 8040, top 7440 twips.
    clickWindow(536 + 36, 496 + 12);
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
