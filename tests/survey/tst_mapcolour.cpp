#include "MapColour.h"

#include <QTest>

using namespace mapcolour;

class TestMapColour : public QObject
{
    Q_OBJECT

private slots:
    void depth_data();
    void depth();
    void countIsTheExactFloorEverywhere();
    void darknessForCountIsTheSmallestThatReadsBack();
    void metresFromPixels();
};

void TestMapColour::depth_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<bool>("hasDepth");
    QTest::addColumn<int>("metres");
    QTest::newRow("black has none") << 0 << false << 0;
    QTest::newRow("red 76 is the waterline") << rgb(76, 0, 0) << true << 0;
    QTest::newRow("red 77 is one metre") << rgb(77, 0, 0) << true << 1;
    QTest::newRow("red 1 is -75") << rgb(1, 0, 0) << true << -75;
    // The red component keeps the sign of -1, a point outside the picture.
    QTest::newRow("outside the picture") << -1 << true << -77;
}

void TestMapColour::depth()
{
    QFETCH(int, colour);
    QFETCH(bool, hasDepth);
    QFETCH(int, metres);
    const std::optional<int> depth = ProfonditaDaColore(colour);
    QCOMPARE(depth.has_value(), hasDepth);
    if (hasDepth)
        QCOMPARE(*depth, metres);
}

void TestMapColour::countIsTheExactFloorEverywhere()
{
    for (long long n = 0; n <= 255; ++n) {
        const long long k = ConteggioDaColore(rgb(255 - int(n), 0, 0));
        // k^4 <= n^3 < (k+1)^4 is the exact floor of n^0.75.
        QVERIFY2(k * k * k * k <= n * n * n && (k + 1) * (k + 1) * (k + 1) * (k + 1) > n * n * n,
                 qPrintable(QString::number(n)));
    }
    // Only the red component counts; pow(81, 0.75) may fall a hair short of 27.
    QCOMPARE(ConteggioDaColore(rgb(174, 174, 174)), 27);
    QCOMPARE(ConteggioDaColore(-1), 64); // outside the picture
}

void TestMapColour::darknessForCountIsTheSmallestThatReadsBack()
{
    for (int k = 0; k <= 63; ++k) {
        const int n = darknessForCount(k);
        QCOMPARE(ConteggioDaColore(rgb(255 - n, 0, 0)), k);
        if (n > 0)
            QVERIFY(ConteggioDaColore(rgb(255 - (n - 1), 0, 0)) < k);
    }
}

void TestMapColour::metresFromPixels()
{
    QCOMPARE(QPoint(metres::x(100), metres::y(100)), QPoint(1000, 4110));
    QCOMPARE(QPointF(metres::x(123.0f), metres::y(11.0f)), QPointF(1230, 5000));
}

QTEST_GUILESS_MAIN(TestMapColour)
#include "tst_mapcolour.moc"
