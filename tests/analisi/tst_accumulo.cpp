#include "Accumulo.h"
#include "MapColour.h"
#include "TestData.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using accumulo::Incidenza;

namespace {

bool vicino(double a, double b, double tolleranza = 1e-8) { return std::fabs(a - b) < tolleranza; }

std::vector<Incidenza> tabella(const std::vector<std::vector<int>> &righe)
{
    std::vector<Incidenza> t;
    for (const auto &r : righe) {
        Incidenza x{};
        for (std::size_t sp = 0; sp < r.size(); ++sp)
            x[sp] = r[sp] != 0;
        t.push_back(x);
    }
    return t;
}

// Six stations, five species, as in the R calls below:
// inc <- rbind(c(1,1,0,0,0), c(1,0,1,0,0), c(1,1,0,0,0), c(0,1,0,1,0), c(1,0,0,0,1), c(1,1,0,0,0))
const std::vector<std::vector<int>> kSei{{1, 1, 0, 0, 0}, {1, 0, 1, 0, 0}, {1, 1, 0, 0, 0},
                                         {0, 1, 0, 1, 0}, {1, 0, 0, 0, 1}, {1, 1, 0, 0, 0}};

// inc2 <- cbind(inc, c(0,1,0,1,0,0)): a sixth species at two stations.
std::vector<std::vector<int>> conDoppia()
{
    std::vector<std::vector<int>> t = kSei;
    for (std::size_t k = 0; k < t.size(); ++k)
        t[k].push_back(k == 1 || k == 3 ? 1 : 0);
    return t;
}

} // namespace

class TestAccumulo : public QObject
{
    Q_OBJECT

private slots:
    void curvaEsatta();
    void stimatori();
    void veritaDellArea();
};

// vegan 2.6-4, specaccum(inc, method = "exact"): richness 2, 2.933333333,
// 3.5, 4, 4.5, 5 and sd 0, 0.4889916991, 0.6708203932, 0.6324555320, 0.5, 0;
// for inc2: 2.333333333, 3.533333333, 4.3, 4.933333333, 5.5, 6 and sd
// 0.4714045208, 0.9253053110, 0.9947227348, 0.8278475479, 0.5, 0.
void TestAccumulo::curvaEsatta()
{
    const std::vector<accumulo::Punto> a = accumulo::curvaEsatta(tabella(kSei));
    const std::vector<double> s{2, 2.933333333, 3.5, 4, 4.5, 5};
    const std::vector<double> ds{0, 0.4889916991, 0.6708203932, 0.6324555320, 0.5, 0};
    QCOMPARE(a.size(), std::size_t(6));
    for (std::size_t k = 0; k < a.size(); ++k) {
        QCOMPARE(a[k].stazioni, int(k) + 1);
        QVERIFY(vicino(a[k].specie, s[k], 1e-8));
        QVERIFY(vicino(a[k].deviazione, ds[k], 1e-8));
    }
    const std::vector<accumulo::Punto> b = accumulo::curvaEsatta(tabella(conDoppia()));
    const std::vector<double> s2{2.333333333, 3.533333333, 4.3, 4.933333333, 5.5, 6};
    const std::vector<double> ds2{0.4714045208, 0.9253053110, 0.9947227348, 0.8278475479, 0.5, 0};
    for (std::size_t k = 0; k < b.size(); ++k) {
        QVERIFY(vicino(b[k].specie, s2[k], 1e-8));
        QVERIFY(vicino(b[k].deviazione, ds2[k], 1e-8));
    }
    // The first point is the mean S per station, the last the survey's S.
    QVERIFY(vicino(b.front().specie, (2 + 3 + 2 + 3 + 2 + 2) / 6.0));
    QCOMPARE(b.back().specie, 6.0);
    // A species at every station adds one species at every n, no spread.
    const std::vector<accumulo::Punto> ovunque = accumulo::curvaEsatta(tabella({{1}, {1}, {1}}));
    for (const accumulo::Punto &p : ovunque)
        QVERIFY(vicino(p.specie, 1.0) && vicino(p.deviazione, 0.0));
}

