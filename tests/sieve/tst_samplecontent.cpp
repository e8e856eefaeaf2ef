#include "CountList.h"
#include "SampleContent.h"
#include "SieveRandom.h"
#include "Velmara.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

class TestSampleContent : public QObject
{
    Q_OBJECT

private slots:
    void randomNeverReachesOne();
    void randomIsUniform();
    void randomSeeds();
    void organismsFollowTheCountsSpeciesBySpecies();
    void threeDrawsPerOrganismXYOrientation();
    void positionsStayInsideOverManyDraws();
    void extremeDrawsStayInside_data();
    void extremeDrawsStayInside();
    void emptyAndUnusualStations();
    void countList_data();
    void countList();
};

namespace {

Velmara sieveState(int station)
{
    Velmara v;
    samplecontent::impostaParametri(v);
    v.LarghezzaPx = 529;
    v.AltezzaPx = 530;
    v.StazSel = static_cast<std::int16_t>(station);
    return v;
}

} // namespace

void TestSampleContent::randomNeverReachesOne()
{
    QCOMPARE(SieveRandom::fromBits(0), 0.0f);
    QCOMPARE(SieveRandom::fromBits(0xFFFFFFFFu), 1.0f - 1.0f / 16777216.0f);
    QVERIFY(SieveRandom::fromBits(0xFFFFFFFFu) < 1.0f);
    // Scaled by 4 the largest value still floors to 3.
    QCOMPARE(std::floor(SieveRandom::fromBits(0xFFFFFFFFu) * 4.0f), 3.0f);
}

void TestSampleContent::randomIsUniform()
{
    SieveRandom random(20240611u);
    constexpr int kDraws = 400000;
    std::vector<int> bins(20, 0);
    for (int i = 0; i < kDraws; ++i)
        ++bins[static_cast<std::size_t>(random.next() * 20.0f)];
    for (int count : bins)
        QVERIFY2(std::abs(count - kDraws / 20) < kDraws / 20 / 20, qPrintable(QString::number(count)));
}

void TestSampleContent::randomSeeds()
{
    SieveRandom a(77u);
    SieveRandom b(77u);
    SieveRandom c(78u);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const float ra = a.next();
        QCOMPARE(b.next(), ra);
        differs = differs || c.next() != ra;
    }
    QVERIFY(differs);

    // Two openings in the same instant still get different layouts.
    SieveRandom first = SieveRandom::fromTimeOfDay();
    SieveRandom second = SieveRandom::fromTimeOfDay();
    int same = 0;
    for (int i = 0; i < 100; ++i)
        same += first.next() == second.next() ? 1 : 0;
    QVERIFY(same < 5);
}

void TestSampleContent::organismsFollowTheCountsSpeciesBySpecies()
{
    Velmara v = sieveState(4);
    v.Conteggi[4] = {0, 3, 0, 2};
    v.Conteggi[3] = {0, 9, 9, 9}; // other stations do not count
    // Organism k gets the draws 3k-2, 3k-1, 3k: make each one tell its k.
    int call = 0;
    const auto draw = [&call] {
        const int k = call / 3 + 1;
        ++call;
        return static_cast<float>(k) / 100.0f;
    };
    QCOMPARE(samplecontent::numeroOrganismi(v), 5);
    samplecontent::CaricaContenuto(v, draw);
    QCOMPARE(call, 15);
    QCOMPARE(v.ContX.size(), std::size_t(6));
    QCOMPARE(v.ContY.size(), std::size_t(6));
    QCOMPARE(v.ContRot.size(), std::size_t(6));
    for (int k = 1; k <= 5; ++k) {
        const float r = static_cast<float>(k) / 100.0f;
        QCOMPARE(v.ContX[k], static_cast<float>(std::floor(double(r) * 479.0) + 1.0));
        QCOMPARE(v.ContY[k], static_cast<float>(std::floor(double(r) * 480.0) + 1.0));
    }
}

