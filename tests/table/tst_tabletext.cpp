#include "DatiLayout.h"
#include "TableText.h"
#include "TextExport.h"
#include "Velmara.h"

#include <QTest>

#include <array>

namespace {

struct Station {
    int x;
    int y;
    int depth;
    std::array<int, 12> counts;
};

void place(Velmara &v, int n, const Station &s)
{
    v.Stazioni[n][Velmara::kX] = std::int16_t(s.x);
    v.Stazioni[n][Velmara::kY] = std::int16_t(s.y);
    v.Stazioni[n][Velmara::kProf] = std::int16_t(s.depth);
    for (int sp = 1; sp <= 12; ++sp)
        v.Conteggi[n][sp] = std::int16_t(s.counts[sp - 1]);
}

// The text split at its CR LF pairs; the piece after the last one is empty.
QStringList linesOf(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

const QStringList kLabels{QStringLiteral("staz."), QStringLiteral("x (m)"), QStringLiteral("y (m)"),
                          QStringLiteral("prof. (m)"), QString(),
                          QStringLiteral("sp. 1"), QStringLiteral("sp. 2"), QStringLiteral("sp. 3"),
                          QStringLiteral("sp. 4"), QStringLiteral("sp. 5"), QStringLiteral("sp. 6"),
                          QStringLiteral("sp. 7"), QStringLiteral("sp. 8"), QStringLiteral("sp. 9"),
                          QStringLiteral("sp. 10"), QStringLiteral("sp. 11"), QStringLiteral("sp. 12")};

} // namespace

class TestTableText : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleByteForByte();
    void oneStation();
    void shapeHoldsForEveryStationCount();
    void valueFields_data();
    void valueFields();
    void rowsBeyondTheCountAreNeverRead();
    void noStationLeavesTheLabels();

    void lineEnds_data();
    void lineEnds();
    void tableTextIsItsOwnCrLfForm();

    void layoutAtTheMinimum();
    void layoutNeverBelowTheMinimum_data();
    void layoutNeverBelowTheMinimum();
    void layoutAtALargeSize();
    void wideningMovesOnlyChiudiAndTheBox();
    void heighteningMovesTheButtonsDown();
};

void TestTableText::workedExampleByteForByte()
{
    Velmara v;
    place(v, 1, {120, 300, 14, {3, 0, 27, 0, 1, 0, 4, 0, 6, 0, 2, 7}});
    place(v, 2, {245, 198, 22, {0, 5, 14, 0, 8, 0, 2, 11, 0, 1, 2, 0}});
    place(v, 3, {402, 77, 35, {12, 1, 0, 2, 6, 0, 9, 3, 0, 15, 0, 4}});
    const QString expected = QStringLiteral(
        "staz.\t1\t2\t3\r\n"
        "x (m)\t1200\t2450\t4020\r\n"
        "y (m)\t2110\t3130\t4340\r\n"
        "prof. (m)\t14\t22\t35\r\n"
        "\r\n"
        "sp. 1\t3\t0\t12\r\n"
        "sp. 2\t0\t5\t1\r\n"
        "sp. 3\t27\t14\t0\r\n"
        "sp. 4\t0\t0\t2\r\n"
        "sp. 5\t1\t8\t6\r\n"
        "sp. 6\t0\t0\t0\r\n"
        "sp. 7\t4\t2\t9\r\n"
        "sp. 8\t0\t11\t3\r\n"
        "sp. 9\t6\t0\t0\r\n"
        "sp. 10\t0\t1\t15\r\n"
        "sp. 11\t2\t2\t0\r\n"
        "sp. 12\t7\t0\t4\r\n");
    const QString text = tabletext::build(v, 3);
    QCOMPARE(linesOf(text), linesOf(expected));
    QCOMPARE(text.toLatin1(), expected.toLatin1());
}

