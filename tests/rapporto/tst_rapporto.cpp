#include "AnalisiRun.h"
#include "Costruzione.h"
#include "ElencoTaxa.h"
#include "Indici.h"
#include "Numeri.h"
#include "PagineClasse.h"
#include "PagineRilievo.h"
#include "TestData.h"
#include "Verita.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using analisitest::analisi;
using analisitest::areaFolder;
using analisitest::poppler;

// A survey placed by the random design, as the command writes it.
QString disegnoCasuale(const QString &cartella, int n, int seme)
{
    return analisitest::design(cartella, QStringLiteral("rilievo-%1.txt").arg(seme), n, seme);
}

// Figures of a row: runs of blanks split the cells of a table line.
bool rigaCon(const QString &testo, const QStringList &campi)
{
    QStringList parti;
    for (const QString &c : campi)
        parti << QRegularExpression::escape(c);
    const QRegularExpression re(QStringLiteral("(^|\\s)") + parti.join(QStringLiteral("\\s+")) + QStringLiteral("(\\s|$)"),
                                QRegularExpression::MultilineOption);
    return re.match(testo).hasMatch();
}

QString testoDelPdf(const QString &pdf, bool layout = true)
{
    return layout ? analisitest::pdfText(pdf) : analisitest::pdfFlowText(pdf);
}

rapporto::Stima stimaDi(double media, double semi, double vera)
{
    return {{}, media, media - semi, media + semi, vera, std::abs(media - vera) <= semi};
}

} // namespace

class TestRapporto : public QObject
{
    Q_OBJECT

private slots:
    void reportShowsTheSurveyAndTheTruth();
    void classCoverageIsNearNominal();
    void classNotesAndSkippedFiles();
    void classTableKeepsEveryRow_data();
    void classTableKeepsEveryRow();
    void classSummary();
    void zonationAndTotals();
    void badUsage_data();
    void badUsage();
};

void TestRapporto::reportShowsTheSurveyAndTheTruth()
{
    QTemporaryDir dir;
    const QString file = disegnoCasuale(dir.path(), 70, 5); // the table runs over two pages
    QVERIFY(!file.isEmpty());
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const QString png = dir.filePath(QStringLiteral("pagine"));
    const analisitest::Run e = analisi({QStringLiteral("rapporto"), file, QStringLiteral("-o"), pdf, QStringLiteral("--png"), png});
    QVERIFY2(e.status == 0 && e.err.isEmpty(), qPrintable(e.err));

    const QString testo = testoDelPdf(pdf);
    const rilievo::Lettura letto = rilievo::leggiFile(file);
    const auto area = area::carica(areaFolder()).area;
    QVERIFY(letto.ok() && area);
    const Rilievo &r = *letto.rilievo;
    const auto n = [](int v) { return QString::number(v); };
    const auto indice = [](std::optional<double> v) { return numeri::fisso(v, numeri::kIndici); };
    const auto media = [](std::optional<double> v) { return numeri::fisso(v, numeri::kMedie); };
    // Each station's row: number, position, depth and the indices as indici computes them.
    for (const Stazione &s : r.stazioni) {
        const indici::Indici ix = indici::calcola(s.conteggi);
        QVERIFY2(rigaCon(testo, {n(s.numero), n(s.xm), n(s.ym), n(s.prof), n(ix.N), n(ix.S), indice(ix.shannonLn),
                                 indice(ix.pielou), indice(ix.ambi)}),
                 qPrintable(QStringLiteral("station %1").arg(s.numero)));
    }
    // Each species with its estimate, interval and true mean as verita gives them.
    const verita::Risultato v = verita::confronta(r, *area);
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        const statistica::Confronto &c = v.stime.specie[sp - 1];
        const QStringList cifre{media(c.stima.media), media(c.stima.icBasso), QStringLiteral("–"), media(c.stima.icAlto),
                                media(c.vera)};
        QVERIFY2(testo.contains(elencotaxa::nome(sp)) && rigaCon(testo, cifre), qPrintable(elencotaxa::nome(sp)));
    }
    QVERIFY(testo.contains(QStringLiteral("File: ") + QFileInfo(file).fileName())
            && testo.contains(QStringLiteral("Fondalis %1").arg(QStringLiteral(FONDALIS_VERSION))));

    // Every page as A4 in the PDF, and as a PNG of A4 at 150 dpi with ink on it.
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+59[45]\\S* x 84[12]\\S* pts \\(A4\\)"))), qPrintable(info));
    const int pagine = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    QVERIFY(pagine >= 4);
    QCOMPARE(QDir(png).entryList({QStringLiteral("*.png")}, QDir::Files).size(), pagine);
    for (int k = 1; k <= pagine; ++k) {
        const QImage img(QDir(png).filePath(QStringLiteral("pagina-%1.png").arg(k, 2, 10, QLatin1Char('0'))));
        QCOMPARE(img.size(), QSize(1240, 1754));
        int inchiostro = 0, neiMargini = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool scuro = qGray(img.pixel(x, y)) < 128;
                inchiostro += scuro;
                // 40 pt of side margin are 83 pixels at 150 dpi; a glyph may overhang a little.
                neiMargini += scuro && (x < 75 || x >= img.width() - 75);
            }
        QVERIFY2(inchiostro > 5000, qPrintable(QStringLiteral("page %1 is nearly blank").arg(k)));
        QVERIFY2(neiMargini == 0, qPrintable(QStringLiteral("page %1 has ink in its side margins").arg(k)));
    }
}

