#include "Formati.h"
#include "Rilievo.h"
#include "TableText.h"
#include "TestData.h"
#include "Velmara.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Three stations as the program's own table code writes them.
Velmara treStazioni()
{
    Velmara v;
    const int posizioni[3][3] = {{100, 200, 12}, {300, 50, 45}, {511, 0, 150}};
    for (int i = 1; i <= 3; ++i) {
        for (int k = Velmara::kX; k <= Velmara::kProf; ++k)
            v.Stazioni[i][k] = static_cast<std::int16_t>(posizioni[i - 1][k - Velmara::kX]);
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
            v.Conteggi[i][sp] = static_cast<std::int16_t>((i * 7 + sp * 5) % 64);
    }
    return v;
}

QByteArray tabella() { return tabletext::build(treStazioni(), 3).toUtf8(); }

// The table with line k (1-based) changed by the edit.
QByteArray conRiga(int k, const std::function<QByteArray(QByteArray)> &modifica)
{
    QList<QByteArray> righe = tabella().split('\n');
    righe[k - 1] = modifica(righe[k - 1]);
    return righe.join('\n');
}

QByteArray sostituisci(int k, const QByteArray &da, const QByteArray &a)
{
    return conRiga(k, [&](QByteArray r) { return r.replace(da, a); });
}

} // namespace

class TestRilievo : public QObject
{
    Q_OBJECT

private slots:
    void rilettoComeScritto_data();
    void rilettoComeScritto();
    void tabelleMalformate_data();
    void tabelleMalformate();
    void formatiCsv();
    void fileEnormi();
};

void TestRilievo::rilettoComeScritto_data()
{
    QTest::addColumn<QByteArray>("testo");
    const QByteArray crlf = tabella();
    QTest::newRow("CR LF") << crlf;
    QTest::newRow("LF") << QByteArray(crlf).replace("\r\n", "\n");
    QTest::newRow("BOM UTF-8") << QByteArray("\xEF\xBB\xBF") + crlf;
    // A spreadsheet's Windows-1252 text: the only non-ASCII byte is a blank
    // (0xA0) around a number, which reads as space.
    QTest::newRow("Windows-1252") << sostituisci(6, "\t", "\t\xA0");
}

void TestRilievo::rilettoComeScritto()
{
    QFETCH(QByteArray, testo);
    const rilievo::Lettura l = rilievo::leggi(testo);
    QVERIFY2(l.ok(), qPrintable(l.errore));
    // Read back, the survey gives the program the very table it came from,
    // positions and all (the third station is in the map's top right pixel).
    QCOMPARE(tabletext::build(l.rilievo->velmara(), l.rilievo->numStazioni()).toUtf8(), tabella());
}

void TestRilievo::tabelleMalformate_data()
{
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<QString>("messaggio");

    QByteArray senzaRiga = tabella();
    senzaRiga.remove(senzaRiga.indexOf("sp. 7"), senzaRiga.indexOf("sp. 8") - senzaRiga.indexOf("sp. 7"));
    QByteArray troppe = "staz.";
    for (int i = 1; i <= 101; ++i)
        troppe += "\t" + QByteArray::number(i);
    troppe += tabella().mid(tabella().indexOf("\r\n"));

    QTest::newRow("vuoto") << QByteArray() << "il file è vuoto";
    QTest::newRow("binario") << QByteArray("staz.\t1\0\x01\x02", 10) << "riga 1: il file non è un testo";
    QTest::newRow("enorme") << QByteArray(rilievo::kMaxBytes + 1, 'a') << "troppo grande";
    QTest::newRow("riga mancante") << senzaRiga << "riga 12: manca la riga «sp. 7»";
    QTest::newRow("etichetta") << sostituisci(2, "x (m)", "x (km)") << "riga 2: attesa l'etichetta «x (m)», trovato «x (km)»";
    QTest::newRow("non intero") << sostituisci(8, "\t29", "\t2.9") << "riga 8 («sp. 3»), stazione 2: «2.9» non è un numero intero";
    QTest::newRow("lunghezze diverse") << conRiga(3, [](QByteArray r) { return r.left(r.lastIndexOf('\t')) + "\r"; })
                                       << "riga 3 («y (m)»): 2 valori invece di 3";
    QTest::newRow("conteggio 64") << sostituisci(8, "\t29", "\t64") << "riga 8 («sp. 3»), stazione 2: il conteggio 64 è fuori dall'intervallo 0 … 63";
    QTest::newRow("fuori mappa") << sostituisci(2, "\t3000", "\t5120") << "riga 2 («x (m)»), stazione 2: 5120 m è fuori dalla mappa";
    QTest::newRow("fuori pixel") << sostituisci(3, "\t4610", "\t4615") << "riga 3 («y (m)»), stazione 2: 4615 m non cade su un pixel";
    QTest::newRow("profondità") << sostituisci(4, "\t45", "\t400") << "400 m è fuori dalle profondità possibili";
    QTest::newRow("numero stazione") << sostituisci(1, "\t2", "\t5") << "riga 1 («staz.»), stazione 2: atteso il numero 2, trovato 5";
    QTest::newRow("nessuna stazione") << tabletext::build(Velmara{}, 0).toUtf8() << "riga 1: la tabella non ha stazioni";
    QTest::newRow("più di 100") << troppe << "riga 1: 101 stazioni, al più 100";
    QTest::newRow("riga vuota piena") << sostituisci(5, "\r", "x\r") << "riga 5: attesa la riga vuota";
    QTest::newRow("righe in più") << tabella() + "sp. 13\t1\t2\t3\r\n" << "riga 18: righe in più";
}