void TestTableText::oneStation()
{
    Velmara v;
    place(v, 1, {0, 511, 0, {}});
    const QStringList lines = linesOf(tabletext::build(v, 1));
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines[0], QStringLiteral("staz.\t1"));
    QCOMPARE(lines[1], QStringLiteral("x (m)\t0"));
    QCOMPARE(lines[2], QStringLiteral("y (m)\t0"));
    QCOMPARE(lines[3], QStringLiteral("prof. (m)\t0"));
    QCOMPARE(lines[4], QString());
    for (int sp = 1; sp <= 12; ++sp)
        QCOMPARE(lines[4 + sp], QStringLiteral("sp. %1\t0").arg(sp));
    QCOMPARE(lines[17], QString());
}

void TestTableText::shapeHoldsForEveryStationCount()
{
    Velmara v;
    for (int n = 1; n <= Velmara::kMaxStazioni; ++n)
        place(v, n, {(n * 37) % 512, (n * 91) % 512, n % 7 == 0 ? -n : n, {n % 64, 63, 0, n % 5, 1, 2, 3, 4, 5, 6, 7, n % 9}});

    for (int n = 1; n <= Velmara::kMaxStazioni; ++n) {
        const QString text = tabletext::build(v, n);
        // Plain ASCII, no lone CR or LF, and nothing after the last CR LF.
        for (QChar c : text)
            QVERIFY(c.unicode() < 128);
        QCOMPARE(text.count(QLatin1Char('\r')), tabletext::kLines);
        QCOMPARE(text.count(QLatin1Char('\n')), tabletext::kLines);
        QVERIFY(text.endsWith(QStringLiteral("\t%1\r\n").arg(v.Conteggi[n][12])));
        QVERIFY(!text.endsWith(QStringLiteral("\r\n\r\n")));

        const QStringList lines = linesOf(text);
        QCOMPARE(lines.size(), tabletext::kLines + 1);
        QVERIFY(lines.last().isEmpty());
        for (int l = 0; l < tabletext::kLines; ++l) {
            if (l == 4) {
                QVERIFY(lines[l].isEmpty());
                continue;
            }
            const QStringList fields = lines[l].split(QLatin1Char('\t'));
            QCOMPARE(fields.size(), n + 1);
            QCOMPARE(fields[0], kLabels[l]);
            for (int i = 1; i <= n; ++i) {
                QVERIFY2(!fields[i].isEmpty(), qPrintable(QStringLiteral("line %1 field %2").arg(l + 1).arg(i)));
                QVERIFY(!fields[i].contains(QLatin1Char(' ')));
            }
        }
        // At 100 stations: 101 fields a line, the last header "100".
        QCOMPARE(lines[0].split(QLatin1Char('\t')).last(), QString::number(n));
        QCOMPARE(lines[3].split(QLatin1Char('\t')).last(), QString::number(v.Stazioni[n][Velmara::kProf]));
    }
}

void TestTableText::valueFields_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("xField");
    QTest::addColumn<QString>("yField");
    QTest::addColumn<QString>("depthField");
    QTest::addColumn<QString>("countField");
    QTest::newRow("bottom row, left column") << 0 << 511 << 3 << 1 << "0" << "0" << "3" << "1";
    QTest::newRow("top row, right column") << 511 << 0 << 40 << 63 << "5110" << "5110" << "40" << "63";
    QTest::newRow("zero depth, zero count") << 256 << 256 << 0 << 0 << "2560" << "2550" << "0" << "0";
    QTest::newRow("negative depth") << 55 << 300 << -12 << 0 << "550" << "2110" << "-12" << "0";
    QTest::newRow("deepest") << 400 << 10 << 250 << 9 << "4000" << "5010" << "250" << "9";
}

