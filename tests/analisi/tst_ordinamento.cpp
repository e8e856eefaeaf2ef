#include "Ordinamento.h"

#include <QTest>

#include <cmath>
#include <random>

using ordinamento::Configurazione;

namespace {

similarita::Matrice daTriangolo(int n, const std::vector<double> &triangolo)
{
    similarita::Matrice m{n, std::vector<double>(std::size_t(n) * n, 0.0)};
    std::size_t k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            m(i, j) = m(j, i) = triangolo[k++];
    return m;
}

similarita::Matrice distanze(const Configurazione &x)
{
    const int n = int(x.size());
    similarita::Matrice m{n, std::vector<double>(std::size_t(n) * n, 0.0)};
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m(i, j) = std::hypot(x[i][0] - x[j][0], x[i][1] - x[j][1]);
    return m;
}

Configurazione casuali(int n, unsigned seme)
{
    std::mt19937 caso(seme);
    std::uniform_real_distribution<double> u(0.0, 100.0);
    Configurazione x(n);
    for (auto &p : x)
        p = {u(caso), u(caso)};
    return x;
}

} // namespace

class TestOrdinamento : public QObject
{
    Q_OBJECT

private slots:
    void regressioneMonotona();
    void stressDiUnQuadrato();
    void pareggiPrimari();
    void ritrovaIlPiano();
    void assiPrincipali();
    void ripetibile();
    void letturaDiClarke();
};

void TestOrdinamento::regressioneMonotona()
{
    // Worked by hand: 1, 3, 2 pools the last two to 2.5; 4, 1, 1 pools all
    // three to 2; an increasing sequence stays as it is.
    QCOMPARE(ordinamento::monotona({1, 3, 2, 4}), (std::vector<double>{1, 2.5, 2.5, 4}));
    QCOMPARE(ordinamento::monotona({4, 1, 1, 5}), (std::vector<double>{2, 2, 2, 5}));
    QCOMPARE(ordinamento::monotona({0, 1, 2}), (std::vector<double>{0, 1, 2}));
    QCOMPARE(ordinamento::monotona({3, 2, 1}), (std::vector<double>{2, 2, 2}));
    QVERIFY(ordinamento::monotona({}).empty());
}

