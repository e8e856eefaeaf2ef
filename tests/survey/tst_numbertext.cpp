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

static QString s(const std::string &text) { return QString::fromStdString(text); }

// Single precision keeps 7 significant digits, double precision 15; whole
// numbers are written in full.
void TestNumberText::text_data()
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

void TestNumberText::text()
{
    QFETCH(QString, written);
    QTEST(written, "text");
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
