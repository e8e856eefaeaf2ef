#include "Accumulo.h"
#include "Analisi.h"
#include "Comunita.h"
#include "Numeri.h"
#include "Rilievo.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "TestData.h"
#include "TextExport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Esito {
    int stato = -1;
    QString out, err;
};

QString areaDelProgramma() { return qEnvironmentVariable("FONDALIS_DATA_DIR"); }

Esito esegui(const QStringList &args)
{
    Esito e;
    QTextStream out(&e.out);
    QTextStream err(&e.err);
    e.stato = runAnalisi(args, out, err, areaDelProgramma());
    return e;
}

} // namespace

class TestAnalisi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void statiDiUscita_data();
    void statiDiUscita();
    void disegnoComeSalvaDati_data();
    void disegnoComeSalvaDati();
    void semeRipetibile();
    void soloMessaggiPropri();
    void comunitaESforzo();

private:
    QString file(const QString &nome) const { return dir_.filePath(nome); }
    QTemporaryDir dir_;
};

void TestAnalisi::initTestCase()
{
    QVERIFY(dir_.isValid() && QFileInfo::exists(QDir(areaDelProgramma()).filePath(QStringLiteral("bati.bmp"))));
    const Esito e = esegui({"disegno", "casuale", "12", "--seme", "4"});
    QCOMPARE(e.stato, 0);
    QVERIFY(testdata::put(file(QStringLiteral("rilievo.txt")), e.out.toUtf8()));
    QVERIFY(testdata::put(file(QStringLiteral("rotto.txt")), e.out.toUtf8().replace("sp. 4\t", "sp. 4\tx")));
    QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("vuota")));
    // Station 1 with no organism, as on the beach: its indices are undefined.
    const QRegularExpression conteggio(QStringLiteral("^(sp\\. \\d+)\\t\\d+"), QRegularExpression::MultilineOption);
    const QString azoico = QString(e.out).replace(conteggio, QStringLiteral("\\1\t0"));
    QVERIFY(testdata::put(file(QStringLiteral("azoico.txt")), azoico.toUtf8()));
    // Every station without organisms; and a survey of one station.
    const QRegularExpression conteggi(QStringLiteral("^(sp\\. \\d+)(\\t\\d+)+"), QRegularExpression::MultilineOption);
    QVERIFY(testdata::put(file(QStringLiteral("vuoto.txt")),
                          QString(e.out).replace(conteggi, QStringLiteral("\\1") + QStringLiteral("\t0").repeated(12)).toUtf8()));
    const Esito una = esegui({"disegno", "casuale", "1", "--seme", "4"});
    QVERIFY(testdata::put(file(QStringLiteral("una.txt")), una.out.toUtf8()));
}