// The unit square (0,0), (1,0), (0,1), (1,1) against dissimilarities that
// order the pairs 01, 03, 02, 12, 13, 23. In that order the distances are
// 1, r, 1, r, 1, 1 (r = sqrt 2); the monotone fit keeps the first and pools
// the other five to m = (3 + 2r) / 5, so stress² = (2 (r - m)² + 3 (1 - m)²) / 8,
// stress = 0.1604242. vegan 2.6-4 gives 0.1604242229 for
// monoMDS(as.dist(D), y = X, maxit = 0), the same configuration unchanged.
void TestOrdinamento::stressDiUnQuadrato()
{
    const similarita::Matrice d = daTriangolo(4, {1, 3, 2, 4, 5, 6});
    const Configurazione quadrato{{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    const double r = std::sqrt(2.0);
    const double m = (3.0 + 2.0 * r) / 5.0;
    const double atteso = std::sqrt((2.0 * (r - m) * (r - m) + 3.0 * (1.0 - m) * (1.0 - m)) / 8.0);
    QVERIFY(std::fabs(ordinamento::stress(d, quadrato) - atteso) < 1e-12);
    QVERIFY(std::fabs(atteso - 0.1604242229) < 1e-9);
    // Scale, shift and turn change no stress.
    Configurazione girato;
    for (const auto &p : quadrato)
        girato.push_back({3.0 * (p[0] * 0.6 - p[1] * 0.8) + 5.0, 3.0 * (p[0] * 0.8 + p[1] * 0.6) - 2.0});
    QVERIFY(std::fabs(ordinamento::stress(d, girato) - atteso) < 1e-12);
}

// Tied dissimilarities ask nothing of the order of their distances.
void TestOrdinamento::pareggiPrimari()
{
    const Configurazione quadrato{{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    QCOMPARE(ordinamento::stress(daTriangolo(4, {5, 5, 5, 5, 5, 5}), quadrato), 0.0);
    // 01 and 03 tied first, then 02, 12, 13, 23 tied. Each run may take its
    // distances in increasing order: (1, r), then (1, 1, 1, r). The sequence
    // 1, r, 1, 1, 1, r pools r with the three 1s to m = (r + 3) / 4; fixing
    // the pairs' order instead (the secondary approach) would cost more.
    const double r = std::sqrt(2.0);
    const double m = (r + 3.0) / 4.0;
    const double atteso = std::sqrt(((r - m) * (r - m) + 3.0 * (1.0 - m) * (1.0 - m)) / 8.0);
    QVERIFY(std::fabs(ordinamento::stress(daTriangolo(4, {1, 2, 1, 2, 2, 2}), quadrato) - atteso) < 1e-12);
    // Everything in one place: nothing to measure.
    QCOMPARE(ordinamento::stress(daTriangolo(3, {1, 2, 3}), Configurazione(3, {0.0, 0.0})), 0.0);
}

// Distances among points of a plane are a configuration of two
// dimensions: nMDS must find one with next to no stress.
void TestOrdinamento::ritrovaIlPiano()
{
    for (unsigned seme : {1u, 2u, 3u}) {
        const Configurazione x = casuali(25, seme);
        const ordinamento::Risultato r = ordinamento::nmds(distanze(x), 19, seme);
        QVERIFY2(r.stress < 0.01, qPrintable(QString::number(r.stress)));
        QCOMPARE(r.partenze, 20);
        QVERIFY(r.alMinimo >= 1 && r.alMinimo <= 20);
        QVERIFY(std::fabs(ordinamento::stress(distanze(x), r.punti) - r.stress) < 1e-9);
    }
    // A monotone transformation of the distances changes nothing for nMDS.
    similarita::Matrice d = distanze(casuali(20, 9));
    for (double &v : d.valori)
        v = std::sqrt(v) * 3.0 + v * v;
    QVERIFY(ordinamento::nmds(d, 19, 4).stress < 0.01);
    // So does classical scaling alone on Euclidean distances.
    const similarita::Matrice e = distanze(casuali(15, 5));
    QVERIFY(ordinamento::stress(e, ordinamento::pcoa(e)) < 1e-6);
}

void TestOrdinamento::assiPrincipali()
{
    // A tilted, shifted ellipse of points.
    Configurazione x;
    for (int k = 0; k < 24; ++k) {
        const double a = k * 0.2618;
        const double u = 5.0 * std::cos(a), v = 1.0 * std::sin(a) + (k % 3) * 0.1;
        x.push_back({10.0 + 0.8 * u - 0.6 * v, -3.0 + 0.6 * u + 0.8 * v});
    }
    x.push_back({10.0 + 0.8 * 9.0, -3.0 + 0.6 * 9.0}); // the farthest point, on the long axis
    const Configurazione y = ordinamento::assiPrincipali(x);
    double m0 = 0, m1 = 0, v0 = 0, v1 = 0, c = 0;
    for (const auto &p : y) {
        m0 += p[0];
        m1 += p[1];
        v0 += p[0] * p[0];
        v1 += p[1] * p[1];
        c += p[0] * p[1];
    }
    const double n = double(y.size());
    QVERIFY(std::fabs(m0) < 1e-9 && std::fabs(m1) < 1e-9);
    QVERIFY(std::fabs(c) < 1e-9);
    QVERIFY(v0 > 5.0 * v1);
    QVERIFY(std::fabs((v0 + v1) / n - 1.0) < 1e-9);
    QVERIFY(y.back()[0] > 0.0); // the first axis points to the farthest point
    // Distances keep their proportions.
    const double prima = std::hypot(x[0][0] - x[5][0], x[0][1] - x[5][1]) / std::hypot(x[1][0] - x[7][0], x[1][1] - x[7][1]);
    const double dopo = std::hypot(y[0][0] - y[5][0], y[0][1] - y[5][1]) / std::hypot(y[1][0] - y[7][0], y[1][1] - y[7][1]);
    QVERIFY(std::fabs(prima - dopo) < 1e-9);
}

void TestOrdinamento::ripetibile()
{
    const similarita::Matrice d = distanze(casuali(18, 11));
    similarita::Matrice rumore = d;
    std::mt19937 caso(2);
    for (int i = 0; i < d.n; ++i)
        for (int j = i + 1; j < d.n; ++j)
            rumore(i, j) = rumore(j, i) = d(i, j) * (1.0 + 0.4 * std::uniform_real_distribution<double>(-1, 1)(caso));
    const ordinamento::Risultato a = ordinamento::nmds(rumore, 19, 5);
    const ordinamento::Risultato b = ordinamento::nmds(rumore, 19, 5);
    QCOMPARE(a.stress, b.stress);
    QCOMPARE(a.alMinimo, b.alMinimo);
    QCOMPARE(a.punti, b.punti);
    // More starts never find a worse best.
    QVERIFY(ordinamento::nmds(rumore, 39, 5).stress <= ordinamento::nmds(rumore, 0, 5).stress + 1e-12);
}

void TestOrdinamento::letturaDiClarke()
{
    QCOMPARE(ordinamento::lettura(0.049), QStringLiteral("eccellente"));
    QCOMPARE(ordinamento::lettura(0.05), QStringLiteral("buona"));
    QCOMPARE(ordinamento::lettura(0.099), QStringLiteral("buona"));
    QCOMPARE(ordinamento::lettura(0.1), QStringLiteral("utilizzabile con cautela"));
    QCOMPARE(ordinamento::lettura(0.199), QStringLiteral("utilizzabile con cautela"));
    QCOMPARE(ordinamento::lettura(0.2), QStringLiteral("inaffidabile"));
}

QTEST_APPLESS_MAIN(TestOrdinamento)
#include "tst_ordinamento.moc"
