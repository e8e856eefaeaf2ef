#include "MapColour.h"

#include <QTest>

using namespace mapcolour;

class TestMapColour : public QObject
{
    Q_OBJECT

private slots:
    void depth_data();
    void depth();
    void countIsTheExactFloorAndDarknessItsInverse();
};

void TestMapColour::depth_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("metres"); // -1000: no depth
    QTest::newRow("black has none") << 0 << -1000;
    QTest::newRow("red 76 is the waterline") << rgb(76, 0, 0) << 0;
    QTest::newRow("red 77 is one metre") << rgb(77, 0, 0) << 1;
    QTest::newRow("red 1 is -75") << rgb(1, 0, 0) << -75;
    // The red component keeps the sign of -1, a point outside the picture.
    QTest::newRow("outside the picture") << -1 << -77;
}

void TestMapColour::depth()
{
    QFETCH(int, colour);
    QTEST(ProfonditaDaColore(colour).value_or(-1000), "metres");
}

void TestMapColour::countIsTheExactFloorAndDarknessItsInverse()
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
    // The darkness for a count is the smallest that reads back as it.
    for (int k = 0; k <= 63; ++k) {
        const int n = darknessForCount(k);
        QCOMPARE(ConteggioDaColore(rgb(255 - n, 0, 0)), k);
        QVERIFY(n == 0 || ConteggioDaColore(rgb(255 - (n - 1), 0, 0)) < k);
    }
}

QTEST_GUILESS_MAIN(TestMapColour)
#include "tst_mapcolour.moc"