void TestRapporto::classCoverageIsNearNominal()
{
    QTemporaryDir dir;
    std::vector<costruzione::Lettura> letture;
    for (int seme = 1; seme <= 30; ++seme) {
        const QString file = disegnoCasuale(dir.path(), 20, seme);
        QVERIFY(!file.isEmpty());
        letture.push_back({file, rilievo::leggiFile(file)});
    }
    const auto area = area::carica(areaFolder()).area;
    QVERIFY(area);
    const rapporto::Classe c = costruzione::classe(letture, *area, {});
    QCOMPARE(int(c.uscite.size()), 30);
    QVERIFY(c.scartati.empty() && c.note.empty()); // one size, one area

    // The common species: found on at least half of the surveyable sea,
    // where counts are not dominated by a few dense patches.
    const auto riassunto = rapporto::riassumi(c);
    int comuni = 0;
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        long mare = 0, presente = 0;
        for (size_t i = 0; i < area->prof.size(); ++i) {
            mare += area->rilevabile(int(i)) ? 1 : 0;
            presente += area->rilevabile(int(i)) && area->conteggi[sp][i] > 0 ? 1 : 0;
        }
        if (presente * 2 < mare)
            continue;
        ++comuni;
        // Intervals that truly hold 95 % cover in Binomial(30, 0.95) of the
        // surveys: mean 28.5, SD 1.2, and 23 or fewer with probability
        // 0.06 %. Counts this skewed make Student's t a little liberal with
        // 20 stations; at a real 92 % 23 or fewer still has under 1 %. So 24
        // to 30; a wrong truth or a wrong standard error falls far below.
        QVERIFY2(riassunto[sp].coprono >= 24,
                 qPrintable(QStringLiteral("%1: %2 of 30").arg(c.nomi[sp]).arg(riassunto[sp].coprono)));
        QCOMPARE(riassunto[sp].conIntervallo, 30);
    }
    QVERIFY(comuni >= 2);
    QVERIFY(riassunto[12].coprono >= 24); // N
}

