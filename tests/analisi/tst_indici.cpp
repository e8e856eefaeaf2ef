#include "Indici.h"
#include "Statistica.h"

#include <QTest>

#include <cmath>

using indici::ClasseAmbi;
using indici::Conteggi;
using Valori = std::vector<double>;

namespace {

constexpr double kNd = -1.0; // an undefined index in the data tables

Conteggi conteggi(std::initializer_list<std::pair<int, int>> specieNumero)
{
    Conteggi c{};
    for (const auto &[sp, n] : specieNumero)
        c[sp - 1] = n;
    return c;
}

bool vicino(std::optional<double> valore, double atteso, double tolleranza = 5e-6)
{
    return atteso == kNd ? !valore : valore && std::fabs(*valore - atteso) < tolleranza;
}

} // namespace

class TestIndici : public QObject
{
    Q_OBJECT

private slots:
    void indiciDiUnCampione_data();
    void indiciDiUnCampione();
    void classiAmbiAiConfini_data();
    void classiAmbiAiConfini();
    void quantiliDiStudent_data();
    void quantiliDiStudent();
    void stimaDellaMedia();
};

// Figures worked out by hand: p = n / N, H' = -sum p ln p, J' = H' / ln S,
// 1 - lambda' = 1 - sum n(n-1) / (N(N-1)), d = (S-1) / ln N, AMBI from the
// groups of the species used (1, 2, 5, 10: II; 3, 6: I; 12: V).
void TestIndici::indiciDiUnCampione_data()
{
    QTest::addColumn<Conteggi>("c");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("S");
    QTest::addColumn<Valori>("attesi"); // H' (ln), J', 1 - lambda', d, AMBI
    QTest::addColumn<ClasseAmbi>("classe");

    // Four species at 10: H' = ln 4, J' = 1, 1 - 360/1560, d = 3 / ln 40.
    QTest::newRow("quattro specie pari") << conteggi({{1, 10}, {2, 10}, {5, 10}, {10, 10}}) << 40 << 4
                                         << Valori{std::log(4.0), 1.0, 1.0 - 360.0 / 1560.0, 3.0 / std::log(40.0), 1.5}
                                         << ClasseAmbi::LeggermenteDisturbato;
    // 50, 30, 20: H' = 0.346574 + 0.361192 + 0.321888.
    QTest::newRow("50 30 20") << conteggi({{3, 50}, {6, 30}, {12, 20}}) << 100 << 3
                              << Valori{1.0296530, 1.0296530 / std::log(3.0), 1.0 - (2450.0 + 870.0 + 380.0) / 9900.0,
                                        2.0 / std::log(100.0), 1.2}
                              << ClasseAmbi::Indisturbato;
    QTest::newRow("una specie") << conteggi({{12, 5}}) << 5 << 1 << Valori{0.0, kNd, 0.0, 0.0, 6.0} << ClasseAmbi::FortementeDisturbato;
    QTest::newRow("un organismo") << conteggi({{6, 1}}) << 1 << 1 << Valori{0.0, kNd, kNd, kNd, 0.0} << ClasseAmbi::Indisturbato;
    QTest::newRow("azoico") << Conteggi{} << 0 << 0 << Valori{kNd, kNd, kNd, kNd, kNd} << ClasseAmbi::Azoico;
}

void TestIndici::indiciDiUnCampione()
{
    QFETCH(Conteggi, c);
    QFETCH(Valori, attesi);
    const indici::Indici i = indici::calcola(c);
    QTEST(i.N, "N");
    QTEST(i.S, "S");
    const std::optional<double> trovati[] = {i.shannonLn, i.pielou, i.simpson, i.margalef, i.ambi};
    for (int k = 0; k < 5; ++k)
        QVERIFY2(vicino(trovati[k], attesi[k]), qPrintable(QStringLiteral("index %1: %2").arg(k).arg(trovati[k].value_or(kNd), 0, 'g', 10)));
    QVERIFY(vicino(i.shannonLog2, attesi[0] == kNd ? kNd : attesi[0] / std::log(2.0)));
    QTEST(i.classe, "classe");
    QVERIFY(!std::signbit(i.shannonLn.value_or(0.0)));
}

