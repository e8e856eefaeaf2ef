#include "Raggruppamento.h"
#include "Similarita.h"

#include <QTest>

#include <cmath>
#include <random>

using raggruppamento::Albero;
using raggruppamento::Fusione;
using similarita::Profilo;
using similarita::Trasformazione;

namespace {

Profilo profilo(std::initializer_list<double> valori)
{
    Profilo p{};
    int k = 0;
    for (const double v : valori)
        p[k++] = v;
    return p;
}

std::array<int, Velmara::kNumSpecie> conteggi(std::initializer_list<int> valori)
{
    std::array<int, Velmara::kNumSpecie> c{};
    int k = 0;
    for (const int v : valori)
        c[k++] = v;
    return c;
}

// A full matrix from its upper triangle, row by row.
std::vector<double> matrice(int n, const std::vector<double> &triangolo)
{
    std::vector<double> d(std::size_t(n) * n, 0.0);
    std::size_t k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            d[std::size_t(i) * n + j] = d[std::size_t(j) * n + i] = triangolo[k++];
    return d;
}

similarita::Matrice comeMatrice(int n, const std::vector<double> &triangolo)
{
    return {n, matrice(n, triangolo)};
}

bool vicino(double a, double b, double tolleranza = 1e-9) { return std::fabs(a - b) < tolleranza; }

} // namespace

class TestRaggruppamento : public QObject
{
    Q_OBJECT

private slots:
    void brayCurtis_data();
    void brayCurtis();
    void trasformazioni();
    void upgmaDiQuattro();
    void pareggiComeHclust();
    void catenaComeAvido();
    void tagli();
    void randCorretto();
};

void TestRaggruppamento::brayCurtis_data()
{
    QTest::addColumn<Trasformazione>("t");
    QTest::addColumn<double>("atteso");
    // Counts (4, 0, 9, 1) and (1, 4, 9, 0), worked by hand.
    // Raw: sum |a - b| = 3 + 4 + 0 + 1 = 8 of sum (a + b) = 28.
    QTest::newRow("nessuna") << Trasformazione::Nessuna << 100.0 * (1.0 - 8.0 / 28.0);
    // Square roots (2, 0, 3, 1) and (1, 2, 3, 0): 4 of 12.
    QTest::newRow("radice") << Trasformazione::Radice << 100.0 * (1.0 - 4.0 / 12.0);
    // Fourth roots (r2, 0, r3, 1) and (1, r2, r3, 0), r2 = 2^(1/2), r3 = 3^(1/2):
    // sum |a - b| = (r2 - 1) + r2 + 0 + 1 = 2 r2, sum (a + b) = 2 + 2 r2 + 2 r3.
    QTest::newRow("radice4") << Trasformazione::Radice4
                             << 100.0 * (1.0 - 2.0 * std::sqrt(2.0) / (2.0 + 2.0 * std::sqrt(2.0) + 2.0 * std::sqrt(3.0)));
    // Presence (1, 0, 1, 1) and (1, 1, 1, 0): 2 of 6.
    QTest::newRow("presenza") << Trasformazione::Presenza << 100.0 * (1.0 - 2.0 / 6.0);
}

void TestRaggruppamento::brayCurtis()
{
    QFETCH(Trasformazione, t);
    QFETCH(double, atteso);
    const Profilo a = similarita::profilo(conteggi({4, 0, 9, 1}), t);
    const Profilo b = similarita::profilo(conteggi({1, 4, 9, 0}), t);
    QVERIFY(vicino(*similarita::brayCurtis(a, b), atteso, 1e-12));
    QCOMPARE(*similarita::brayCurtis(a, a), 100.0);
    // The matrix holds the dissimilarity, the same figure seen from 100.
    const similarita::Matrice m = similarita::dissimilarita({a, b});
    QCOMPARE(100.0 - m(0, 1), *similarita::brayCurtis(a, b));
    QCOMPARE(m(1, 0), m(0, 1));
}

void TestRaggruppamento::trasformazioni()
{
    QVERIFY(!similarita::brayCurtis(Profilo{}, Profilo{})); // two empty samples: undefined
    QCOMPARE(*similarita::brayCurtis(profilo({3}), profilo({0, 5})), 0.0);
    for (const char *parola : {"nessuna", "radice", "radice4", "presenza"})
        QCOMPARE(similarita::parola(*similarita::leggiTrasformazione(QString::fromLatin1(parola))), QString::fromLatin1(parola));
    QVERIFY(!similarita::leggiTrasformazione(QStringLiteral("log")));
    QCOMPARE(similarita::trasforma(Trasformazione::Radice4, 16), 2.0);
    QCOMPARE(similarita::trasforma(Trasformazione::Presenza, 63), 1.0);
    QCOMPARE(similarita::trasforma(Trasformazione::Nessuna, 63), 63.0);

    // Samples with nothing in common tie exactly at 100, whatever their
    // counts, as vegdist's tie at 1: ranks and ties depend on it.
    const similarita::Matrice d = similarita::dissimilarita(
        {similarita::profilo(conteggi({7, 0, 3}), Trasformazione::Radice),
         similarita::profilo(conteggi({0, 11, 0, 5}), Trasformazione::Radice),
         similarita::profilo(conteggi({0, 0, 0, 0, 13, 2}), Trasformazione::Radice)});
    // Exactly: QCOMPARE of doubles would forgive the last bit.
    QVERIFY(d(0, 1) == 100.0 && d(0, 2) == 100.0 && d(1, 2) == 100.0);
    // 1 + sqrt 3 over itself is 1, but 100 (1 + sqrt 3) / (1 + sqrt 3) is not 100.
    const similarita::Matrice e = similarita::dissimilarita({similarita::profilo(conteggi({1}), Trasformazione::Radice),
                                                             similarita::profilo(conteggi({0, 3}), Trasformazione::Radice)});
    QVERIFY(e(0, 1) == 100.0);
}

