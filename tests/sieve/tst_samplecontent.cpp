#include "CountList.h"
#include "SampleContent.h"
#include "SieveRandom.h"
#include "Velmara.h"

#include <QTest>

#include <cmath>

class TestSampleContent : public QObject
{
    Q_OBJECT

private slots:
    void randomSource();
    void threeDrawsPerOrganismSpeciesBySpecies();
    void extremeDrawsStayInside();
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

// A float distribution of the standard library can round up to 1.0 and put
// an organism past the free band: the largest value must stay below 1.
void TestSampleContent::randomSource()
{
    QCOMPARE(SieveRandom::fromBits(0), 0.0f);
    QCOMPARE(SieveRandom::fromBits(0xFFFFFFFFu), 1.0f - 1.0f / 16777216.0f);
    // Two openings in the same instant still get different layouts.
    SieveRandom first = SieveRandom::fromTimeOfDay(), second = SieveRandom::fromTimeOfDay();
    QVERIFY(first.next() != second.next() || first.next() != second.next());
}

// Counts (3, 0, 2, 0, ...): five organisms, three draws each, in the order
// x, y, orientation; other stations do not count. Draw i is (23 i mod 64) / 64,
// spread over the whole range.
void TestSampleContent::threeDrawsPerOrganismSpeciesBySpecies()
{
    Velmara v = sieveState(4);
    v.Conteggi[4] = {0, 3, 0, 2};
    v.Conteggi[3] = {0, 9, 9, 9};
    v.ContX.assign(40, 7.0f);
    int call = 0;
    const auto draw = [&call] { return static_cast<float>(23 * call++ % 64) / 64.0f; };
    samplecontent::CaricaContenuto(v, draw);
    QVERIFY(call == 15 && v.ContX.size() == 6 && v.ContY.size() == 6 && v.ContRot.size() == 6);
    for (int k = 1; k <= 5; ++k) {
        const auto r = [k](int d) { return double(23 * (3 * (k - 1) + d) % 64) / 64.0; };
        QCOMPARE(v.ContX[k], static_cast<float>(std::floor(r(0) * 479.0) + 1.0));
        QCOMPARE(v.ContY[k], static_cast<float>(std::floor(r(1) * 480.0) + 1.0));
        QCOMPARE(v.ContRot[k], static_cast<std::int16_t>(std::floor(r(2) * 4.0)));
    }
    // An empty station draws nothing: only element 0 is left of the list.
    v.StazSel = 5;
    samplecontent::CaricaContenuto(v, draw);
    QVERIFY(call == 15 && v.ContX.size() == 1 && v.ContY.size() == 1 && v.ContRot.size() == 1);
}

// Guards the fix that adds the 1 after the floor: added before, the largest
// draw rounds up to the edge for some picture sizes.
void TestSampleContent::extremeDrawsStayInside()
{
    Velmara v = sieveState(2);
    v.Conteggi[2][1] = 1;
    for (const float draw : {0.0f, SieveRandom::fromBits(0xFFFFFFFFu), SieveRandom::fromBits(0x7FFFFFFFu)}) {
        for (int size = 51; size <= 4000; ++size) {
            v.LarghezzaPx = static_cast<std::int16_t>(size);
            v.AltezzaPx = static_cast<std::int16_t>(size + 1);
            samplecontent::CaricaContenuto(v, [draw] { return draw; });
            QVERIFY2(v.ContX[1] >= 1.0f && v.ContX[1] <= static_cast<float>(size - 50)
                         && v.ContY[1] >= 1.0f && v.ContY[1] <= static_cast<float>(size + 1 - 50)
                         && v.ContRot[1] >= 0 && v.ContRot[1] <= 3,
                     qPrintable(QStringLiteral("draw %1, size %2").arg(double(draw), 0, 'g', 9).arg(size)));
        }
    }
}

// The list the window shows, byte for byte: CR LF, two blanks and a tab.
void TestSampleContent::countList()
{
    Velmara v = sieveState(7);
    v.Stazioni[7][Velmara::kProf] = 23;
    v.Conteggi[7] = {0, 5, 0, 63, 1, 0, 0, 0, 0, 0, 0, 12, 40};
    QCOMPARE(countlist::MostraListaText(v).toLatin1(),
             QByteArray("Stazione 7\r\nProf. 23 m\r\n\r\nSp. 1  \t 5\r\nSp. 2  \t 0\r\nSp. 3  \t 63\r\nSp. 4  \t 1\r\n"
                        "Sp. 5  \t 0\r\nSp. 6  \t 0\r\nSp. 7  \t 0\r\nSp. 8  \t 0\r\n"
                        "Sp. 9  \t 0\r\nSp. 10  \t 0\r\nSp. 11  \t 12\r\nSp. 12  \t 40\r\n"));
    v = sieveState(100);
    v.Stazioni[100][Velmara::kProf] = -12;
    const QString list = countlist::MostraListaText(v);
    QVERIFY(list.startsWith(QStringLiteral("Stazione 100\r\nProf.-12 m\r\n\r\nSp. 1  \t 0\r\n")));
    QVERIFY(list.endsWith(QStringLiteral("Sp. 12  \t 0\r\n")));
}

QTEST_APPLESS_MAIN(TestSampleContent)
#include "tst_samplecontent.moc"
