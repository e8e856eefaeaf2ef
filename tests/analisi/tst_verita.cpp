#include "Area.h"
#include "Disegno.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Verita.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <set>

namespace {

// The test area: testdata's default bathymetry (sea from column 60, depth
// 24 + column / 4 m, so 39 .. 151 m; columns 50 .. 59 a beach at 0 m or
// less). Species 1 has 8 organisms where the depth is 95 m or less
// (columns 60 .. 287) and none deeper; species 2 has 2 everywhere; the
// others none. By construction the true means over the 452 x 512 pixels of
// sea are 8 * 228 / 452, 2 and 0.
constexpr double kSea = 452.0 * 512.0;
constexpr double kVeraSp1 = 8.0 * 228.0 / 452.0;

QRgb conteggio(int k)
{
    const int r = 255 - mapcolour::darknessForCount(k);
    return qRgb(r, r, r);
}

QRgb specieDiProva(int sp, int x, int)
{
    if (sp == 1)
        return conteggio(x >= 60 && x <= 287 ? 8 : 0);
    return conteggio(sp == 2 ? 2 : 0);
}

Stazione stazione(int numero, int colonna, int riga)
{
    Stazione s;
    s.numero = numero;
    s.xm = 10 * colonna;
    s.ym = 5110 - 10 * riga;
    s.prof = colonna >= 60 ? 24 + colonna / 4 : 40 + (colonna - 50) * 4 - 76;
    if (s.prof > 0) {
        s.conteggi[0] = colonna <= 287 ? 8 : 0;
        s.conteggi[1] = 2;
    }
    return s;
}

// Two stations in each half of the sea, one on the beach.
Rilievo rilievoDiProva()
{
    Rilievo r;
    r.stazioni = {stazione(1, 100, 10), stazione(2, 200, 300), stazione(3, 300, 10), stazione(4, 400, 400),
                  stazione(5, 55, 10)};
    return r;
}

bool vicino(double a, double b) { return std::fabs(a - b) < 1e-12; }

} // namespace

class TestVerita : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void veraPerCostruzione();
    void profiloPerBande();
    void stimaSemplice();
    void stimaStratificata();
    void stratiConPocheStazioni();
    void stratiSuParteDelMare();
    void stazioniDiAltreAree();
    void limitiDegliStrati();
    void ripartizione_data();
    void ripartizione();
    void disegniSulMareRilevabile_data();
    void disegniSulMareRilevabile();
    void stratificatoInProporzione();

private:
    QTemporaryDir dir_;
    Area area_;
};

void TestVerita::initTestCase()
{
    QVERIFY(dir_.isValid());
    testdata::MapSet set;
    set.species = specieDiProva;
    QVERIFY(testdata::writeMapSet(dir_.path(), set));
    area::Caricamento c = area::carica(dir_.path());
    QVERIFY2(c.area, qPrintable(c.errore));
    area_ = std::move(*c.area);
}

void TestVerita::veraPerCostruzione()
{
    const verita::Vera v = verita::sullArea(area_);
    QCOMPARE(v.pixel, static_cast<long>(kSea));
    QVERIFY(vicino(v.media[0], kVeraSp1));
    QCOMPARE(v.media[1], 2.0);
    QCOMPARE(v.media[2], 0.0);
    QVERIFY(vicino(v.mediaN, kVeraSp1 + 2.0));
    QVERIFY(vicino(v.mediaS, (2.0 * 228 + 224) / 452.0));
    // The deep half alone: no species 1.
    QCOMPARE(verita::sullArea(area_, 95, 200).media[0], 0.0);
    QCOMPARE(verita::sullArea(area_, 95, 200).pixel, 224L * 512);
}

void TestVerita::profiloPerBande()
{
    const std::vector<verita::Banda> bande = verita::profilo(area_, 5);
    QCOMPARE(bande.size(), std::size_t(31)); // down to 151 m
    const verita::Banda &b = bande[9];        // (45, 50]: columns 88 .. 107
    QCOMPARE(b.da, 45);
    QCOMPARE(b.a, 50);
    QCOMPARE(b.vera.pixel, 20L * 512);
    QCOMPARE(b.vera.media[0], 8.0);
    QCOMPARE(bande[18].vera.media[0], 8.0); // (90, 95]
    QCOMPARE(bande[19].vera.media[0], 0.0); // (95, 100]
    QCOMPARE(bande[0].vera.pixel, 0L);      // no sea shallower than 39 m
}

