#include "NumberText.h"

#include <QTest>

#include <cfenv>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void halvesGoToEven_data();
    void halvesGoToEven();
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
    QTest::newRow("one decimal") << Single << double(143.1f) << " 143.1";
    QTest::newRow("zero") << Single << 0.0 << " 0";
    QTest::newRow("negative half") << Single << -0.5 << "-.5";
    QTest::newRow("seven significant digits") << Single << double(1.0f / 3.0f) << " .3333333";
    QTest::newRow("large uses exponent") << Single << 12345678.0 << " 1.234568E+07";
    QTest::newRow("tiny uses exponent") << Single << double(0.00001f) << " 1E-05";
    QTest::newRow("fifteen digits") << Double << 1.0 / 3.0 << " .333333333333333";
    QTest::newRow("beyond single precision") << Double << 123456789.0 << " 123456789";
    QTest::newRow("station") << Whole << 7.0 << " 7";
}

void TestNumberText::text()
{
    QFETCH(Kind, kind);
    QFETCH(double, value);
    const std::string s = kind == Single ? numtext::str(float(value))
                          : kind == Double ? numtext::strDouble(value)
                                           : numtext::str(int(value));
    QTEST(QString::fromStdString(s), "text");
}

void TestNumberText::halvesGoToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 0.5 << 0.0;
    QTest::newRow("half up to even") << 1.5 << 2.0;
    QTest::newRow("negative one and a half") << -1.5 << -2.0;
}

void TestNumberText::halvesGoToEven()
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

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
