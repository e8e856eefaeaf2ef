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
    const int scale = qRound(shown.devicePixelRatio());
    QCOMPARE(scale, 2);
    const QImage &map = w.map().Mappa.Image();
    const int frame = 2;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    QCOMPARE(shown.pixel(scale * (x + frame) + dx, scale * (y + frame) + dy), map.pixel(x, y));
}

QTEST_MAIN(TestHighDensity)
#include "tst_highdensity.moc"