void TestVerita::stimaSemplice()
{
    const verita::Risultato r = verita::confronta(rilievoDiProva(), area_);
    QCOMPARE(r.usate, 4);
    QCOMPARE(r.escluse, std::vector<int>{5});
    const statistica::Confronto &sp1 = r.stime.specie[0];
    QCOMPARE(*sp1.stima.media, 4.0);
    QVERIFY(vicino(sp1.vera, kVeraSp1));
    QVERIFY(vicino(*sp1.erroreRelativo, (4.0 - kVeraSp1) / kVeraSp1));
    QCOMPARE(*sp1.copre, true);
    // Every station has 2 of species 2: no spread, and the truth is 2.
    QCOMPARE(*r.stime.specie[1].stima.errore, 0.0);
    QCOMPARE(*r.stime.specie[1].copre, true);
    QVERIFY(!r.stime.specie[2].erroreRelativo);
    QCOMPARE(*r.stime.S.stima.media, 1.5);
}

void TestVerita::stimaStratificata()
{
    // The strata split the sea where species 1 stops: each stratum is
    // uniform, so the weighted estimate is the truth with no error.
    const verita::RisultatoStrati r = verita::confrontaPerStrati(rilievoDiProva(), area_, {0, 95, 200});
    QCOMPARE(r.strati.size(), std::size_t(2));
    QVERIFY(vicino(r.strati[0].peso, 228.0 / 452.0));
    QCOMPARE(r.strati[0].stazioni, (std::vector<int>{1, 2}));
    QCOMPARE(r.strati[1].stazioni, (std::vector<int>{3, 4}));
    QCOMPARE(r.fuori, std::vector<int>{5});
    QCOMPARE(r.gradi, 2);
    const statistica::Confronto &sp1 = r.stime.specie[0];
    QVERIFY(vicino(*sp1.stima.media, kVeraSp1));
    QCOMPARE(*sp1.stima.errore, 0.0);
    QCOMPARE(*sp1.copre, true);
    QVERIFY(verita::stratiScarsi(r).empty());
}

void TestVerita::stratiConPocheStazioni()
{
    const verita::RisultatoStrati r = verita::confrontaPerStrati(rilievoDiProva(), area_, {0, 50, 95, 200});
    const std::vector<verita::Strato> scarsi = verita::stratiScarsi(r);
    QCOMPARE(scarsi.size(), std::size_t(2));
    QCOMPARE(scarsi[0].da, 0);
    QCOMPARE(scarsi[1].da, 50);
    // One station a stratum: a mean, but no error and no interval.
    QVERIFY(r.stime.specie[0].stima.media);
    QVERIFY(!r.stime.specie[0].stima.errore);
    QVERIFY(!r.stime.specie[0].copre);

    // A stratum with sea and no station leaves the estimate undefined.
    Rilievo soloBassi;
    soloBassi.stazioni = {stazione(1, 100, 10), stazione(2, 200, 300)};
    QVERIFY(!verita::confrontaPerStrati(soloBassi, area_, {0, 95, 200}).stime.specie[0].stima.media);
}

void TestVerita::stratiSuParteDelMare()
{
    // Strata down to 95 m hold the shallow half only: the truth is theirs.
    const verita::RisultatoStrati r = verita::confrontaPerStrati(rilievoDiProva(), area_, {0, 95});
    QVERIFY(vicino(r.copertura, 228.0 / 452.0));
    QCOMPARE(r.strati[0].peso, 1.0);
    QCOMPARE(r.fuori, (std::vector<int>{3, 4, 5}));
    QCOMPARE(r.stime.specie[0].vera, 8.0);
    QCOMPARE(*r.stime.specie[0].stima.media, 8.0);
}

void TestVerita::stazioniDiAltreAree()
{
    Rilievo r = rilievoDiProva();
    QVERIFY(verita::stazioniDiscordi(r, area_).empty());
    r.stazioni[1].prof += 3;
    r.stazioni.push_back(stazione(6, 10, 10)); // on land
    QCOMPARE(verita::stazioniDiscordi(r, area_), (std::vector<int>{2, 6}));
}

