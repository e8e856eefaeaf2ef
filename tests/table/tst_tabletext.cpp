#include "DatiLayout.h"
#include "TableText.h"
#include "TestData.h"
#include "TextExport.h"
#include "Velmara.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace {

struct Station {
    int x, y, depth;
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

// Comparing the pieces between CR LF pairs is comparing bytes, with a
// readable report.
QStringList linesOf(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

} // namespace

// The table text, its line ends, the data window's layout rule and the
// export file's failures. A successful save is checked through both save
// buttons in tst_datiwindow.
class TestTableText : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleByteForByte();
    void valueFieldsAtTheEdges();

    void lineEnds_data();
    void lineEnds();

    void layout_data();
    void layout();

    void failuresNameTheFileAndLeaveItAlone_data();
    void failuresNameTheFileAndLeaveItAlone();
};

void TestTableText::workedExampleByteForByte()
{
    Velmara v;
    place(v, 1, {120, 300, 14, {3, 0, 27, 0, 1, 0, 4, 0, 6, 0, 2, 7}});
    place(v, 2, {245, 198, 22, {0, 5, 14, 0, 8, 0, 2, 11, 0, 1, 2, 0}});
    place(v, 3, {402, 77, 35, {12, 1, 0, 2, 6, 0, 9, 3, 0, 15, 0, 4}});
    // Rows past the count, left by deleted stations, are never read.
    for (int n = 4; n <= 100; ++n)
        place(v, n, {n, n, -n, {n % 64}});
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
    QCOMPARE(linesOf(tabletext::build(v, 3)), linesOf(expected));
}

// Each station between two others, so a field is never first or last.
void TestTableText::valueFieldsAtTheEdges()
{
    Velmara v;
    place(v, 1, {1, 1, 1, {}});
    place(v, 2, {0, 511, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}); // bottom row, left column
    place(v, 3, {511, 0, -12, {63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63}}); // top row, right column
    place(v, 4, {2, 2, 0, {}});
    const QStringList lines = linesOf(tabletext::build(v, 4));
    QCOMPARE(lines[1], QStringLiteral("x (m)\t10\t0\t5110\t20"));
    QCOMPARE(lines[2], QStringLiteral("y (m)\t5100\t0\t5110\t5090"));
    QCOMPARE(lines[3], QStringLiteral("prof. (m)\t1\t3\t-12\t0"));
    for (int sp = 1; sp <= 12; ++sp)
        QCOMPARE(lines[4 + sp], QStringLiteral("sp. %1\t0\t1\t63\t0").arg(sp));
}

// What the data window's box hands back becomes CR LF line ends, so an
// unedited box gives the table text byte for byte.
void TestTableText::lineEnds_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("file");
    QTest::newRow("LF") << QStringLiteral("a\tb\nc\n") << QStringLiteral("a\tb\r\nc\r\n");
    QTest::newRow("CR LF kept") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b\u2029") << QStringLiteral("a\r\nb\r\n");
}

void TestTableText::lineEnds()
{
    QFETCH(QString, box);
    QTEST(textexport::withCrLf(box), "file");
}

// Dragged smaller than 4100 x 2000, the window keeps that minimum in the
// dimension that was too small and is laid out for the size it is made to
// have; the other dimension follows the drag. Widening moves only "Chiudi"
// and widens only the box; heightening moves the three buttons down and
// makes only the box taller.
void TestTableText::layout_data()
{
    QTest::addColumn<QSizeF>("dragged");
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<double>("buttonsTop");
    QTest::addColumn<double>("chiudiLeft");
    QTest::newRow("both too small") << QSizeF(1000, 500) << QSizeF(4100, 2000) << QSizeF(3760, 880) << 1140.0 << 2780.0;
    QTest::newRow("too narrow") << QSizeF(3000, 5000) << QSizeF(4100, 5000) << QSizeF(3760, 3880) << 4140.0 << 2780.0;
    QTest::newRow("large") << QSizeF(15000, 9000) << QSizeF(15000, 9000) << QSizeF(14660, 7880) << 8140.0 << 13680.0;
}

void TestTableText::layout()
{
    QFETCH(QSizeF, dragged);
    QFETCH(QSizeF, box);
    QFETCH(double, buttonsTop);
    QFETCH(double, chiudiLeft);
    const DatiLayout l = DatiLayout::forOuterSize(dragged);
    QTEST(l.outer, "outer");
    QCOMPARE(l.tabella, QRectF(QPointF(120, 120), box));
    QCOMPARE(l.command2, QRectF(120, buttonsTop, 1095, 375));
    QCOMPARE(l.copiaDati, QRectF(1440, buttonsTop, 1095, 375));
    QCOMPARE(l.command1, QRectF(chiudiLeft, buttonsTop, 1095, 375));
}

void TestTableText::failuresNameTheFileAndLeaveItAlone_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "manca/dati.txt" << "non esiste";
    QTest::newRow("name of a folder") << "cartella" << "cartella con questo nome";
    QTest::newRow("folder that is a file") << "vecchio.txt/dati.txt" << "non è una cartella";
}

void TestTableText::failuresNameTheFileAndLeaveItAlone()
{
    QFETCH(QString, where);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(dir.mkdir(QStringLiteral("cartella")));
    QVERIFY(testdata::put(dir.filePath(QStringLiteral("vecchio.txt")), "resta"));
    const QString file = dir.filePath(where);

    const QString message = textexport::write(file, QStringLiteral("staz.\t1\r\n"));
    QVERIFY2(message.startsWith(QStringLiteral("Impossibile salvare il file \"%1\": ").arg(QDir::toNativeSeparators(file)))
                 && message.contains(reason) && message.endsWith(QLatin1Char('.')),
             qPrintable(message));
    // Nothing else was touched, and no temporary file is left behind.
    QCOMPARE(testdata::contents(dir.filePath(QStringLiteral("vecchio.txt"))), QByteArray("resta"));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("cartella"), QStringLiteral("vecchio.txt")}));
}

QTEST_APPLESS_MAIN(TestTableText)
#include "tst_tabletext.moc"