void TestTableText::valueFields()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, depth);
    QFETCH(int, count);
    Velmara v;
    // The station between two others, so a field is never first or last.
    place(v, 1, {1, 1, 1, {}});
    place(v, 2, {x, y, depth, {count, count, count, count, count, count, count, count, count, count, count, count}});
    place(v, 3, {2, 2, 2, {}});
    const QStringList lines = linesOf(tabletext::build(v, 3));
    QTEST(lines[1].split(QLatin1Char('\t'))[2], "xField");
    QTEST(lines[2].split(QLatin1Char('\t'))[2], "yField");
    QTEST(lines[3].split(QLatin1Char('\t'))[2], "depthField");
    for (int sp = 1; sp <= 12; ++sp)
        QTEST(lines[4 + sp].split(QLatin1Char('\t'))[2], "countField");
}

void TestTableText::rowsBeyondTheCountAreNeverRead()
{
    // Station 2 of three deleted: the rows moved up, row 3 keeps old values.
    Velmara v;
    place(v, 1, {10, 20, 5, {1, 2}});
    place(v, 2, {30, 40, 7, {3, 4}});
    place(v, 3, {30, 40, 7, {3, 4}});
    const QString text = tabletext::build(v, 2);
    const QStringList lines = linesOf(text);
    QCOMPARE(lines[0], QStringLiteral("staz.\t1\t2"));
    QCOMPARE(lines[1], QStringLiteral("x (m)\t100\t300"));
    QCOMPARE(lines[2], QStringLiteral("y (m)\t4910\t4710"));
    QCOMPARE(lines[5], QStringLiteral("sp. 1\t1\t3"));
    QCOMPARE(lines[6], QStringLiteral("sp. 2\t2\t4"));
    // Rows further down, whatever they hold, change nothing.
    for (int n = 3; n <= 100; ++n)
        place(v, n, {n, n, -n, {n % 64}});
    QCOMPARE(tabletext::build(v, 2), text);
}

void TestTableText::noStationLeavesTheLabels()
{
    Velmara v;
    place(v, 1, {7, 7, 7, {7}});
    const QStringList lines = linesOf(tabletext::build(v, 0));
    QCOMPARE(lines.size(), 18);
    for (int l = 0; l < 17; ++l)
        QCOMPARE(lines[l], kLabels[l]);
    // Past the table's end the count is held to 100 stations.
    QCOMPARE(tabletext::build(v, 150), tabletext::build(v, 100));
    QCOMPARE(tabletext::build(v, -3), tabletext::build(v, 0));
}

void TestTableText::lineEnds_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("file");
    QTest::newRow("LF") << QStringLiteral("a\tb\nc\n") << QStringLiteral("a\tb\r\nc\r\n");
    QTest::newRow("CR LF kept") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b\u2029") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QStringLiteral("a\r\nb");
    QTest::newRow("empty lines") << QStringLiteral("\n\n\r\r\n") << QStringLiteral("\r\n\r\n\r\n\r\n");
    QTest::newRow("CR LF CR LF") << QStringLiteral("\r\n\r\n") << QStringLiteral("\r\n\r\n");
    QTest::newRow("no break") << QStringLiteral("Località àè €") << QStringLiteral("Località àè €");
    QTest::newRow("empty") << QString() << QString();
}

void TestTableText::lineEnds()
{
    QFETCH(QString, box);
    QTEST(textexport::withCrLf(box), "file");
}

void TestTableText::tableTextIsItsOwnCrLfForm()
{
    Velmara v;
    for (int n = 1; n <= 100; ++n)
        place(v, n, {n * 5, n * 3, n - 20, {n % 64, 1}});
    for (int n : {1, 2, 17, 100}) {
        const QString text = tabletext::build(v, n);
        QCOMPARE(textexport::withCrLf(text), text);
        QString lf = text;
        lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(textexport::withCrLf(lf), text);
    }
}

void TestTableText::layoutAtTheMinimum()
{
    const DatiLayout l = DatiLayout::forOuterSize(QSizeF(4100, 2000));
    QCOMPARE(l.outer, QSizeF(4100, 2000));
    QCOMPARE(l.tabella, QRectF(120, 120, 3760, 880));
    QCOMPARE(l.command2, QRectF(120, 1140, 1095, 375));
    QCOMPARE(l.copiaDati, QRectF(1440, 1140, 1095, 375));
    QCOMPARE(l.command1, QRectF(2780, 1140, 1095, 375));
}