void TestVerita::limitiDegliStrati()
{
    QCOMPARE(verita::leggiLimiti(QStringLiteral("0,10, 30,60,200")).valori, (std::vector<int>{0, 10, 30, 60, 200}));
    QVERIFY(!verita::leggiLimiti(QStringLiteral("0,30,10")).errore.isEmpty());
    QVERIFY(!verita::leggiLimiti(QStringLiteral("10")).errore.isEmpty());
    QVERIFY(!verita::leggiLimiti(QStringLiteral("0,dieci")).errore.isEmpty());
    QVERIFY(!verita::leggiLimiti(QStringLiteral("-5,10")).errore.isEmpty());
}

void TestVerita::ripartizione_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<std::vector<long>>("dimensioni");
    QTest::addColumn<std::vector<int>>("quote");
    QTest::newRow("pari") << 10 << std::vector<long>{1, 1, 1} << std::vector<int>{4, 3, 3};
    QTest::newRow("resti") << 7 << std::vector<long>{2, 3, 5} << std::vector<int>{1, 2, 4};
    QTest::newRow("strato vuoto") << 5 << std::vector<long>{0, 10} << std::vector<int>{0, 5};
    QTest::newRow("nessuna area") << 5 << std::vector<long>{0, 0} << std::vector<int>{0, 0};
}

void TestVerita::ripartizione()
{
    QFETCH(int, n);
    QFETCH(std::vector<long>, dimensioni);
    QTEST(disegno::ripartisci(n, dimensioni), "quote");
}

void TestVerita::disegniSulMareRilevabile_data()
{
    QTest::addColumn<disegno::Tipo>("tipo");
    QTest::newRow("casuale") << disegno::Tipo::Casuale;
    QTest::newRow("griglia") << disegno::Tipo::Griglia;
    QTest::newRow("stratificato") << disegno::Tipo::Stratificato;
}

void TestVerita::disegniSulMareRilevabile()
{
    QFETCH(disegno::Tipo, tipo);
    const auto posa = [&](int n, std::uint64_t seme) {
        Velmara v;
        SurveyMap mappa(v);
        [&] { QVERIFY(mappa.loadImages(dir_.path()).isEmpty()); }();
        const disegno::Esito e = disegno::posa(mappa, area_, tipo, n, seme, {0, 60, 100, 200});
        [&] { QVERIFY2(e.errore.isEmpty(), qPrintable(e.errore)); }();
        std::vector<QPoint> punti;
        for (int i = 1; i <= mappa.NumStazioni; ++i)
            punti.emplace_back(v.Stazioni[i][Velmara::kX], v.Stazioni[i][Velmara::kY]);
        return punti;
    };
    const std::vector<QPoint> punti = posa(100, 7);
    QCOMPARE(punti.size(), std::size_t(100));
    for (std::size_t i = 0; i < punti.size(); ++i) {
        QVERIFY(area_.rilevabile(Area::indice(punti[i].x(), punti[i].y())));
        // No station where a click would have hit another's marker.
        for (std::size_t j = 0; j < i; ++j)
            QVERIFY(std::max(std::abs(punti[i].x() - punti[j].x()), std::abs(punti[i].y() - punti[j].y())) > 4);
    }
    QCOMPARE(posa(100, 7), punti);
    QVERIFY(posa(100, 8) != punti);
}

void TestVerita::stratificatoInProporzione()
{
    Velmara v;
    SurveyMap mappa(v);
    QVERIFY(mappa.loadImages(dir_.path()).isEmpty());
    // Strata of 8, 16 and 16 columns of 512 pixels (depths 39-40, 41-44
    // and 45-48 m): 8, 16 and 16 of 40 stations.
    const std::vector<int> limiti{0, 40, 44, 48};
    QVERIFY(disegno::posa(mappa, area_, disegno::Tipo::Stratificato, 40, 3, limiti).errore.isEmpty());
    std::vector<int> perStrato(3, 0);
    for (int i = 1; i <= mappa.NumStazioni; ++i) {
        const int p = v.Stazioni[i][Velmara::kProf];
        perStrato[p <= 40 ? 0 : p <= 44 ? 1 : 2]++;
    }
    QCOMPARE(perStrato, (std::vector<int>{8, 16, 16}));
}

QTEST_MAIN(TestVerita)
#include "tst_verita.moc"