void TestSampleContent::threeDrawsPerOrganismXYOrientation()
{
    Velmara v = sieveState(1);
    v.Conteggi[1][12] = 1;
    v.Conteggi[1][6] = 1;
    const std::vector<float> values{0.0f, 0.5f, 0.99f, 0.25f, 0.75f, 0.5f};
    std::size_t next = 0;
    samplecontent::CaricaContenuto(v, [&] { return values.at(next++); });
    QCOMPARE(next, values.size());
    QCOMPARE(v.ContX[1], 1.0f);
    QCOMPARE(v.ContY[1], 241.0f);
    QCOMPARE(v.ContRot[1], std::int16_t(3));
    QCOMPARE(v.ContX[2], 120.0f);
    QCOMPARE(v.ContY[2], 361.0f);
    QCOMPARE(v.ContRot[2], std::int16_t(2));
}

void TestSampleContent::positionsStayInsideOverManyDraws()
{
    Velmara v = sieveState(9);
    for (int sp = 1; sp <= 12; ++sp)
        v.Conteggi[9][sp] = 63;
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    std::vector<int> rotations(4, 0);
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        SieveRandom random(seed);
        samplecontent::CaricaContenuto(v, [&random] { return random.next(); });
        QCOMPARE(v.ContX.size(), std::size_t(757));
        for (std::size_t k = 1; k < v.ContX.size(); ++k) {
            const float x = v.ContX[k];
            const float y = v.ContY[k];
            QCOMPARE(x, std::floor(x));
            QCOMPARE(y, std::floor(y));
            QVERIFY2(x >= 1.0f && x <= 479.0f, qPrintable(QString::number(x)));
            QVERIFY2(y >= 1.0f && y <= 480.0f, qPrintable(QString::number(y)));
            QVERIFY(v.ContRot[k] >= 0 && v.ContRot[k] <= 3);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            ++rotations[static_cast<std::size_t>(v.ContRot[k])];
        }
    }
    // The whole range is used, not just kept within.
    QCOMPARE(minX, 1.0f);
    QCOMPARE(maxX, 479.0f);
    QCOMPARE(minY, 1.0f);
    QCOMPARE(maxY, 480.0f);
    for (int count : rotations)
        QVERIFY(std::abs(count - 150 * 756 / 4) < 150 * 756 / 40);
}

void TestSampleContent::extremeDrawsStayInside_data()
{
    QTest::addColumn<float>("draw");
    QTest::newRow("zero") << 0.0f;
    QTest::newRow("largest") << SieveRandom::fromBits(0xFFFFFFFFu);
    QTest::newRow("just below a half") << SieveRandom::fromBits(0x7FFFFFFFu);
}

void TestSampleContent::extremeDrawsStayInside()
{
    QFETCH(float, draw);
    Velmara v = sieveState(2);
    v.Conteggi[2][1] = 1;
    // Any picture size: the largest draw must not round up to the edge.
    for (int size = 51; size <= 4000; ++size) {
        v.LarghezzaPx = static_cast<std::int16_t>(size);
        v.AltezzaPx = static_cast<std::int16_t>(size + 1);
        samplecontent::CaricaContenuto(v, [draw] { return draw; });
        QVERIFY2(v.ContX[1] >= 1.0f && v.ContX[1] <= static_cast<float>(size - 50), qPrintable(QString::number(size)));
        QVERIFY(v.ContY[1] >= 1.0f && v.ContY[1] <= static_cast<float>(size + 1 - 50));
        QVERIFY(v.ContRot[1] >= 0 && v.ContRot[1] <= 3);
    }
}

