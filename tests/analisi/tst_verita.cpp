#include "Area.h"
#include "Disegno.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Verita.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// The test area: testdata's default bathymetry (sea from column 60, depth
// 24 + column / 4 m, so 39 .. 151 m; columns 50 .. 59 a beach at 0 m or
// less). Species 1 has 8 organisms where the depth is 95 m or less
// (columns 60 .. 287) and none deeper; species 2 has 2 everywhere; the
// others none. By construction the true means over the 452 x 512 pixels of
// sea are 8 * 228 / 452, 2 and 0.
constexpr double kSea = 452.0 * 512.0;
constexpr double kVeraSp1 = 8.0 * 228.0 / 452.0;

QRgb specieDiProva(int sp, int x, int)
{
    const int r = 255 - mapcolour::darknessForCount(sp == 1 ? (x >= 60 && x <= 287 ? 8 : 0) : sp == 2 ? 2 : 0);
    return qRgb(r, r, r);
}

// A station as the area holds it at that pixel.
Stazione stazione(int numero, int colonna, int riga)
{
    const int prof = colonna >= 60 ? 24 + colonna / 4 : 40 + (colonna - 50) * 4 - 76;
    if (prof <= 0)
        return {numero, 10 * colonna, 5110 - 10 * riga, prof, {}};
    return {numero, 10 * colonna, 5110 - 10 * riga, prof, {colonna <= 287 ? 8 : 0, 2}};
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
    void stimaSemplice();
    void stimaStratificata();
    void ripartizione_data();
    void ripartizione();

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
    QVERIFY(vicino(v.media[0], kVeraSp1) && v.media[1] == 2.0 && v.media[2] == 0.0);
    QVERIFY(vicino(v.mediaN, kVeraSp1 + 2.0) && vicino(v.mediaS, (2.0 * 228 + 224) / 452.0));
    // The deep half alone: no species 1.
    const verita::Vera fondo = verita::sullArea(area_, 95, 200);
    QVERIFY(fondo.media[0] == 0.0 && fondo.pixel == 224L * 512);

    // The profile by bands of 5 m, down to 151 m.
    const std::vector<verita::Banda> bande = verita::profilo(area_, 5);
    QCOMPARE(bande.size(), std::size_t(31));
    const verita::Banda &b = bande[9]; // (45, 50]: columns 88 .. 107
    QCOMPARE(b.da, 45);
    QCOMPARE(b.vera.pixel, 20L * 512);
    QCOMPARE(b.vera.media[0], 8.0);
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
    // Every station has 2 of species 2: no spread, so no coverage to tell.
    QVERIFY(*r.stime.specie[1].stima.errore == 0.0 && !r.stime.specie[1].copre);
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
    QVERIFY(*sp1.stima.errore == 0.0 && !sp1.copre);
    QVERIFY(verita::stratiScarsi(r).empty());

    // One station a stratum: a mean, but no error and no interval.
    const verita::RisultatoStrati poche = verita::confrontaPerStrati(rilievoDiProva(), area_, {0, 50, 95, 200});
    const std::vector<verita::Strato> scarsi = verita::stratiScarsi(poche);
    QCOMPARE(scarsi.size(), std::size_t(2));
    QVERIFY(scarsi[0].da == 0 && scarsi[1].da == 50);
    const statistica::Stima &stima = poche.stime.specie[0].stima;
    QVERIFY(stima.media && !stima.errore && !poche.stime.specie[0].copre);

    // A stratum with sea and no station leaves the estimate undefined.
    Rilievo soloBassi;
    soloBassi.stazioni = {stazione(1, 100, 10), stazione(2, 200, 300)};
    QVERIFY(!verita::confrontaPerStrati(soloBassi, area_, {0, 95, 200}).stime.specie[0].stima.media);
}

void TestVerita::ripartizione_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<std::vector<long>>("dimensioni");
    QTest::addColumn<std::vector<int>>("quote");
    QTest::newRow("resti") << 7 << std::vector<long>{2, 3, 5} << std::vector<int>{1, 2, 4};
    QTest::newRow("strato vuoto") << 5 << std::vector<long>{0, 10} << std::vector<int>{0, 5};
}

void TestVerita::ripartizione()
{
    QFETCH(int, n);
    QFETCH(std::vector<long>, dimensioni);
    QTEST(disegno::ripartisci(n, dimensioni), "quote");
}

QTEST_MAIN(TestVerita)
#include "tst_verita.moc"