void TestAnalisi::statiDiUscita_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("testo"); // in the output for 0, in the errors otherwise

    const QString ok = file(QStringLiteral("rilievo.txt"));
    QTest::newRow("nessun comando") << QStringList{} << 2 << "Uso: fondalis-analisi";
    QTest::newRow("aiuto") << QStringList{"--help"} << 0 << "Comandi:";
    QTest::newRow("aiuto di un comando") << QStringList{"verita", "--help"} << 0 << "Esempio: fondalis-analisi verita";
    QTest::newRow("comando sconosciuto") << QStringList{"media", ok} << 2 << "comando sconosciuto «media»";
    QTest::newRow("manca il file") << QStringList{"indici"} << 2 << "attesi 1 argomenti, dati 0";
    QTest::newRow("valore mancante") << QStringList{"verita", ok, "--strati"} << 2 << "manca il valore di --strati";
    QTest::newRow("file inesistente") << QStringList{"indici", file("no.txt")} << 1 << "impossibile leggere";
    QTest::newRow("tabella rotta") << QStringList{"indici", file("rotto.txt")} << 1 << "riga 9 («sp. 4»), stazione 1: «x";
    QTest::newRow("area senza immagini") << QStringList{"verita", ok, "--area", file("vuota")} << 1 << "\"bati.bmp\"";
    QTest::newRow("strati decrescenti") << QStringList{"verita", ok, "--strati", "0,30,10"} << 2 << "devono crescere";
    QTest::newRow("zero stazioni") << QStringList{"disegno", "casuale", "0"} << 2 << "da 1 a 100";
    QTest::newRow("disegno sconosciuto") << QStringList{"disegno", "sistematico", "10"} << 2 << "disegno sconosciuto";
    QTest::newRow("seme non numerico") << QStringList{"disegno", "casuale", "10", "--seme", "x"} << 2 << "il seme";
    QTest::newRow("verita per strati") << QStringList{"verita", ok, "--strati", "0,10,30,60,200"} << 0 << "12 Capitella capitata\t";
    const QString azoico = file(QStringLiteral("azoico.txt"));
    QTest::newRow("indici, intestazione") << QStringList{"indici", azoico} << 0 << "\t12\trilievo\r\nN\t0\t";
    QTest::newRow("indici non definiti") << QStringList{"indici", azoico} << 0 << "\r\nH' (ln)\tn.d.\t";
    QTest::newRow("classe azoica") << QStringList{"indici", azoico} << 0 << "\r\nclasse AMBI\tazoico\t";
    QTest::newRow("formato lungo") << QStringList{"formato", "lungo", ok} << 0 << "stazione,x_m,y_m,prof_m,specie,conteggio\r\n1,";
    QTest::newRow("comunita") << QStringList{"comunita", ok} << 0 << "trasformazione: radice quadrata; taglio al 40.0 % di similarità\n";
    QTest::newRow("comunita senza organismi") << QStringList{"comunita", azoico} << 0 << "Stazioni senza organismi, lasciate fuori: 1.\n";
    QTest::newRow("comunita presenza") << QStringList{"comunita", ok, "--trasformazione", "presenza"} << 0
                                       << "Similarità di Bray-Curtis (%), presenza/assenza\nstaz.\t1\t";
    QTest::newRow("comunita in gruppi") << QStringList{"comunita", ok, "--gruppi", "12"} << 0 << "Gruppi: 12, tagliando";
    QTest::newRow("comunita taglio") << QStringList{"comunita", ok, "--taglio", "100.1"} << 2 << "da 0 a 100";
    QTest::newRow("comunita gruppi zero") << QStringList{"comunita", ok, "--gruppi", "0"} << 2 << "da 1 in su";
    QTest::newRow("comunita troppi gruppi") << QStringList{"comunita", azoico, "--gruppi", "12"} << 2
                                            << "12 gruppi sono più delle 11 stazioni";
    QTest::newRow("comunita trasformazione") << QStringList{"comunita", ok, "--trasformazione", "log"} << 2 << "«log»";
    QTest::newRow("comunita seme") << QStringList{"comunita", ok, "--seme", "uno"} << 2 << "il seme";
    QTest::newRow("comunita strati") << QStringList{"comunita", ok, "--strati", "0,30,10"} << 2 << "devono crescere";
    QTest::newRow("comunita una stazione") << QStringList{"comunita", file("una.txt")} << 1 << "almeno 3 stazioni con organismi";
    QTest::newRow("comunita tutte vuote") << QStringList{"comunita", file("vuoto.txt")} << 1 << "ne ha 0 su 12";
    QTest::newRow("sforzo") << QStringList{"sforzo", ok} << 0 << "\nstimatore\tS stimate\tES\n";
    QTest::newRow("sforzo opzione") << QStringList{"sforzo", ok, "--seme", "1"} << 2 << "opzione sconosciuta «--seme»";
    QTest::newRow("sforzo una stazione") << QStringList{"sforzo", file("una.txt")} << 1 << "almeno 2 stazioni in mare";
    QTest::newRow("sforzo tutte vuote") << QStringList{"sforzo", file("vuoto.txt")} << 1 << "nessuna stazione del rilievo ha organismi";
}

void TestAnalisi::statiDiUscita()
{
    QFETCH(QStringList, args);
    QFETCH(QString, testo);
    const Esito e = esegui(args);
    QTEST(e.stato, "stato");
    QVERIFY2((e.stato == 0 ? e.out : e.err).contains(testo), qPrintable(e.out + e.err));
    QVERIFY(e.stato == 0 || e.out.isEmpty()); // never a result beside a failure
}

void TestAnalisi::disegnoComeSalvaDati_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("n");
    QTest::newRow("casuale") << "casuale" << 100;
    QTest::newRow("griglia") << "griglia" << 37;
    QTest::newRow("stratificato") << "stratificato" << 25;
}

// The printed table is the file "Salva dati" writes after a user clicked
// the same pixels on the program's own map.
void TestAnalisi::disegnoComeSalvaDati()
{
    QFETCH(QString, tipo);
    QFETCH(int, n);
    const Esito e = esegui({"disegno", tipo, QString::number(n), "--seme", "21"});
    const rilievo::Lettura l = rilievo::leggi(e.out.toUtf8());
    QVERIFY2(e.stato == 0 && l.ok() && l.rilievo->numStazioni() == n, qPrintable(e.err + l.errore));

    Velmara v;
    SurveyMap mappa(v);
    QVERIFY(mappa.loadImages(areaDelProgramma()).isEmpty());
    for (const Stazione &s : l.rilievo->stazioni) {
        mappa.readCursor(float(s.colonna()), float(s.riga()));
        QCOMPARE(mappa.leftClick(float(s.colonna()), float(s.riga())), SurveyMap::LeftClick::Placed);
    }
    const QString salvato = file(QStringLiteral("salvato-%1.txt").arg(tipo));
    QVERIFY(textexport::write(salvato, tabletext::build(v, mappa.NumStazioni)).isEmpty());
    QCOMPARE(e.out.toUtf8(), testdata::contents(salvato));
}

// The seed chosen is told, and gives the same survey again.
void TestAnalisi::semeRipetibile()
{
    const QStringList casuale{"disegno", "casuale", "30"};
    const Esito senzaSeme = esegui(casuale);
    const QString seme = senzaSeme.err.section(QLatin1Char(' '), 1, 1);
    QVERIFY2(senzaSeme.stato == 0 && senzaSeme.err.startsWith(QStringLiteral("seme: ")), qPrintable(senzaSeme.err));
    QCOMPARE(esegui(casuale + QStringList{"--seme", seme}).out, senzaSeme.out);
    QVERIFY(esegui(casuale + QStringList{"--seme", seme + QLatin1Char('1')}).out != senzaSeme.out);
}

