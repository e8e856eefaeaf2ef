#include "MapColour.h"
#include "NumberText.h"

#include <QTest>

#include <cfenv>

using namespace mapcolour;

// The survey's numbers: as text, rounded, and read from the map colours.
class TestSurvey : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void halvesGoToEven_data();
    void halvesGoToEven();
    void depth_data();
    void depth();
    void countIsTheExactFloorAndDarknessItsInverse();
};

static QString s(const std::string &text) { return QString::fromStdString(text); }

// Single precision keeps 7 significant digits, double precision 15; whole
// numbers are written in full.
void TestSurvey::text_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("text");
    QTest::newRow("fraction has no leading zero") << s(numtext::str(0.3f)) << " .3";
    QTest::newRow("zero") << s(numtext::str(0.0f)) << " 0";
    QTest::newRow("negative half") << s(numtext::str(-0.5f)) << "-.5";
    QTest::newRow("seven significant digits") << s(numtext::str(1.0f / 3.0f)) << " .3333333";
    QTest::newRow("large uses exponent") << s(numtext::str(12345678.0f)) << " 1.234568E+07";
    QTest::newRow("tiny uses exponent") << s(numtext::str(0.00001f)) << " 1E-05";
    QTest::newRow("fifteen digits") << s(numtext::strDouble(1.0 / 3.0)) << " .333333333333333";
    QTest::newRow("beyond single precision") << s(numtext::strDouble(123456789.0)) << " 123456789";
    QTest::newRow("station") << s(numtext::str(7)) << " 7";
}

void TestSurvey::text()
{
    QFETCH(QString, written);
    QTEST(written, "text");
}

void TestSurvey::halvesGoToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 0.5 << 0.0;
    QTest::newRow("half up to even") << 1.5 << 2.0;
    QTest::newRow("negative one and a half") << -1.5 << -2.0;
}

void TestSurvey::halvesGoToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(rounding::halfEvenInt(value), static_cast<int>(rounded));
    // Another library may leave the rounding mode changed.
    const int mode = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double underUpward = rounding::halfEven(value);
    std::fesetround(mode);
    QCOMPARE(underUpward, rounded);
}

void TestSurvey::depth_data()
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

void TestSurvey::depth()
{
    QFETCH(int, colour);
    QTEST(ProfonditaDaColore(colour).value_or(-1000), "metres");
}

void TestSurvey::countIsTheExactFloorAndDarknessItsInverse()
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

QTEST_GUILESS_MAIN(TestSurvey)
#include "tst_survey.moc"