void TestSampleContent::emptyAndUnusualStations()
{
    int calls = 0;
    const auto draw = [&calls] {
        ++calls;
        return 0.5f;
    };
    Velmara v = sieveState(3);
    v.ContX.assign(40, 7.0f);
    v.ContY.assign(40, 7.0f);
    v.ContRot.assign(40, 1);
    samplecontent::CaricaContenuto(v, draw);
    QCOMPARE(v.ContX.size(), std::size_t(1));
    QCOMPARE(v.ContY.size(), std::size_t(1));
    QCOMPARE(v.ContRot.size(), std::size_t(1));
    QCOMPARE(calls, 0);

    // A count below zero adds nobody, and takes nobody away.
    v.Conteggi[3] = {0, -4, 2, 0, 1};
    QCOMPARE(samplecontent::numeroOrganismi(v), 3);
    samplecontent::CaricaContenuto(v, draw);
    QCOMPARE(v.ContX.size(), std::size_t(4));
    QCOMPARE(calls, 9);

    // A station outside the tables has no catch.
    for (int station : {0, -1, 101}) {
        v.StazSel = static_cast<std::int16_t>(station);
        QCOMPARE(samplecontent::numeroOrganismi(v), 0);
        samplecontent::CaricaContenuto(v, draw);
        QCOMPARE(v.ContX.size(), std::size_t(1));
        QCOMPARE(countlist::MostraListaText(v), QString());
    }
}

void TestSampleContent::countList_data()
{
    QTest::addColumn<int>("station");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("all counts 0") << 4 << 31 << QList<int>(12, 0)
                                  << QByteArray("Stazione 4\r\nProf. 31 m\r\n\r\n"
                                                "Sp. 1  \t 0\r\nSp. 2  \t 0\r\nSp. 3  \t 0\r\nSp. 4  \t 0\r\n"
                                                "Sp. 5  \t 0\r\nSp. 6  \t 0\r\nSp. 7  \t 0\r\nSp. 8  \t 0\r\n"
                                                "Sp. 9  \t 0\r\nSp. 10  \t 0\r\nSp. 11  \t 0\r\nSp. 12  \t 0\r\n");
    QTest::newRow("negative depth") << 100 << -12 << QList<int>(12, 0)
                                    << QByteArray("Stazione 100\r\nProf.-12 m\r\n\r\n"
                                                  "Sp. 1  \t 0\r\nSp. 2  \t 0\r\nSp. 3  \t 0\r\nSp. 4  \t 0\r\n"
                                                  "Sp. 5  \t 0\r\nSp. 6  \t 0\r\nSp. 7  \t 0\r\nSp. 8  \t 0\r\n"
                                                  "Sp. 9  \t 0\r\nSp. 10  \t 0\r\nSp. 11  \t 0\r\nSp. 12  \t 0\r\n");
    QTest::newRow("a catch") << 7 << 23 << QList<int>{5, 0, 63, 1, 0, 0, 0, 0, 0, 0, 12, 40}
                             << QByteArray("Stazione 7\r\nProf. 23 m\r\n\r\n"
                                           "Sp. 1  \t 5\r\nSp. 2  \t 0\r\nSp. 3  \t 63\r\nSp. 4  \t 1\r\n"
                                           "Sp. 5  \t 0\r\nSp. 6  \t 0\r\nSp. 7  \t 0\r\nSp. 8  \t 0\r\n"
                                           "Sp. 9  \t 0\r\nSp. 10  \t 0\r\nSp. 11  \t 12\r\nSp. 12  \t 40\r\n");
}

void TestSampleContent::countList()
{
    QFETCH(int, station);
    QFETCH(int, depth);
    QFETCH(QList<int>, counts);
    QFETCH(QByteArray, text);
    Velmara v = sieveState(station);
    v.Stazioni[station][Velmara::kProf] = static_cast<std::int16_t>(depth);
    for (int sp = 1; sp <= 12; ++sp)
        v.Conteggi[station][sp] = static_cast<std::int16_t>(counts[sp - 1]);
    QCOMPARE(countlist::MostraListaText(v).toLatin1(), text);
}

QTEST_APPLESS_MAIN(TestSampleContent)
#include "tst_samplecontent.moc"
