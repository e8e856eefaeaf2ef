#include "NumberText.h"

#include <QTest>

#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void singlePrecision_data();
    void singlePrecision();
    void doublePrecision_data();
    void doublePrecision();
    void wholeNumbers_data();
    void wholeNumbers();
    void trimmedDropsOnlyTheBlank();
    void halvesGoToEven_data();
    void halvesGoToEven();
    void floorGoesDown();
};

void TestNumberText::singlePrecision_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("fraction has no leading zero") << 0.3f << " .3";
    QTest::newRow("negative whole") << -26.0f << "-26";
    QTest::newRow("one decimal") << 143.1f << " 143.1";
    QTest::newRow("metres") << 5110.0f << " 5110";
    QTest::newRow("zero") << 0.0f << " 0";
    QTest::newRow("negative zero shows no sign") << -0.0f << " 0";
    QTest::newRow("negative half") << -0.5f << "-.5";
    QTest::newRow("bearing rounded to tenths") << 36.9f << " 36.9";
    QTest::newRow("binary fraction is not spelled out") << 0.1f << " .1";
    QTest::newRow("seven significant digits") << 1.0f / 3.0f << " .3333333";
    QTest::newRow("largest plain whole") << 9999999.0f << " 9999999";
    QTest::newRow("large uses exponent") << 12345678.0f << " 1.234568E+07";
    QTest::newRow("small plain") << 0.0001f << " .0001";
    QTest::newRow("tiny uses exponent") << 0.00001f << " 1E-05";
    QTest::newRow("negative tiny") << -0.000012f << "-1.2E-05";
    QTest::newRow("trailing zeros dropped") << 2.50f << " 2.5";
}

void TestNumberText::singlePrecision()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(numtext::str(value)), text);
}

void TestNumberText::doublePrecision_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("fifteen digits") << 1.0 / 3.0 << " .333333333333333";
    QTest::newRow("tenths exact") << 143.1 << " 143.1";
    QTest::newRow("beyond single precision") << 123456789.0 << " 123456789";
    QTest::newRow("negative fraction") << -0.25 << "-.25";
    QTest::newRow("huge") << 1.0e20 << " 1E+20";
}

void TestNumberText::doublePrecision()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(numtext::strDouble(value)), text);
}

void TestNumberText::wholeNumbers_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("station") << 7 << " 7";
    QTest::newRow("negative") << -3 << "-3";
    QTest::newRow("zero") << 0 << " 0";
    QTest::newRow("hundred") << 100 << " 100";
    QTest::newRow("smallest int") << std::numeric_limits<int>::min() << "-2147483648";
}

void TestNumberText::wholeNumbers()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(numtext::str(value)), text);
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
    QTest::newRow("two and a half") << 2.5 << 2.0;
    QTest::newRow("negative half") << -0.5 << 0.0;
    QTest::newRow("negative one and a half") << -1.5 << -2.0;
    QTest::newRow("not a half") << 2.51 << 3.0;
    QTest::newRow("pixel 511.5") << 511.5 << 512.0;
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
    for (int tenths = -100; tenths <= 100; ++tenths) {
        const double value = tenths / 10.0;
        QVERIFY(rounding::floorOf(value) <= value);
        QVERIFY(rounding::floorOf(value) > value - 1.0);
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
