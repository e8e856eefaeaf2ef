// Starts the built program in a real X window with no window manager and
// checks what a user sees: the map on screen is base.bmp pixel for pixel, a
// click places a marker, "Copia mappa" hands the map to the X clipboard,
// "Esci" ends the program.
#include "X11Tools.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void userSession();

private:
    QImage grabMap();
    // A point of the main window's client area; buttons by their top in twips.
    void click(QPoint p, int button = 1);
    void clickButton(int topTwips) { click(QPoint(536 + 36, topTwips / 15 + 12)); }

    QString windowId_;
    QPoint origin_;
};

void TestEndToEnd::cleanup()
{
    if (QTest::currentTestFailed())
        qInfo("Screen saved to %s", qPrintable(x11::saveScreenshot(QStringLiteral("tst_e2e"))));
}

QImage TestEndToEnd::grabMap()
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, origin_.x() + 10, origin_.y() + 10, 512, 512)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void TestEndToEnd::click(QPoint p, int button)
{
    x11::xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), windowId_, QString::number(p.x()),
                  QString::number(p.y()), QStringLiteral("click"), QString::number(button)});
}

void TestEndToEnd::userSession()
{
    const QString path = qEnvironmentVariable("FONDALIS_PROGRAM");
    QVERIFY2(QFileInfo::exists(path), "FONDALIS_PROGRAM must name the built program");
    const QDir folder = QFileInfo(path).dir();
    const QImage base = QImage(folder.filePath(QStringLiteral("base.bmp"))).convertToFormat(QImage::Format_RGB32);
    const QImage bati = QImage(folder.filePath(QStringLiteral("bati.bmp"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(base.size(), QSize(512, 512));

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(path, {});
    QVERIFY(program.waitForStarted());
    const auto kill = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    windowId_ = x11::waitForWindow(QStringLiteral("Fondalis - Simulatore"), 20000);
    QVERIFY2(!windowId_.isEmpty(), "the main window did not appear");
    origin_ = x11::clientRect(windowId_).topLeft();
    // The splash screen covers the window for its first four seconds.
    QTest::qWait(4800);
    QCOMPARE(grabMap(), base);

    // Deep, open sea well inside the map.
    QPoint station;
    for (int y = 100; y < 412 && station.isNull(); y += 7)
        for (int x = 100; x < 412 && station.isNull(); x += 7)
            if (qRed(bati.pixel(x, y)) >= 100)
                station = QPoint(x, y);
    QVERIFY2(!station.isNull(), "no open sea found in bati.bmp");
    click(station + QPoint(10, 10));
    QTRY_COMPARE_WITH_TIMEOUT(grabMap().pixel(station), qRgb(255, 0, 0), 5000);
    const QImage shown = grabMap();
    QImage marker(5, 5, QImage::Format_RGB32);
    marker.fill(qRgb(255, 0, 0));
    QCOMPARE(shown.copy(QRect(station - QPoint(2, 2), QSize(5, 5))), marker);
    QCOMPARE(shown.pixel(station + QPoint(3, 0)), base.pixel(station + QPoint(3, 0)));

    clickButton(4200); // "Copia mappa"
    const auto copied = [] {
        const QByteArray png = x11::run("XCLIP", "xclip", {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                           QStringLiteral("-t"), QStringLiteral("image/png"),
                                                           QStringLiteral("-o")});
        return QImage::fromData(png).convertToFormat(QImage::Format_RGB32);
    };
    QTRY_COMPARE_WITH_TIMEOUT(copied().size(), QSize(512, 512), 5000);
    QCOMPARE(copied(), shown);

    clickButton(7440); // "Esci"
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