// Worked by hand: A-B 20, A-C 60, A-D 100, B-C 50, B-D 90, C-D 40.
// A and B join at 20; then AB-C = (60 + 50) / 2 = 55, AB-D = 95; C and D
// join at 40; AB-CD = (60 + 100 + 50 + 90) / 4 = 75. The cophenetic values
// (20, 75, 75, 75, 75, 40) against the originals, both of mean 60:
// r = 2900 / sqrt(4600 * 2900) = 0.7939992 (R's hclust and cophenetic agree).
void TestRaggruppamento::upgmaDiQuattro()
{
    const similarita::Matrice d = comeMatrice(4, {20, 60, 100, 50, 90, 40});
    const Albero a = raggruppamento::upgma(d.valori, 4);
    QCOMPARE(a.fusioni.size(), std::size_t(3));
    const Fusione attese[] = {{0, 1, 80, 2}, {2, 3, 60, 2}, {4, 5, 25, 4}};
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(a.fusioni[k].a, attese[k].a);
        QCOMPARE(a.fusioni[k].b, attese[k].b);
        QVERIFY(vicino(a.fusioni[k].livello, attese[k].livello));
        QCOMPARE(a.fusioni[k].dimensione, attese[k].dimensione);
    }
    QVERIFY(vicino(raggruppamento::correlazioneCofenetica(a, d), std::sqrt(2900.0 / 4600.0)));
    const similarita::Matrice c = raggruppamento::cofenetica(a);
    QVERIFY(vicino(c(0, 1), 20) && vicino(c(3, 2), 40) && vicino(c(1, 3), 75));
    QCOMPARE(raggruppamento::membri(a, 5), (std::vector<int>{2, 3}));
    QCOMPARE(raggruppamento::ordineFoglie(a), (std::vector<int>{0, 1, 2, 3}));
}

// Six objects with five pairs tied at the least value. R's hclust (vegan
// 2.6-4's R, hclust(as.dist(M), "average")) merges -1 -3, -2 -6, -4 -5 at
// 10, then 1 2 at 17.5 and 3 4 at 23.75; cophenetic correlation 0.694461028.
void TestRaggruppamento::pareggiComeHclust()
{
    const similarita::Matrice d = comeMatrice(6, {20, 10, 30, 10, 20, 10, 20, 30, 10, 30, 20, 20, 10, 30, 20});
    const Albero a = raggruppamento::upgma(d.valori, 6);
    // Clusters are n + step; the one holding the lower object comes first.
    const std::vector<std::array<int, 2>> coppie{{0, 2}, {1, 5}, {3, 4}, {6, 7}, {9, 8}};
    const std::vector<double> livelli{90, 90, 90, 82.5, 76.25};
    for (std::size_t k = 0; k < coppie.size(); ++k) {
        QCOMPARE(a.fusioni[k].a, coppie[k][0]);
        QCOMPARE(a.fusioni[k].b, coppie[k][1]);
        QVERIFY(vicino(a.fusioni[k].livello, livelli[k]));
    }
    QVERIFY(vicino(raggruppamento::correlazioneCofenetica(a, d), 0.694461028, 1e-9));
    // The same tree from the same matrix with the objects listed backwards
    // would merge other pairs first: ties follow the numbers, not the work.
    QCOMPARE(raggruppamento::ordineFoglie(a), (std::vector<int>{0, 2, 1, 5, 3, 4}));
}