void TestTableText::layoutNeverBelowTheMinimum_data()
{
    QTest::addColumn<QSizeF>("dragged");
    QTest::addColumn<QSizeF>("outer");
    QTest::newRow("both too small") << QSizeF(1000, 500) << QSizeF(4100, 2000);
    QTest::newRow("too narrow") << QSizeF(3000, 5000) << QSizeF(4100, 5000);
    QTest::newRow("too low") << QSizeF(9000, 1999) << QSizeF(9000, 2000);
    QTest::newRow("zero") << QSizeF(0, 0) << QSizeF(4100, 2000);
    QTest::newRow("just above") << QSizeF(4101, 2001) << QSizeF(4101, 2001);
}

void TestTableText::layoutNeverBelowTheMinimum()
{
    QFETCH(QSizeF, dragged);
    QFETCH(QSizeF, outer);
    const DatiLayout l = DatiLayout::forOuterSize(dragged);
    QCOMPARE(l.outer, outer);
    // Laid out for the size it is made to have, not the one it was dragged to.
    const DatiLayout atOuter = DatiLayout::forOuterSize(outer);
    QCOMPARE(l.tabella, atOuter.tabella);
    QCOMPARE(l.command1, atOuter.command1);
    QCOMPARE(l.copiaDati, atOuter.copiaDati);
    QVERIFY(l.tabella.width() >= 3760);
    QVERIFY(l.tabella.height() >= 880);
}

void TestTableText::layoutAtALargeSize()
{
    const DatiLayout l = DatiLayout::forOuterSize(QSizeF(15000, 9000));
    QCOMPARE(l.outer, QSizeF(15000, 9000));
    QCOMPARE(l.tabella, QRectF(120, 120, 14660, 7880));
    QCOMPARE(l.command2, QRectF(120, 8140, 1095, 375));
    QCOMPARE(l.copiaDati, QRectF(1440, 8140, 1095, 375));
    QCOMPARE(l.command1, QRectF(13680, 8140, 1095, 375));
}

void TestTableText::wideningMovesOnlyChiudiAndTheBox()
{
    const DatiLayout base = DatiLayout::forOuterSize(QSizeF(4100, 3000));
    for (double w = 4100; w <= 30000; w += 345) {
        const DatiLayout l = DatiLayout::forOuterSize(QSizeF(w, 3000));
        const double grown = w - 4100;
        QCOMPARE(l.command2, base.command2);
        QCOMPARE(l.copiaDati, base.copiaDati);
        QCOMPARE(l.command1, base.command1.translated(grown, 0));
        QCOMPARE(l.tabella.topLeft(), base.tabella.topLeft());
        QCOMPARE(l.tabella.size(), base.tabella.size() + QSizeF(grown, 0));
        // "Chiudi" keeps its distance from the box's right edge.
        QCOMPARE(l.command1.right() - l.tabella.right(), base.command1.right() - base.tabella.right());
    }
}

void TestTableText::heighteningMovesTheButtonsDown()
{
    const DatiLayout base = DatiLayout::forOuterSize(QSizeF(6000, 2000));
    for (double h = 2000; h <= 20000; h += 255) {
        const DatiLayout l = DatiLayout::forOuterSize(QSizeF(6000, h));
        const double grown = h - 2000;
        for (const auto &[now, then] : {std::pair{l.command2, base.command2}, std::pair{l.copiaDati, base.copiaDati},
                                        std::pair{l.command1, base.command1}})
            QCOMPARE(now, then.translated(0, grown));
        QCOMPARE(l.tabella.size(), base.tabella.size() + QSizeF(0, grown));
        // The buttons stay clear of the box.
        QVERIFY(l.command2.top() > l.tabella.bottom());
    }
}

QTEST_APPLESS_MAIN(TestTableText)
#include "tst_tabletext.moc"
