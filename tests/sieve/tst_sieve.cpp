#include "ColourConversion.h"
#include "CountList.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveRandom.h"
#include "TestData.h"
#include "Velmara.h"

#include <QTest>

#include <memory>

class TestSieve : public QObject
{
    Q_OBJECT

private slots:
    void threeDrawsPerOrganismOfTheStation();
    void extremeDrawsStayInside();
    void countList();
    void meshLines();
    void drawingFollowsTheRulePixelForPixel_data();
    void drawingFollowsTheRulePixelForPixel();

private:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 530;
    static constexpr QRgb kGround = qRgb(200, 176, 120);

    // The known sheet, with colours one step from the key in one component
    // beside its key pixels: those are drawn like any other colour.
    static QRgb fauna(int x, int y)
    {
        const QRgb nearKey[3] = {qRgb(254, 0, 255), qRgb(255, 1, 255), qRgb(255, 0, 254)};
        const int ox = x % 50, oy = y % 50;
        const bool inner = ox > 2 && ox < 48 && oy > 1 && oy < 48;
        return inner && testdata::faunaKeyAt(ox - 1, oy) ? nearKey[(x + y) % 3] : testdata::defaultFauna(x, y);
    }
    static Velmara state(int station)
    {
        Velmara v;
        samplecontent::impostaParametri(v);
        v.LarghezzaPx = kWidth;
        v.AltezzaPx = kHeight;
        v.StazSel = static_cast<std::int16_t>(station);
        v.ColoreTrasp = colour::fromQRgb(testdata::faunaKey());
        return v;
    }
    // Plain ground on the given scale: (left, top, right, bottom) as Scale takes them.
    static std::unique_ptr<PictureSurface> surface(QSize pixels, QRectF scale)
    {
        auto s = std::make_unique<PictureSurface>(pixels);
        s->Scale(float(scale.left()), float(scale.top()), float(scale.right()), float(scale.bottom()));
        s->setPicture(testdata::image(pixels.width(), pixels.height(), [](int, int) { return kGround; }));
        return s;
    }
};

// Counts (3, 0, 2, 0, ...): five organisms, three draws each; other
// stations do not count. The largest draw x, y, orientation lands on the
// last free unit and the last orientation, none draws past the organisms.
void TestSieve::threeDrawsPerOrganismOfTheStation()
{
    Velmara v = state(4);
    v.Conteggi[4] = {0, 3, 0, 2};
    v.Conteggi[3] = {0, 9, 9, 9};
    v.ContX.assign(40, 7.0f);
    int calls = 0;
    const auto draw = [&calls] { return ++calls > 12 ? SieveRandom::fromBits(0xFFFFFFFFu) : 0.0f; };
    samplecontent::CaricaContenuto(v, draw);
    QVERIFY(calls == 15 && v.ContX.size() == 6 && v.ContY.size() == 6 && v.ContRot.size() == 6);
    QVERIFY(v.ContX[4] == 1.0f && v.ContY[4] == 1.0f && v.ContRot[4] == 0);
    QVERIFY(v.ContX[5] == 479.0f && v.ContY[5] == 480.0f && v.ContRot[5] == 3);
    // An empty station draws nothing: only element 0 is left of the list.
    v.StazSel = 5;
    samplecontent::CaricaContenuto(v, draw);
    QVERIFY(calls == 15 && v.ContX.size() == 1 && v.ContY.size() == 1 && v.ContRot.size() == 1);
}