// The chain merges in another order than the greedy algorithm (always the
// least pair, ties to the lowest numbers): the trees must still be one.
void TestRaggruppamento::catenaComeAvido()
{
    std::mt19937 caso(7);
    for (int prova = 0; prova < 40; ++prova) {
        const int n = 3 + prova % 12;
        std::vector<double> triangolo;
        for (int k = 0; k < n * (n - 1) / 2; ++k)
            triangolo.push_back(prova % 2 ? double(caso() % 5) * 10 : double(caso() % 100000) / 1000.0);
        std::vector<double> d = matrice(n, triangolo);
        const Albero chain = raggruppamento::upgma(d, n);
        const Albero inFloat = raggruppamento::upgma(std::vector<float>(d.begin(), d.end()), n);

        // Greedy: the least pair of clusters, each named by its lowest object.
        std::vector<std::vector<int>> gruppi;
        for (int i = 0; i < n; ++i)
            gruppi.push_back({i});
        for (std::size_t passo = 0; passo + 1 < std::size_t(n); ++passo) {
            double minimo = 1e300;
            std::size_t ga = 0, gb = 0;
            for (std::size_t p = 0; p < gruppi.size(); ++p)
                for (std::size_t q = p + 1; q < gruppi.size(); ++q) {
                    double somma = 0.0;
                    for (const int x : gruppi[p])
                        for (const int y : gruppi[q])
                            somma += d[std::size_t(x) * n + y];
                    const double media = somma / double(gruppi[p].size() * gruppi[q].size());
                    if (media < minimo - 1e-9) { // groups are kept by their lowest object
                        minimo = media;
                        ga = p;
                        gb = q;
                    }
                }
            const Fusione &f = chain.fusioni[passo];
            QVERIFY2(vicino(f.livello, 100.0 - minimo, 1e-7), qPrintable(QStringLiteral("trial %1 step %2").arg(prova).arg(passo)));
            QCOMPARE(raggruppamento::membri(chain, f.a), gruppi[ga]);
            QCOMPARE(raggruppamento::membri(chain, f.b), gruppi[gb]);
            QVERIFY(vicino(inFloat.fusioni[passo].livello, f.livello, 1e-3));
            gruppi[ga].insert(gruppi[ga].end(), gruppi[gb].begin(), gruppi[gb].end());
            std::sort(gruppi[ga].begin(), gruppi[ga].end());
            gruppi.erase(gruppi.begin() + std::ptrdiff_t(gb));
        }
    }
}

void TestRaggruppamento::tagli()
{
    // Objects 0..4: 1-3 at 10, 0-4 at 20, and everything else far.
    const similarita::Matrice d = comeMatrice(5, {90, 90, 90, 20, 90, 10, 90, 90, 90, 90});
    const Albero a = raggruppamento::upgma(d.valori, 5);
    // At 85 % only the pair 1-3 has joined; group 1 is object 0's.
    QCOMPARE(raggruppamento::taglia(a, 85.0), (std::vector<int>{1, 2, 3, 2, 4}));
    QCOMPARE(raggruppamento::taglia(a, 80.0), (std::vector<int>{1, 2, 3, 2, 1}));
    // A level printed as 80.0 must join at a cut of 80.0.
    QCOMPARE(raggruppamento::taglia(a, 80.0 + 1e-12), (std::vector<int>{1, 2, 3, 2, 1}));
    QCOMPARE(raggruppamento::inGruppi(a, 3), (std::vector<int>{1, 2, 3, 2, 1}));
    QCOMPARE(raggruppamento::inGruppi(a, 1), (std::vector<int>(5, 1)));
    QCOMPARE(raggruppamento::inGruppi(a, 5), (std::vector<int>{1, 2, 3, 4, 5}));
    QCOMPARE(raggruppamento::taglia(a, raggruppamento::Taglio{50.0, 2}), raggruppamento::inGruppi(a, 2));
    QCOMPARE(raggruppamento::numeroGruppi(raggruppamento::taglia(a, 0.0)), 1);
    QCOMPARE(raggruppamento::numeroGruppi(raggruppamento::taglia(a, 100.0)), 5);
}

void TestRaggruppamento::randCorretto()
{
    // Worked by hand: rows (1,1,1,2,2,2) against columns (1,1,2,2,3,3) give
    // the cells 2 1 0 / 0 1 2, so sum C(n_ij, 2) = 2; rows sum C(3, 2) * 2 = 6,
    // columns C(2, 2) * 3 = 3, C(6, 2) = 15: expected 6 * 3 / 15 = 1.2,
    // maximum (6 + 3) / 2 = 4.5, ARI = (2 - 1.2) / (4.5 - 1.2) = 0.242424...
    QVERIFY(vicino(raggruppamento::randCorretto({1, 1, 1, 2, 2, 2}, {1, 1, 2, 2, 3, 3}), 0.8 / 3.3));
    // The labels do not matter, only the partition.
    QCOMPARE(raggruppamento::randCorretto({1, 1, 2, 2, 3}, {7, 7, 0, 0, 4}), 1.0);
    QCOMPARE(raggruppamento::randCorretto({1, 1, 1}, {2, 2, 2}), 1.0);
    QVERIFY(raggruppamento::randCorretto({1, 2, 1, 2}, {1, 1, 2, 2}) < 0.0);
    // Random partitions agree only by chance: about 0.
    std::mt19937 caso(3);
    std::vector<int> a, b;
    for (int k = 0; k < 3000; ++k) {
        a.push_back(int(caso() % 4));
        b.push_back(int(caso() % 6));
    }
    QVERIFY(std::fabs(raggruppamento::randCorretto(a, b)) < 0.01);
}

QTEST_APPLESS_MAIN(TestRaggruppamento)
#include "tst_raggruppamento.moc"