// On a console or over ssh nothing of Qt's own reaches the user: the real
// program, with no XDG_RUNTIME_DIR, says only what it has to say, and its
// help is written in proper Italian, accents and all.
void TestAnalisi::soloMessaggiPropri()
{
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    ambiente.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const auto lancia = [&](const QStringList &args) {
        QProcess p;
        p.setProcessEnvironment(ambiente);
        p.start(QDir(areaDelProgramma()).filePath(QStringLiteral("fondalis-analisi")), args);
        const bool finito = p.waitForFinished(60000);
        return Esito{finito ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                     QString::fromUtf8(p.readAllStandardError())};
    };
    const QString pdf = file(QStringLiteral("silenzioso.pdf"));
    const Esito rapporto = lancia({"rapporto", file(QStringLiteral("rilievo.txt")), "-o", pdf});
    QVERIFY2(rapporto.stato == 0 && rapporto.err.isEmpty(), qPrintable(rapporto.err));
    QVERIFY(QFileInfo(pdf).size() > 0);

    const QRegularExpression accentoApostrofo(QStringLiteral("[aeiouAEIOU]'(\\s|$)"), QRegularExpression::MultilineOption);
    QStringList aiuti{lancia({"--help"}).out};
    for (const char *comando : {"indici", "verita", "disegno", "formato", "comunita", "sforzo", "rapporto", "classe"})
        aiuti << lancia({QString::fromLatin1(comando), "--help"}).out;
    for (const QString &aiuto : aiuti) {
        QVERIFY(aiuto.startsWith(QStringLiteral("Uso: fondalis-analisi")));
        QVERIFY2(!aiuto.contains(accentoApostrofo), qPrintable(aiuto.split(QLatin1Char('\n')).filter(accentoApostrofo).join('\n')));
    }
    QVERIFY(aiuti.first().contains(QStringLiteral("verità")));
}

// The printed figures are the analyses' own, and a seed repeats the run.
void TestAnalisi::comunitaESforzo()
{
    const QString ok = file(QStringLiteral("rilievo.txt"));
    const Esito e = esegui({"comunita", ok, "--seme", "3"});
    QCOMPARE(e.stato, 0);
    const rilievo::Lettura l = rilievo::leggiFile(ok);
    comunita::Opzioni o;
    o.seme = 3;
    const comunita::Analisi a = *comunita::analizza(*l.rilievo, o).analisi;
    QVERIFY(e.out.contains(QStringLiteral("nMDS in 2 dimensioni: stress %1, %2; 20 partenze (PCoA e 19 casuali, seme 3), %3 al minimo")
                               .arg(numeri::fisso(a.nmds.stress, 2), ordinamento::lettura(a.nmds.stress))
                               .arg(a.nmds.alMinimo)));
    QVERIFY(e.out.contains(QStringLiteral("Correlazione cofenetica: %1\n").arg(numeri::fisso(a.cofenetica, 3))));
    // The matrix's first row: station 2 against station 1.
    QVERIFY(e.out.contains(QStringLiteral("\n%1\t%2\n").arg(a.numeri[1]).arg(numeri::fisso(100.0 - a.dissimilarita(1, 0), 1))));
    const auto area = area::carica(areaDelProgramma()).area;
    const assemblaggi::Mappa m = assemblaggi::calcola(*area, o.trasformazione, o.taglio);
    const comunita::Confronto c = comunita::confronta(a, *l.rilievo, m);
    QVERIFY(e.out.contains(QStringLiteral("Indice di Rand corretto tra gruppi del rilievo e assemblaggi veri: %1\n")
                               .arg(numeri::fisso(c.rand, 3))));
    QCOMPARE(esegui({"comunita", ok, "--seme", "3"}).out, e.out);
    QVERIFY(e.out.contains(QStringLiteral("SIMPER, gruppo 1 (")) || a.simperEntro.empty());

    const Esito s = esegui({"sforzo", ok});
    const accumulo::Sforzo sf = *accumulo::sforzo(*l.rilievo, *area).sforzo;
    QVERIFY(s.out.contains(QStringLiteral("\n1\t%1\t%2\t%3\n")
                               .arg(numeri::fisso(sf.curva.front().specie, 2), numeri::fisso(sf.curva.front().deviazione, 2),
                                    numeri::fisso(accumulo::attese(sf.vera, 1), 2))));
    QVERIFY(s.out.contains(QStringLiteral("Jackknife 1\t%1\t%2\n").arg(numeri::fisso(sf.stime.jack1, 2), numeri::fisso(sf.stime.jack1Errore, 2))));
    QVERIFY(s.out.contains(QStringLiteral("Specie presenti nel mare rilevabile: %1\n").arg(sf.vera.specie)));
}

QTEST_APPLESS_MAIN(TestAnalisi)
#include "tst_analisi.moc"