void TestIndici::classiAmbiAiConfini_data()
{
    QTest::addColumn<double>("ambi");
    QTest::addColumn<QString>("classe");
    QTest::newRow("1.2") << 1.2 << "indisturbato";
    QTest::newRow("1.21") << 1.21 << "leggermente disturbato";
    QTest::newRow("3.3") << 3.3 << "leggermente disturbato";
    QTest::newRow("3.301") << 3.301 << "moderatamente disturbato";
    QTest::newRow("5.0") << 5.0 << "moderatamente disturbato";
    QTest::newRow("5.01") << 5.01 << "fortemente disturbato";
}

void TestIndici::classiAmbiAiConfini()
{
    QFETCH(double, ambi);
    QTEST(indici::nomeClasse(indici::classeAmbi(ambi)), "classe");
}

// Two-sided 95 % (p = 0.975) and one-sided 95 % values of the usual
// printed table of Student's t (e.g. Fisher & Yates, Table III).
void TestIndici::quantiliDiStudent_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<int>("df");
    QTest::addColumn<double>("t");
    QTest::newRow("1") << 0.975 << 1 << 12.706;
    QTest::newRow("5") << 0.975 << 5 << 2.571;
    QTest::newRow("120") << 0.975 << 120 << 1.980;
    QTest::newRow("0.95, 10") << 0.95 << 10 << 1.812;
    QTest::newRow("0.025, 4") << 0.025 << 4 << -2.776;
}

void TestIndici::quantiliDiStudent()
{
    QFETCH(double, p);
    QFETCH(int, df);
    QFETCH(double, t);
    QVERIFY2(vicino(statistica::quantileT(p, df), t, 6e-4), qPrintable(QString::number(statistica::quantileT(p, df), 'f', 6)));
}

void TestIndici::stimaDellaMedia()
{
    // 2 4 4 4 5 5 7 9: mean 5, s^2 = 32/7, se = s / sqrt 8, t(0.975, 7) = 2.364624.
    const statistica::Stima s = statistica::stimaMedia({2, 4, 4, 4, 5, 5, 7, 9});
    const double errore = std::sqrt(32.0 / 7.0 / 8.0);
    QCOMPARE(s.n, 8);
    QCOMPARE(*s.media, 5.0);
    QVERIFY(vicino(s.deviazione, std::sqrt(32.0 / 7.0), 1e-12) && vicino(s.errore, errore, 1e-12));
    QVERIFY(vicino(s.icBasso, 5.0 - 2.364624 * errore, 1e-5) && vicino(s.icAlto, 5.0 + 2.364624 * errore, 1e-5));
    // One value: a mean and nothing else; none: not even that.
    const statistica::Stima una = statistica::stimaMedia({3});
    QVERIFY(*una.media == 3.0 && !una.errore && !una.icBasso && !una.icAlto);
    QVERIFY(!statistica::stimaMedia({}).media);

    QCOMPARE(*statistica::confronta(s, 4.0).erroreRelativo, 0.25);
    QCOMPARE(*statistica::confronta(s, 4.0).copre, true);
    QCOMPARE(*statistica::confronta(s, 7.0).copre, false);
    QVERIFY(!statistica::confronta(s, 0.0).erroreRelativo);
    QVERIFY(!statistica::confronta(una, 3.0).copre);
    // Every value alike: an interval of zero width tells no coverage, on the
    // truth or beside it.
    const statistica::Stima uguali = statistica::stimaMedia({3, 3, 3});
    QVERIFY(uguali.icBasso && *uguali.icBasso == *uguali.icAlto);
    QVERIFY(!statistica::confronta(uguali, 3.0).copre && !statistica::confronta(uguali, 3.5).copre);
}

QTEST_APPLESS_MAIN(TestIndici)
#include "tst_indici.moc"