void TestRilievo::tabelleMalformate()
{
    QFETCH(QByteArray, testo);
    QFETCH(QString, messaggio);
    const rilievo::Lettura l = rilievo::leggi(testo);
    QVERIFY2(!l.ok() && l.errore.contains(messaggio), qPrintable(l.errore));
}

void TestRilievo::formatiCsv()
{
    const Rilievo r = *rilievo::leggi(tabella()).rilievo;
    const QStringList lungo = formati::lungo(r).split(QStringLiteral("\r\n"));
    QCOMPARE(lungo.size(), 1 + 3 * Velmara::kNumSpecie + 1); // the last line end leaves an empty tail
    QCOMPARE(lungo.first(), QStringLiteral("stazione,x_m,y_m,prof_m,specie,conteggio"));
    QCOMPARE(lungo[1], QStringLiteral("1,1000,3110,12,Nephtys,12"));
    QCOMPARE(lungo[3 * Velmara::kNumSpecie], QStringLiteral("3,5110,5110,150,Capitella capitata,17"));

    const QStringList trasposto = formati::trasposto(r).split(QStringLiteral("\r\n"));
    QVERIFY(trasposto.first().startsWith(QStringLiteral("stazione,x_m,y_m,prof_m,Nephtys,Lanice conchilega,")));
    QCOMPARE(trasposto.first().count(QLatin1Char(',')), 3 + Velmara::kNumSpecie);
    QCOMPARE(trasposto[2], QStringLiteral("2,3000,4610,45,19,24,29,34,39,44,49,54,59,0,5,10"));
}

// A table of a million lines, as a spreadsheet might export by mistake, and
// a file of a gigabyte are refused by their size, read only up to the limit.
void TestRilievo::fileEnormi()
{
    QTemporaryDir dir;
    const QString milione = dir.filePath(QStringLiteral("milione.txt"));
    QByteArray righe = tabella();
    while (righe.count('\n') < 1000000)
        righe += righe;
    QVERIFY(testdata::put(milione, righe));
    QVERIFY(rilievo::leggi(righe).errore.contains(QStringLiteral("troppo grande")));
    const QString giga = dir.filePath(QStringLiteral("giga.txt"));
    QFile vuoto(giga);
    QVERIFY(vuoto.open(QIODevice::WriteOnly) && vuoto.resize(qint64(1) << 30));
    vuoto.close();
    const testdata::MemoryWatch memoria;
    for (const QString &file : {milione, giga}) {
        const rilievo::Lettura l = rilievo::leggiFile(file);
        QVERIFY2(!l.ok() && l.errore.contains(QStringLiteral("troppo grande")), qPrintable(l.errore));
    }
    QVERIFY2(memoria.grownMegabytes() < 50, qPrintable(QString::number(memoria.grownMegabytes())));
}

QTEST_APPLESS_MAIN(TestRilievo)
#include "tst_rilievo.moc"
