#include "ColourConversion.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveRandom.h"
#include "TestData.h"
#include "Velmara.h"

#include <QTest>

#include <memory>

class TestSieveDrawing : public QObject
{
    Q_OBJECT

private slots:
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

void TestSieveDrawing::meshLines()
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

void TestSieveDrawing::drawingFollowsTheRulePixelForPixel_data()
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
void TestSieveDrawing::drawingFollowsTheRulePixelForPixel()
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
    for (std::size_t k = 1; k < v.ContX.size(); ++k) {
        v.ContX[k] += shift;
        v.ContY[k] += shift;
    }
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

QTEST_MAIN(TestSieveDrawing)
#include "tst_sievedrawing.moc"