void TestRapporto::classNotesAndSkippedFiles()
{
    QTemporaryDir dir;
    QStringList files;
    for (int seme : {3, 4})
        files << disegnoCasuale(dir.path(), 10 + seme, seme);
    // The same survey with one station's depth edited: another area's.
    QStringList righe = QString::fromUtf8(testdata::contents(files[0])).split(QStringLiteral("\r\n"));
    QStringList prof = righe[3].split(QLatin1Char('\t'));
    prof[2] = QString::number(prof[2].toInt() + 9);
    righe[3] = prof.join(QLatin1Char('\t'));
    const QString altraPath = dir.filePath(QStringLiteral("altra-area.txt"));
    QVERIFY(testdata::put(altraPath, righe.join(QStringLiteral("\r\n")).toUtf8()));
    const QString rotto = dir.filePath(QStringLiteral("rotto.txt"));
    QVERIFY(testdata::put(rotto, QByteArray("staz.\t1\r\nx (m)\tdieci\r\n")));
    files << altraPath << rotto << dir.filePath(QStringLiteral("mancante.txt"));

    const QString pdf = dir.filePath(QStringLiteral("classe.pdf"));
    const analisitest::Run e = analisi(QStringList{QStringLiteral("classe")} + files + QStringList{QStringLiteral("-o"), pdf});
    QCOMPARE(e.status, 0);
    QVERIFY(e.err.contains(QStringLiteral("rotto.txt")) && e.err.contains(QStringLiteral("mancante.txt")));
    const QString testo = testoDelPdf(pdf, false).simplified();
    QVERIFY2(testo.contains(QStringLiteral("Rilievi usati: 3 di 5 file")), qPrintable(testo.left(400)));
    QVERIFY(testo.contains(QStringLiteral("rotto.txt:")) && testo.contains(QStringLiteral("mancante.txt:")));
    QVERIFY(testo.contains(QStringLiteral("altra-area.txt: la profondità delle stazioni 2 "))
            && testo.contains(QStringLiteral("numero diverso di stazioni in mare")));

    // Nothing usable: no report.
    const analisitest::Run nulla = analisi({QStringLiteral("classe"), rotto, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.pdf"))});
    QVERIFY(nulla.status == 1 && !QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
}

void TestRapporto::classTableKeepsEveryRow_data()
{
    QTest::addColumn<int>("rilievi");
    QTest::addColumn<int>("note");
    QTest::newRow("riassunto sulla pagina dopo") << 55 << 0;
    QTest::newRow("tre pagine, molte note") << 130 << 30;
}

void TestRapporto::classTableKeepsEveryRow()
{
    QFETCH(int, rilievi);
    QFETCH(int, note);
    rapporto::Classe c;
    c.fileDati = rilievi;
    std::vector<rapporto::Stima> stime;
    for (int q = 1; q <= 14; ++q) {
        c.nomi.push_back(QStringLiteral("specie%1").arg(q));
        c.verita.push_back(q);
        stime.push_back(stimaDi(q + 0.25, 0.5, q));
    }
    for (int u = 0; u < rilievi; ++u)
        c.uscite.push_back({QStringLiteral("u%1.txt").arg(u), 5 + u % 7, stime});
    for (int k = 0; k < note; ++k)
        c.note.push_back(QStringLiteral("nota %1").arg(k));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("classe.pdf"));
    QVERIFY(rapporto::documentoClasse(c).scrivi(pdf, {}).isEmpty());
    const QString testo = testoDelPdf(pdf);
    for (int u = 0; u < rilievi; ++u)
        QVERIFY2(testo.contains(QRegularExpression(QStringLiteral("\\bu%1\\.txt\\s+%2\\s+1\\.25").arg(u).arg(5 + u % 7))),
                 qPrintable(QStringLiteral("survey %1").arg(u)));
    QCOMPARE(testo.count(QStringLiteral("coperture (su %1)").arg(rilievi)), 1);
    QCOMPARE(testo.count(QRegularExpression(QStringLiteral("media vera\\s+1\\.00\\s+2\\.00"))), 1);
    for (int k = 0; k < note; ++k)
        QVERIFY(testo.contains(QStringLiteral("nota %1\n").arg(k)));
}

void TestRapporto::classSummary()
{
    // Three surveys of one quantity: estimates 2, 4, 9 around a truth of 4.
    rapporto::Classe c;
    c.nomi = {QStringLiteral("a")};
    c.verita = {4};
    for (double m : {2.0, 4.0, 9.0})
        c.uscite.push_back({{}, 0, {stimaDi(m, 2.5, 4)}});
    c.uscite[1].stime[0].basso = c.uscite[1].stime[0].alto = std::nullopt; // one station: no interval
    c.uscite[1].stime[0].copre = std::nullopt;
    // The same value at every station: an interval of zero width, whose
    // coverage is not told, however close the truth, and not counted.
    const auto uniforme = costruzione::stima(QStringLiteral("a"), statistica::confronta(statistica::stimaMedia({3, 3, 3}), 3.0));
    QVERIFY(uniforme.basso && !uniforme.copre && !uniforme.manca());
    c.uscite.push_back({{}, 0, {uniforme}});
    const auto r = rapporto::riassumi(c);
    QCOMPARE(r[0].media, 4.5);
    QCOMPARE(*r[0].deviazione, std::sqrt((6.25 + 0.25 + 20.25 + 2.25) / 3.0));
    QCOMPARE(r[0].conIntervallo, 2);
    QCOMPARE(r[0].coprono, 1);
    c.uscite.resize(1);
    QVERIFY(!rapporto::riassumi(c)[0].deviazione);
}

void TestRapporto::zonationAndTotals()
{
    const auto area = area::carica(areaFolder()).area;
    QVERIFY(area);
    const rilievo::Lettura l = rilievo::leggi(QByteArray("staz.\t1\t2\t3\r\nx (m)\t1000\t2500\t4000\r\n"
                                                         "y (m)\t3000\t2000\t1000\r\nprof. (m)\t0\t12\t40\r\n\r\n"
                                                         "sp. 1\t0\t5\t1\r\nsp. 2\t0\t0\t2\r\nsp. 3\t0\t0\t0\r\n"
                                                         "sp. 4\t0\t0\t0\r\nsp. 5\t0\t3\t0\r\nsp. 6\t0\t0\t0\r\n"
                                                         "sp. 7\t0\t0\t0\r\nsp. 8\t0\t0\t0\r\nsp. 9\t0\t0\t0\r\n"
                                                         "sp. 10\t0\t0\t7\r\nsp. 11\t0\t0\t0\r\nsp. 12\t0\t0\t0\r\n"));
    QVERIFY2(l.ok(), qPrintable(l.errore));
    const rapporto::Rilievo r = costruzione::rilievo(*l.rilievo, *area, QImage(), {});
    QCOMPARE(r.stazioni[1].pixel, QPoint(250, 311));
    QCOMPARE(r.complessivo->n, 18);
    QCOMPARE(r.abbondanze[0].totale, 6L);
    // The station at 0 m is no sea: it stands in no zonation.
    QCOMPARE(r.zonazione[0].stazioni, (std::vector<QPointF>{{12, 5}, {40, 1}}));
    // Band k of the true profile sits at index k, whatever bands the area lacks.
    for (const verita::Banda &b : verita::profilo(*area, 5)) {
        const auto &v = r.zonazione[9].profiloVero.at(size_t(b.da / 5));
        QCOMPARE(v.has_value(), b.vera.pixel > 0);
        if (v)
            QCOMPARE(*v, b.vera.media[9]);
    }
}

void TestRapporto::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("stato");
    QTest::newRow("rapporto senza file") << QStringList{QStringLiteral("rapporto")} << 2;
    QTest::newRow("rilievo mancante") << QStringList{QStringLiteral("rapporto"), QStringLiteral("/nessuno/r.txt")} << 1;
    QTest::newRow("area mancante") << QStringList{QStringLiteral("classe"), QStringLiteral("a"), QStringLiteral("--area"), QStringLiteral("/nessuna")} << 1;
}

void TestRapporto::badUsage()
{
    QFETCH(QStringList, args);
    QFETCH(int, stato);
    const analisitest::Run e = analisi(args);
    QCOMPARE(e.status, stato);
    QVERIFY(!e.err.isEmpty() && e.out.isEmpty()); // never a result beside a failure
}

QTEST_MAIN(TestRapporto)
#include "tst_rapporto.moc"
