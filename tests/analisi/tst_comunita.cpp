#include "Anosim.h"
#include "Assemblaggi.h"
#include "Comunita.h"
#include "MapColour.h"
#include "Simper.h"
#include "TestData.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numeric>

using similarita::Profilo;
using similarita::Trasformazione;

namespace {

bool vicino(double a, double b, double tolleranza = 1e-8) { return std::fabs(a - b) < tolleranza; }

Profilo radici(std::initializer_list<int> conteggi)
{
    std::array<int, Velmara::kNumSpecie> c{};
    int k = 0;
    for (const int v : conteggi)
        c[k++] = v;
    return similarita::profilo(c, Trasformazione::Radice);
}

// Five stations, four species, as in the R calls below:
// x <- rbind(c(4,1,0,9), c(1,0,4,16), c(9,4,1,0), c(0,16,9,1), c(1,9,16,4)); y <- sqrt(x)
std::vector<Profilo> cinque()
{
    return {radici({4, 1, 0, 9}), radici({1, 0, 4, 16}), radici({9, 4, 1, 0}), radici({0, 16, 9, 1}), radici({1, 9, 16, 4})};
}

// The test area: testdata's bathymetry (sea from column 60, 39 m and
// deeper), species 1 and 2 west of column 300, species 3 from there east,
// nothing at all in rows 0 .. 19. Two communities with no species in common.
QRgb specieDueMeta(int sp, int x, int y)
{
    int conteggio = 0;
    if (y >= 20 && x < 300)
        conteggio = sp == 1 ? 8 : sp == 2 ? 2 : 0;
    else if (y >= 20)
        conteggio = sp == 3 ? 10 : 0;
    const int r = 255 - mapcolour::darknessForCount(conteggio);
    return qRgb(r, r, r);
}

Stazione stazione(int numero, int colonna, int riga, std::array<int, Velmara::kNumSpecie> conteggi, int prof = 0)
{
    Stazione s;
    s.numero = numero;
    s.xm = 10 * colonna;
    s.ym = 5110 - 10 * riga;
    s.prof = prof > 0 ? prof : 24 + colonna / 4;
    s.conteggi = conteggi;
    return s;
}

} // namespace

class TestComunita : public QObject
{
    Q_OBJECT

private slots:
    void simperTraGruppi();
    void simperEntroUnGruppo();
    void ranghiEAnosim();
    void permutazioni();
    void opzioni_data();
    void opzioni();
    void analisiDiUnRilievo();
    void pocheStazioni();
    void assemblaggiVeri();
};

// vegan 2.6-4: simper(y, c(1,1,1,2,2), permutations = 0) gives the average
// contributions 0.1018849206, 0.1646300187, 0.1631594304, 0.1199054622, their
// sd 0.07485853691, 0.07140378413, 0.06714470502, 0.05023617295 and the
// overall dissimilarity 0.5495798319, on its scale of 0..1.
void TestComunita::simperTraGruppi()
{
    const std::vector<Profilo> y = cinque();
    const simper::Tabella t = simper::tra({y[0], y[1], y[2]}, {y[3], y[4]}, 100.0);
    QVERIFY(vicino(t.media, 54.95798319));
    QCOMPARE(t.coppie, 6);
    const std::vector<int> ordine{2, 3, 4, 1};
    const std::vector<double> medie{16.46300187, 16.31594304, 11.99054622, 10.18849206};
    const std::vector<double> ds{7.140378413, 6.714470502, 5.023617295, 7.485853691};
    double cumulato = 0.0;
    for (std::size_t k = 0; k < 4; ++k) {
        const simper::Contributo &c = t.specie[k];
        QCOMPARE(c.specie, ordine[k]);
        QVERIFY(vicino(c.media, medie[k]));
        QVERIFY(vicino(*c.rapporto, medie[k] / ds[k], 1e-7));
        cumulato += 100.0 * medie[k] / 54.95798319;
        QVERIFY(vicino(c.cumulato, cumulato, 1e-6));
    }
    // The shares add up to the whole dissimilarity.
    QVERIFY(vicino(std::accumulate(t.specie.begin(), t.specie.end(), 0.0, [](double s, const auto &c) { return s + c.media; }), t.media));
    // At 90 % the list stops at the species that reaches it (81.5 % before).
    QCOMPARE(simper::tra({y[0], y[1], y[2]}, {y[3], y[4]}).specie.size(), std::size_t(4));
    QCOMPARE(simper::tra({y[0], y[1], y[2]}, {y[3], y[4]}, 50.0).specie.size(), std::size_t(2));
}

