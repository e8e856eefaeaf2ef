#include "MapColour.h"

#include <QTest>

#include <cmath>

using namespace mapcolour;

class TestMapColour : public QObject
{
    Q_OBJECT

private slots:
    void redComponentKeepsTheSign();
    void depth_data();
    void depth();
    void count_data();
    void count();
    void countIgnoresGreenAndBlue();
    void countFirstReachesEachValue();
    void countIsTheExactFloorEverywhere();
    void darknessForCountRoundTrips();
    void metresFromPixels();
};

void TestMapColour::redComponentKeepsTheSign()
{
    QCOMPARE(redComponent(rgb(200, 17, 99)), 200);
    QCOMPARE(redComponent(-1), -1);
    QCOMPARE(redComponent(kWhite), 255);
    QCOMPARE(redComponent(rgb(0, 255, 255)), 0);
}

void TestMapColour::depth_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<bool>("hasDepth");
    QTest::addColumn<int>("metres");
    QTest::newRow("black has none") << 0 << false << 0;
    QTest::newRow("red 0 with green and blue has none") << rgb(0, 200, 200) << false << 0;
    QTest::newRow("red 76 is the waterline") << rgb(76, 0, 0) << true << 0;
    QTest::newRow("red 77 is one metre") << rgb(77, 0, 0) << true << 1;
    QTest::newRow("red 1 is -75") << rgb(1, 0, 0) << true << -75;
    QTest::newRow("red 50") << rgb(50, 0, 0) << true << -26;
    QTest::newRow("red 100") << rgb(100, 0, 0) << true << 24;
    QTest::newRow("red 255") << rgb(255, 0, 0) << true << 179;
    QTest::newRow("white") << kWhite << true << 179;
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

void TestMapColour::count_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    const int table[][2] = {{0, 0},   {1, 1},   {2, 1},   {3, 2},    {16, 8},   {50, 18},  {81, 27},
                            {100, 31}, {128, 38}, {200, 53}, {250, 62}, {251, 63}, {255, 63}};
    for (const auto &row : table)
        QTest::addRow("n=%d", row[0]) << row[0] << row[1];
}

void TestMapColour::count()
{
    QFETCH(int, n);
    QFETCH(int, expected);
    QCOMPARE(ConteggioDaColore(rgb(255 - n, 0, 0)), expected);
    // A grey reads the same: only red counts.
    QCOMPARE(ConteggioDaColore(rgb(255 - n, 255 - n, 255 - n)), expected);
}

void TestMapColour::countIgnoresGreenAndBlue()
{
    QCOMPARE(ConteggioDaColore(0), 63);
    QCOMPARE(ConteggioDaColore(65280), 63);
    QCOMPARE(ConteggioDaColore(kPureRed), 0);
    QCOMPARE(ConteggioDaColore(kWhite), 0);
    QCOMPARE(ConteggioDaColore(-1), 64);
}

void TestMapColour::countFirstReachesEachValue()
{
    const int first[] = {1, 3, 5, 7, 9, 11, 14, 16, 19, 22, 25, 28, 31, 34, 37, 41, 44, 48, 51};
    for (int k = 1; k <= 19; ++k) {
        QCOMPARE(ConteggioDaColore(rgb(255 - first[k - 1], 0, 0)), k);
        QCOMPARE(ConteggioDaColore(rgb(255 - (first[k - 1] - 1), 0, 0)), k - 1);
    }
    const int last[] = {230, 235, 241, 246, 251};
    for (int k = 59; k <= 63; ++k) {
        QCOMPARE(ConteggioDaColore(rgb(255 - last[k - 59], 0, 0)), k);
        QCOMPARE(ConteggioDaColore(rgb(255 - (last[k - 59] - 1), 0, 0)), k - 1);
    }
}

void TestMapColour::countIsTheExactFloorEverywhere()
{
    int previous = 0;
    for (int n = 0; n <= 255; ++n) {
        const int k = ConteggioDaColore(rgb(255 - n, 0, 0));
        // k^4 <= n^3 < (k+1)^4 is the exact floor of n^0.75.
        const long long cube = static_cast<long long>(n) * n * n;
        QVERIFY2(static_cast<long long>(k) * k * k * k <= cube, qPrintable(QString::number(n)));
        QVERIFY2(static_cast<long long>(k + 1) * (k + 1) * (k + 1) * (k + 1) > cube, qPrintable(QString::number(n)));
        QVERIFY(k >= previous);
        QVERIFY(k >= 0 && k <= 63);
        previous = k;
    }
}

void TestMapColour::darknessForCountRoundTrips()
{
    QCOMPARE(darknessForCount(0), 0);
    QCOMPARE(darknessForCount(8), 16);
    QCOMPARE(darknessForCount(27), 81);
    QCOMPARE(darknessForCount(63), 251);
    for (int k = 0; k <= 63; ++k) {
        const int n = darknessForCount(k);
        QCOMPARE(ConteggioDaColore(rgb(255 - n, 0, 0)), k);
        if (n > 0)
            QVERIFY(ConteggioDaColore(rgb(255 - (n - 1), 0, 0)) < k);
    }
}

void TestMapColour::metresFromPixels()
{
    QCOMPARE(metres::x(0), 0);
    QCOMPARE(metres::y(511), 0);
    QCOMPARE(metres::x(511), 5110);
    QCOMPARE(metres::y(0), 5110);
    QCOMPARE(metres::x(100), 1000);
    QCOMPARE(metres::y(100), 4110);
    QCOMPARE(metres::x(123.0f), 1230.0f);
    QCOMPARE(metres::y(11.0f), 5000.0f);
}

QTEST_GUILESS_MAIN(TestMapColour)
#include "tst_mapcolour.moc"
