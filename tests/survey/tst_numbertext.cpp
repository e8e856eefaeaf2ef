#include "NumberText.h"

#include <QTest>

#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void trimmedDropsOnlyTheBlank();
    void halvesGoToEven_data();
    void halvesGoToEven();
    void floorGoesDown();
};

// Single precision keeps 7 significant digits, double precision 15; whole
// numbers are written in full.
enum Kind { Single, Double, Whole };
Q_DECLARE_METATYPE(Kind)

void TestNumberText::text_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("fraction has no leading zero") << Single << double(0.3f) << " .3";
    QTest::newRow("negative whole") << Single << -26.0 << "-26";
    QTest::newRow("one decimal") << Single << double(143.1f) << " 143.1";
    QTest::newRow("zero") << Single << 0.0 << " 0";
    QTest::newRow("negative zero shows no sign") << Single << -0.0 << " 0";
    QTest::newRow("negative half") << Single << -0.5 << "-.5";
    QTest::newRow("seven significant digits") << Single << double(1.0f / 3.0f) << " .3333333";
    QTest::newRow("largest plain whole") << Single << 9999999.0 << " 9999999";
    QTest::newRow("large uses exponent") << Single << 12345678.0 << " 1.234568E+07";
    QTest::newRow("small plain") << Single << double(0.0001f) << " .0001";
    QTest::newRow("tiny uses exponent") << Single << double(0.00001f) << " 1E-05";
    QTest::newRow("negative tiny") << Single << double(-0.000012f) << "-1.2E-05";
    QTest::newRow("fifteen digits") << Double << 1.0 / 3.0 << " .333333333333333";
    QTest::newRow("tenths exact") << Double << 143.1 << " 143.1";
    QTest::newRow("beyond single precision") << Double << 123456789.0 << " 123456789";
    QTest::newRow("negative fraction") << Double << -0.25 << "-.25";
    QTest::newRow("huge") << Double << 1.0e20 << " 1E+20";
    QTest::newRow("station") << Whole << 7.0 << " 7";
    QTest::newRow("negative station") << Whole << -3.0 << "-3";
    QTest::newRow("whole zero") << Whole << 0.0 << " 0";
    QTest::newRow("smallest int") << Whole << double(std::numeric_limits<int>::min()) << "-2147483648";
}

void TestNumberText::text()
{
    QFETCH(Kind, kind);
    QFETCH(double, value);
    QFETCH(QString, text);
    const std::string s = kind == Single ? numtext::str(float(value))
                          : kind == Double ? numtext::strDouble(value)
                                           : numtext::str(int(value));
    QCOMPARE(QString::fromStdString(s), text);
}

void TestNumberText::trimmedDropsOnlyTheBlank()
{
    QCOMPARE(QString::fromStdString(numtext::trimmed(24)), QStringLiteral("24"));
    QCOMPARE(QString::fromStdString(numtext::trimmed(-26)), QStringLiteral("-26"));
    QCOMPARE(QString::fromStdString(numtext::trimmed(0.3f)), QStringLiteral(".3"));
    QCOMPARE(QString::fromStdString(numtext::trimmed(-0.5f)), QStringLiteral("-.5"));
    QCOMPARE(QString::fromStdString(numtext::trimmedDouble(0.0)), QStringLiteral("0"));
}

void TestNumberText::halvesGoToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 0.5 << 0.0;
    QTest::newRow("half up to even") << 1.5 << 2.0;
    QTest::newRow("negative one and a half") << -1.5 << -2.0;
    QTest::newRow("not a half") << 2.51 << 3.0;
    QTest::newRow("whole stays") << -7.0 << -7.0;
}

void TestNumberText::halvesGoToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(rounding::halfEven(value), rounded);
    QCOMPARE(rounding::halfEvenInt(value), static_cast<int>(rounded));
}

void TestNumberText::floorGoesDown()
{
    QCOMPARE(rounding::floorInt(2.999), 2);
    QCOMPARE(rounding::floorInt(-0.5), -1);
    QCOMPARE(rounding::floorInt(-3.0), -3);
    QCOMPARE(rounding::floorOf(-2.5), -3.0);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