// Worked by hand for two stations, square roots (2, 1, 0, 3) and (1, 0, 2, 4):
// sum min = 1 + 0 + 0 + 3 = 4 of sum = 13, similarity 200 * 4 / 13 = 61.54 %,
// species 1 giving 200 / 13 and species 4 giving 600 / 13.
void TestComunita::simperEntroUnGruppo()
{
    const std::vector<Profilo> y = cinque();
    const simper::Tabella due = simper::entro({y[0], y[1]}, 100.0);
    QVERIFY(vicino(due.media, 800.0 / 13.0));
    QCOMPARE(due.specie.size(), std::size_t(2));
    QCOMPARE(due.specie[0].specie, 4);
    QVERIFY(vicino(due.specie[0].media, 600.0 / 13.0));
    QVERIFY(vicino(due.specie[1].media, 200.0 / 13.0));
    QVERIFY(!due.specie[0].rapporto); // one pair: no spread to divide by
    // Three stations: the shares add up to the mean of the pairs' similarities.
    const simper::Tabella tre = simper::entro({y[0], y[1], y[2]}, 100.0);
    const double media = (*similarita::brayCurtis(y[0], y[1]) + *similarita::brayCurtis(y[0], y[2])
                          + *similarita::brayCurtis(y[1], y[2])) / 3.0;
    QVERIFY(vicino(tre.media, media));
    QVERIFY(vicino(tre.specie.back().cumulato, 100.0));
}

void TestComunita::ranghiEAnosim()
{
    QCOMPARE(anosim::ranghiMedi({3, 1, 3, 2, 3}), (std::vector<double>{4, 1, 4, 2, 4}));
    QCOMPARE(anosim::ranghiMedi({0.5, 0.5}), (std::vector<double>{1.5, 1.5}));
    // vegan 2.6-4: anosim(vegdist(y), c(1,1,1,2,2), permutations = 0)$statistic
    // is 0.4166666667.
    const std::vector<Profilo> y = cinque();
    const similarita::Matrice d = similarita::dissimilarita(y);
    QVERIFY(vicino(anosim::statisticaR(anosim::ranghiMedi(d.coppie()), {1, 1, 1, 2, 2}), 0.4166666667));
    // Presence and absence: the dissimilarities are 1/3 six times, 1/7 four
    // times. vegan 2.6-4 gives R = 0.1666666667 for groups (1,1,2,2,2):
    // the tied ranks must be averaged.
    std::vector<Profilo> p;
    for (const Profilo &v : y) {
        Profilo q{};
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
            q[sp] = v[sp] > 0 ? 1.0 : 0.0;
        p.push_back(q);
    }
    const similarita::Matrice dp = similarita::dissimilarita(p);
    QVERIFY(vicino(anosim::statisticaR(anosim::ranghiMedi(dp.coppie()), {1, 1, 2, 2, 2}), 1.0 / 6.0));
    // Two groups apart: R is 1, and the pair's own R equals it.
    const similarita::Matrice lontani = similarita::dissimilarita(
        {radici({5, 5}), radici({6, 5}), radici({0, 0, 5, 5}), radici({0, 0, 6, 5})});
    QCOMPARE(anosim::statisticaR(anosim::ranghiMedi(lontani.coppie()), {1, 1, 2, 2}), 1.0);
    QCOMPARE(anosim::coppia(lontani, {1, 1, 2, 2}, 1, 2), 1.0);
}

