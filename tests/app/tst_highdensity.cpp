// Run with QT_SCALE_FACTOR=2: on a high-density screen every map pixel must
// become a block of identical device pixels, never a smoothed blend.
#include "SurfaceView.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QTemporaryDir>
#include <QTest>

class TestHighDensity : public QObject
{
    Q_OBJECT

private slots:
    void mapIsEnlargedWithoutSmoothing();
};

void TestHighDensity::mapIsEnlargedWithoutSmoothing()
{
    QTemporaryDir dir;
    // A checkerboard: any smoothing would blend neighbouring pixels.
    testdata::MapSet set;
    set.base = [](int x, int y) { return (x + y) % 2 ? qRgb(20, 60, 140) : qRgb(230, 220, 180); };
    QVERIFY(testdata::writeMapSet(dir.path(), set));
    Velmara v;
    v.SplashFatto = true;
    VelmaraMain w(v, dir.path());
    QVERIFY(w.Form_Load());
    const QImage shown = w.mappaView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    // Device pixel (x, y) shows map pixel (x / 2, y / 2) inside the 2-pixel frame.
    for (int y = 4; y < 4 + 2 * 512; ++y)
        for (int x = 4; x < 4 + 2 * 512; ++x)
            QCOMPARE(shown.pixel(x, y), w.map().Mappa.Image().pixel(x / 2 - 2, y / 2 - 2));
}

QTEST_MAIN(TestHighDensity)
#include "tst_highdensity.moc"