// Guards two fixes. A float distribution of the standard library can round
// up to 1.0 and put an organism past the free band: the largest draw must
// stay below 1. And the 1 is added after the floor: added before, the
// largest draw rounds up to the edge for some picture sizes.
void TestSieve::extremeDrawsStayInside()
{
    QCOMPARE(SieveRandom::fromBits(0), 0.0f);
    QCOMPARE(SieveRandom::fromBits(0xFFFFFFFFu), 1.0f - 1.0f / 16777216.0f);
    // Two openings in the same instant still get different layouts.
    SieveRandom first = SieveRandom::fromTimeOfDay(), second = SieveRandom::fromTimeOfDay();
    QVERIFY(first.next() != second.next() || first.next() != second.next());
    Velmara v = state(2);
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
void TestSieve::countList()
{
    Velmara v = state(7);
    v.Stazioni[7][Velmara::kProf] = 23;
    v.Conteggi[7] = {0, 5, 0, 63, 1, 0, 0, 0, 0, 0, 0, 12, 40};
    QCOMPARE(countlist::MostraListaText(v).toLatin1(),
             QByteArray("Stazione 7\r\nProf. 23 m\r\n\r\nSp. 1  \t 5\r\nSp. 2  \t 0\r\nSp. 3  \t 63\r\nSp. 4  \t 1\r\n"
                        "Sp. 5  \t 0\r\nSp. 6  \t 0\r\nSp. 7  \t 0\r\nSp. 8  \t 0\r\n"
                        "Sp. 9  \t 0\r\nSp. 10  \t 0\r\nSp. 11  \t 12\r\nSp. 12  \t 40\r\n"));
    v = state(100);
    v.Stazioni[100][Velmara::kProf] = -12;
    QVERIFY(countlist::MostraListaText(v).startsWith(QStringLiteral("Stazione 100\r\nProf.-12 m\r\n\r\nSp. 1  \t 0\r\n")));
}

void TestSieve::meshLines()
{
    // x = 0 .. 520 (53 lines), y = 0 .. 530 (54, the last on the top edge);
    // the line at y = 0 lies just below the picture. The step is the state's.
    auto s = surface(QSize(kWidth, kHeight), QRectF(0, kHeight, kWidth, -kHeight));
    sievedrawing::disegnaMaglia(*s, state(1));
    int wrong = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int column = 0; column < kWidth; ++column) {
            const bool onMesh = column % 10 == 0 || (kHeight - row) % 10 == 0;
            wrong += s->Image().pixel(column, row) != (onMesh ? qRgb(64, 64, 64) : kGround);
        }
    }
    QCOMPARE(wrong, 0);
}

void TestSieve::drawingFollowsTheRulePixelForPixel_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRectF>("scale");
    QTest::addColumn<float>("shift"); // added to every position
    QTest::addColumn<bool>("roundSprites");
    const QSize sieve(kWidth, kHeight);
    const QRectF up(0, kHeight, kWidth, -kHeight);
    QTest::newRow("the sieve") << sieve << up << 0.0f << true;
    QTest::newRow("partly and wholly past the bottom left") << sieve << up << -60.0f << true;
    QTest::newRow("partly past the top right") << sieve << up << 40.0f << false;
    QTest::newRow("the gallery's scale, y downwards") << QSize(313, 369) << QRectF(0, 0, 313, 369) << 0.0f << false;
}

// Guards the fast drawing of whole runs of sprite pixels: on the scales of
// both windows it must leave exactly the picture that the per-pixel rule
// leaves.
void TestSieve::drawingFollowsTheRulePixelForPixel()
{
    QFETCH(QSize, pixels);
    QFETCH(QRectF, scale);
    QFETCH(float, shift);
    QFETCH(bool, roundSprites);
    // Round sprites: wide key margins around every drawing.
    const QImage sheet = testdata::image(600, 200, [roundSprites](int x, int y) {
        const int dx = x % 50 - 24, dy = y % 50 - 26;
        return roundSprites && dx * dx + dy * dy > 400 ? testdata::faunaKey() : fauna(x, y);
    });
    Velmara v = state(3);
    for (int sp = 1; sp <= 12; ++sp)
        v.Conteggi[3][sp] = static_cast<std::int16_t>(10 + 4 * sp);
    SieveRandom random(8u);
    samplecontent::CaricaContenuto(v, [&random] { return random.next(); });
    for (std::size_t k = 1; k < v.ContX.size(); ++k)
        v.ContX[k] += shift, v.ContY[k] += shift;
    auto drawn = surface(pixels, scale);
    QList<int> progress;
    sievedrawing::disegnaOrganismi(*drawn, sheet, v, [&progress](int count) { progress << count; });

    // The rule as written: every inner cell pixel not of the key colour,
    // column by column, set on its own through the surface.
    auto expected = surface(pixels, scale);
    int k = 0;
    for (int sp = 1; sp <= 12; ++sp) {
        for (int j = 1; j <= v.Conteggi[3][sp]; ++j) {
            ++k;
            QCOMPARE(progress.value(k - 1), k); // told after each organism
            const int rot = v.ContRot[k];
            for (int sx = (sp - 1) * 50 + 2; sx <= (sp - 1) * 50 + 47; ++sx)
                for (int sy = rot * 50 + 2; sy <= rot * 50 + 47; ++sy)
                    if (sheet.pixel(sx, sy) != testdata::faunaKey())
                        expected->PSet(v.ContX[k] - 1 + float(sx % 50), v.ContY[k] - 1 + float(sy % 50),
                                       colour::fromQRgb(sheet.pixel(sx, sy)));
        }
    }
    QCOMPARE(progress.size(), k);
    QCOMPARE(drawn->Image(), expected->Image());
}

QTEST_MAIN(TestSieve)
#include "tst_sieve.moc"