void TestComunita::permutazioni()
{
    // Twelve stations in three clear groups: no shuffle of 999 does as well.
    std::vector<Profilo> y;
    std::vector<int> gruppi;
    for (int g = 0; g < 3; ++g)
        for (int k = 0; k < 4; ++k) {
            std::array<int, Velmara::kNumSpecie> c{};
            c[3 * g] = 10 + k;
            c[3 * g + 1] = 3 + 2 * k;
            c[3 * g + 2] = 1 + (k * 7) % 5;
            y.push_back(similarita::profilo(c, Trasformazione::Radice));
            gruppi.push_back(g);
        }
    const similarita::Matrice d = similarita::dissimilarita(y);
    const anosim::Risultato r = anosim::verifica(d, gruppi, 999, 1);
    QCOMPARE(r.r, 1.0);
    QCOMPARE(r.p, 0.001);
    QCOMPARE(r.permutazioni, 999);
    // Labels with no relation to the stations: p far from 0, the same for a seed.
    const std::vector<int> mescolati{0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    const anosim::Risultato a = anosim::verifica(d, mescolati, 999, 7);
    QVERIFY(a.p > 0.05);
    QCOMPARE(anosim::verifica(d, mescolati, 999, 7).p, a.p);
}

void TestComunita::opzioni_data()
{
    QTest::addColumn<QStringList>("valori"); // name, value, name, value...
    QTest::addColumn<QString>("errore");     // in the message; empty when accepted
    QTest::newRow("predefinite") << QStringList{} << QString();
    QTest::newRow("tutte") << QStringList{"trasformazione", "presenza", "taglio", "55.5", "strati", "0,20,200", "seme", "9"}
                           << QString();
    QTest::newRow("trasformazione") << QStringList{"trasformazione", "log"} << "trasformazione sconosciuta «log»";
    QTest::newRow("taglio oltre 100") << QStringList{"taglio", "100.5"} << "da 0 a 100";
    QTest::newRow("taglio negativo") << QStringList{"taglio", "-1"} << "da 0 a 100";
    QTest::newRow("taglio non numerico") << QStringList{"taglio", "molto"} << "«molto»";
    QTest::newRow("zero gruppi") << QStringList{"gruppi", "0"} << "da 1 in su";
    QTest::newRow("taglio e gruppi") << QStringList{"taglio", "40", "gruppi", "3"} << "non vanno insieme";
    QTest::newRow("strati") << QStringList{"strati", "10"} << "almeno due limiti";
    QTest::newRow("seme") << QStringList{"seme", "-4"} << "seme";
}

void TestComunita::opzioni()
{
    QFETCH(QStringList, valori);
    QFETCH(QString, errore);
    QMap<QString, QString> mappa;
    for (int k = 0; k + 1 < valori.size(); k += 2)
        mappa.insert(valori[k], valori[k + 1]);
    const comunita::LetturaOpzioni l = comunita::leggiOpzioni(mappa);
    if (errore.isEmpty()) {
        QVERIFY2(l.errore.isEmpty(), qPrintable(l.errore));
    } else {
        QVERIFY2(l.errore.contains(errore), qPrintable(l.errore));
        return;
    }
    if (valori.isEmpty()) {
        QCOMPARE(l.opzioni.trasformazione, Trasformazione::Radice);
        QCOMPARE(l.opzioni.taglio.similarita, 40.0);
        QCOMPARE(l.opzioni.strati, (std::vector<int>{0, 10, 30, 60, 200}));
        QCOMPARE(comunita::descrizione(l.opzioni), QStringLiteral("trasformazione: radice quadrata; taglio al 40.0 % di similarità"));
    } else {
        QCOMPARE(l.opzioni.trasformazione, Trasformazione::Presenza);
        QCOMPARE(l.opzioni.taglio.similarita, 55.5);
        QCOMPARE(l.opzioni.strati, (std::vector<int>{0, 20, 200}));
        QCOMPARE(l.opzioni.seme, std::uint64_t(9));
    }
    comunita::Opzioni k;
    k.taglio.gruppi = 4;
    QVERIFY(comunita::gruppiTroppi(k, 4).isEmpty());
    QVERIFY(comunita::gruppiTroppi(k, 3).contains(QStringLiteral("4 gruppi sono più delle 3 stazioni")));
    QCOMPARE(comunita::descrizione(k), QStringLiteral("trasformazione: radice quadrata; taglio in 4 gruppi"));
}

void TestComunita::analisiDiUnRilievo()
{
    Rilievo r;
    // Station 1 and 4 alike, 2 and 5 alike, 3 without organisms, 6 alone.
    r.stazioni = {stazione(1, 100, 100, {8, 2}, 12), stazione(2, 400, 100, {0, 0, 10}, 25),
                  stazione(3, 200, 200, {}, 40),     stazione(4, 120, 300, {7, 2}, 14),
                  stazione(5, 420, 300, {0, 0, 9}, 45), stazione(6, 250, 400, {0, 0, 0, 0, 30}, 50)};
    const comunita::Esito e = comunita::analizza(r, {});
    QVERIFY2(e.analisi, qPrintable(e.errore));
    const comunita::Analisi &a = *e.analisi;
    QCOMPARE(a.vuote, std::vector<int>{3});
    QCOMPARE(a.numeri, (std::vector<int>{1, 2, 4, 5, 6}));
    QCOMPARE(a.gruppi, (std::vector<int>{1, 2, 1, 2, 3})); // numbered from station 1's group
    QCOMPARE(a.numeroGruppi, 3);
    QCOMPARE(a.nmds.punti.size(), std::size_t(5));
    // SIMPER within the two groups of two, between the three pairs of groups.
    QCOMPARE(a.simperEntro.size(), std::size_t(2));
    QCOMPARE(a.simperTra.size(), std::size_t(3));
    QCOMPARE(a.simperTra[0].tabella.media, 100.0);
    // Strata 0-10 (none), 10-30 (1, 2, 4), 30-60 (5, 6), 60-200 (none).
    QCOMPARE(a.strato, (std::vector<int>{1, 1, 1, 2, 2}));
    QVERIFY(a.anosim && a.coppie.size() == 1);
    QVERIFY(a.strati[1].usato && a.strati[2].usato && !a.strati[0].usato);
    QVERIFY(a.fuoriStrati.empty());

    // The same cut into two groups; a stratum with one station is left out.
    comunita::Opzioni o;
    o.taglio.gruppi = 2;
    o.strati = {0, 20, 40, 60};
    const comunita::Analisi b = *comunita::analizza(r, o).analisi;
    QCOMPARE(b.numeroGruppi, 2);
    QCOMPARE(b.strato, (std::vector<int>{0, 1, 0, 2, 2}));
    QVERIFY(!b.strati[1].usato && b.strati[1].membri.size() == 1);
    QVERIFY(b.anosim && b.coppie.size() == 1 && b.coppie[0].a == 0 && b.coppie[0].b == 2);
    // Strata that leave a station out name it; one stratum leaves no test.
    o.strati = {0, 20};
    const comunita::Analisi c = *comunita::analizza(r, o).analisi;
    QCOMPARE(c.fuoriStrati, (std::vector<int>{2, 5, 6}));
    QVERIFY(!c.anosim);
}

void TestComunita::pocheStazioni()
{
    Rilievo r;
    r.stazioni = {stazione(1, 100, 100, {3}), stazione(2, 110, 100, {}), stazione(3, 120, 100, {0, 4})};
    const comunita::Esito e = comunita::analizza(r, {});
    QVERIFY(!e.analisi);
    QVERIFY2(e.errore.contains(QStringLiteral("almeno 3 stazioni con organismi")) && e.errore.contains(QStringLiteral("2 su 3")),
             qPrintable(e.errore));
}

void TestComunita::assemblaggiVeri()
{
    QTemporaryDir dir;
    testdata::MapSet set;
    set.species = specieDueMeta;
    QVERIFY(testdata::writeMapSet(dir.path(), set));
    const area::Caricamento c = area::carica(dir.path());
    QVERIFY2(c.area, qPrintable(c.errore));
    // 452 x 492 sea pixels with organisms: the widest lattice with at most
    // 3000 points has step 9 (50 columns x 55 rows); step 8 would give 3477.
    QCOMPARE(assemblaggi::passoGriglia(*c.area), 9);
    const assemblaggi::Mappa m = assemblaggi::calcola(*c.area, Trasformazione::Radice, {});
    QCOMPARE(m.punti, 50 * 55);
    QCOMPARE(m.numero, 2);
    // The west holds 240 columns, the east 212: the west is A.
    QCOMPARE(m.pixel, (std::vector<long>{240L * 492, 212L * 492}));
    QCOMPARE(assemblaggi::in(m, 100, 300), 0);
    QCOMPARE(assemblaggi::in(m, 299, 20), 0);
    QCOMPARE(assemblaggi::in(m, 300, 20), 1);
    QCOMPARE(assemblaggi::in(m, 300, 19), int(assemblaggi::kNessuno)); // no organism
    QCOMPARE(assemblaggi::in(m, 55, 300), int(assemblaggi::kNessuno)); // beach
    QCOMPARE(assemblaggi::in(m, -1, 300), int(assemblaggi::kNessuno));
    QVERIFY(vicino(m.medie[0][0], std::sqrt(8.0), 1e-6) && m.medie[0][2] == 0.0);
    // Cut into one group, there is one assemblage.
    QCOMPARE(assemblaggi::calcola(*c.area, Trasformazione::Radice, {40.0, 1}).numero, 1);

    // A survey that finds the two halves: its groups are the truth.
    Rilievo r;
    r.stazioni = {stazione(1, 100, 100, {8, 2}), stazione(2, 400, 100, {0, 0, 10}), stazione(3, 200, 300, {8, 2}),
                  stazione(4, 450, 450, {0, 0, 10}), stazione(5, 150, 5, {8, 2})};
    const comunita::Analisi a = *comunita::analizza(r, {}).analisi;
    const comunita::Confronto k = comunita::confronta(a, r, m);
    QCOMPARE(k.assemblaggio, (std::vector<int>{0, 1, 0, 1, assemblaggi::kNessuno}));
    QCOMPARE(k.fuori, std::vector<int>{5}); // organisms on a pixel with none: another area's station
    QCOMPARE(k.tabella, (std::vector<std::vector<int>>{{2, 0}, {0, 2}}));
    QCOMPARE(k.gruppoSimile, (std::vector<int>{1, 2}));
    QCOMPARE(k.rand, 1.0);
    QCOMPARE(comunita::lettera(0), QStringLiteral("A"));
    QCOMPARE(comunita::lettera(25), QStringLiteral("Z"));
    QCOMPARE(comunita::lettera(26), QStringLiteral("AA"));
}

QTEST_APPLESS_MAIN(TestComunita)
#include "tst_comunita.moc"