// vegan 2.6-4, specpool(inc): S 5, chao 7.5 (no species at two stations: the
// bias-corrected 5 + 5/6 * 3 * 2 / 2), chao.se 3.694027, jack1 7.5, jack2 9.5;
// specpool(inc2): S 6, chao 9.75, chao.se 6.046693311, jack1 8.5,
// jack2 9.966666667. Jackknife 1's error is the jackknife's own variance,
// (m - 1)/m sum_j (r_j - Q1/m)², r_j the species found only at station j
// (Heltshe and Forrester 1983): for inc stations 2, 4 and 5 hold one each,
// (5/6)(3 - 9/6) = 1.25. vegan subtracts Q1/m instead of Q1²/m and gives
// 1.443376; the two agree only when Q1 is 0 or 1.
void TestAccumulo::stimatori()
{
    const accumulo::Stimatori a = accumulo::stimatori(tabella(kSei));
    QCOMPARE(a.m, 6);
    QCOMPARE(a.osservate, 5);
    QCOMPARE(a.q1, 3);
    QCOMPARE(a.q2, 0);
    QVERIFY(vicino(a.chao2, 7.5));
    QVERIFY(vicino(a.chao2Errore, 3.694027, 1e-6));
    QVERIFY(vicino(a.jack1, 7.5));
    QVERIFY(vicino(a.jack1Errore, std::sqrt(1.25)));
    QVERIFY(vicino(a.jack2, 9.5));

    const accumulo::Stimatori b = accumulo::stimatori(tabella(conDoppia()));
    QCOMPARE(b.q2, 1);
    QVERIFY(vicino(b.chao2, 9.75));
    QVERIFY(vicino(b.chao2Errore, 6.046693311));
    QVERIFY(vicino(b.jack1, 8.5));
    QVERIFY(vicino(b.jack2, 9.966666667));
    // The new species is no unique one: the same r_j, the same error.
    QVERIFY(vicino(b.jack1Errore, std::sqrt(1.25)));

    // One unique species: vegan's form and this one agree, 0.975 for
    // m = 40 (vegan 2.6-4 on the 40-station survey of the lesson).
    std::vector<std::vector<int>> quaranta(40, std::vector<int>{1});
    quaranta[7].push_back(1);
    const accumulo::Stimatori c = accumulo::stimatori(tabella(quaranta));
    QVERIFY(vicino(c.jack1Errore, 0.975));
    // Nothing rare: every estimator is the observed S, with no error.
    const accumulo::Stimatori d = accumulo::stimatori(tabella({{1, 1}, {1, 1}, {1, 1}}));
    QVERIFY(d.chao2 == 2.0 && d.jack1 == 2.0 && d.jack2 == 2.0 && d.chao2Errore == 0.0 && d.jack1Errore == 0.0);
}

void TestAccumulo::veritaDellArea()
{
    // Species 1 in the western half of the sea (columns 60 .. 285 of
    // 60 .. 511), species 2 everywhere at sea, the others nowhere.
    QTemporaryDir dir;
    testdata::MapSet set;
    set.species = [](int sp, int x, int) {
        const int conteggio = sp == 2 || (sp == 1 && x < 286) ? 3 : 0;
        const int r = 255 - mapcolour::darknessForCount(conteggio);
        return qRgb(r, r, r);
    };
    QVERIFY(testdata::writeMapSet(dir.path(), set));
    const auto area = area::carica(dir.path()).area;
    QVERIFY(area);
    const accumulo::Verita v = accumulo::verita(*area);
    QCOMPARE(v.specie, 2);
    QVERIFY(vicino(v.frazione[0], 0.5));
    QVERIFY(vicino(v.frazione[1], 1.0));
    QCOMPARE(v.frazione[2], 0.0);
    // n stations at random: species 2 always, species 1 unless all n miss it.
    QVERIFY(vicino(accumulo::attese(v, 1), 1.5));
    QVERIFY(vicino(accumulo::attese(v, 3), 2.0 - 0.125));

    // A survey: a station on the beach is left out, an empty one at sea kept.
    Rilievo r;
    r.stazioni = {{1, 1000, 3000, 40, {3, 3}}, {2, 550, 3000, -2, {}}, {3, 4000, 3000, 100, {0, 3}}, {4, 3500, 200, 90, {}}};
    const accumulo::Esito e = accumulo::sforzo(r, *area);
    QVERIFY2(e.sforzo, qPrintable(e.errore));
    QCOMPARE(e.sforzo->escluse, std::vector<int>{2});
    QCOMPARE(e.sforzo->stime.m, 3);
    QCOMPARE(e.sforzo->frequenze[0], 1);
    QCOMPARE(e.sforzo->frequenze[1], 2);
    QVERIFY(vicino(e.sforzo->curva.front().specie, 1.0)); // (2 + 1 + 0) / 3
    // Not enough to accumulate: one station at sea, or no species at all.
    r.stazioni.resize(2);
    QVERIFY(accumulo::sforzo(r, *area).errore.contains(QStringLiteral("almeno 2 stazioni in mare")));
    r.stazioni = {{1, 1000, 3000, 40, {}}, {2, 3500, 200, 90, {}}};
    QVERIFY(accumulo::sforzo(r, *area).errore.contains(QStringLiteral("nessuna stazione del rilievo ha organismi")));
}

QTEST_APPLESS_MAIN(TestAccumulo)
#include "tst_accumulo.moc"
