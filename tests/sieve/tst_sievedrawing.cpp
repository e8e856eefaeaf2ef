#include "ColourConversion.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SieveRandom.h"
#include "TestData.h"
#include "Velmara.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestSieveDrawing : public QObject
{
    Q_OBJECT

private slots:
    void meshLines_data();
    void meshLines();
    void everyCellPixelLandsMirrored();
    void keyColourIsNeverDrawnButItsNeighboursAre();
    void organismAtOneOneCoversTheBottomLeftCorner();
    void entriesFollowTheSpeciesOrder();
    void higherSpeciesIsOnTop();
    void progressCountsEveryOrganism();
    void drawingFollowsTheRulePixelForPixel_data();
    void drawingFollowsTheRulePixelForPixel();
    void spritesPartlyOutsideAreClipped();
    void redrawOnAnotherBackgroundKeepsTheOrganisms();
    void captionSuffixOnce_data();
    void captionSuffixOnce();
    void unusablePicturesAreRefused_data();
    void unusablePicturesAreRefused();

private:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 530;
    const QImage sheet_ = testdata::image(600, 200, testdata::defaultFauna);
    const QRgb ground_ = qRgb(200, 176, 120);
    const QImage background_ = testdata::image(kWidth, kHeight, [this](int, int) { return ground_; });

    Velmara state(int station = 1) const
    {
        Velmara v;
        samplecontent::impostaParametri(v);
        v.LarghezzaPx = kWidth;
        v.AltezzaPx = kHeight;
        v.StazSel = static_cast<std::int16_t>(station);
        v.ColoreTrasp = colour::fromQRgb(testdata::faunaKey());
        return v;
    }
    static std::unique_ptr<PictureSurface> sieve()
    {
        auto s = std::make_unique<PictureSurface>(QSize(kWidth, kHeight));
        s->Scale(0, kHeight, kWidth, 0);
        return s;
    }
    // Places organisms by hand: (species, x, y, rotation), in list order.
    static void place(Velmara &v, const QList<std::array<int, 4>> &organisms)
    {
        v.Conteggi[v.StazSel] = {};
        v.ContX = {0.0f};
        v.ContY = {0.0f};
        v.ContRot = {0};
        for (const auto &[sp, x, y, rot] : organisms) {
            ++v.Conteggi[v.StazSel][sp];
            v.ContX.push_back(static_cast<float>(x));
            v.ContY.push_back(static_cast<float>(y));
            v.ContRot.push_back(static_cast<std::int16_t>(rot));
        }
    }
    // The sieve pixel of sieve units (x, y): y grows upwards from row 530.
    static QRgb at(const PictureSurface &s, int x, int y) { return s.Image().pixel(x, kHeight - y); }
};

void TestSieveDrawing::meshLines_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("step");
    QTest::newRow("the sieve") << kWidth << kHeight << 10;
    QTest::newRow("multiples of the step") << 60 << 40 << 10;
    QTest::newRow("another step") << 33 << 47 << 7;
}

void TestSieveDrawing::meshLines()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, step);
    Velmara v = state();
    v.LarghezzaPx = static_cast<std::int16_t>(width);
    v.AltezzaPx = static_cast<std::int16_t>(height);
    v.PassoMaglia = static_cast<std::int16_t>(step);
    PictureSurface s(QSize(width, height));
    s.Scale(0, height, width, 0);
    sievedrawing::stendiSfondo(s, testdata::image(width, height, [this](int, int) { return ground_; }));
    sievedrawing::disegnaMaglia(s, v);
    const QRgb mesh = qRgb(64, 64, 64);
    // Columns from the left edge, rows counted from the bottom edge: the
    // line at y = 0 lies just below the picture.
    int wrong = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const bool onMesh = column % step == 0 || (height - row) % step == 0;
            wrong += s.Image().pixel(column, row) == (onMesh ? mesh : ground_) ? 0 : 1;
        }
    }
    QCOMPARE(wrong, 0);
    if (width == kWidth) {
        int columns = 0;
        for (int x = 0; x < width; ++x)
            columns += s.Image().pixel(x, 5) == mesh ? 1 : 0;
        QCOMPARE(columns, 53); // x = 0 .. 520
        QCOMPARE(s.Image().pixel(5, 0), mesh); // y = 530, the top edge
    }
}

void TestSieveDrawing::everyCellPixelLandsMirrored()
{
    Velmara v = state();
    for (int sp = 1; sp <= 12; ++sp) {
        for (int rot = 0; rot <= 3; ++rot) {
            const int x = 13 * sp + rot;
            const int y = 400 - 17 * sp - 3 * rot;
            place(v, {{sp, x, y, rot}});
            auto s = sieve();
            sievedrawing::stendiSfondo(*s, background_);
            QCOMPARE(sievedrawing::disegnaOrganismi(*s, sheet_, v), 1);
            for (int oy = 2; oy <= 47; ++oy) {
                for (int ox = 2; ox <= 47; ++ox) {
                    const QRgb cell = sheet_.pixel((sp - 1) * 50 + ox, rot * 50 + oy);
                    const QRgb expected = cell == testdata::faunaKey() ? ground_ : cell;
                    QCOMPARE(at(*s, x - 1 + ox, y - 1 + oy), expected);
                }
            }
            // The sheet's top-left inner pixel is drawn at the sprite's
            // top-left corner, (x + 1, y + 46).
            QCOMPARE(at(*s, x + 1, y + 46), sheet_.pixel((sp - 1) * 50 + 2, rot * 50 + 47));
            // Nothing outside the 46 x 46 square, and no ring pixel anywhere.
            int strays = 0;
            for (int row = 0; row < kHeight; ++row) {
                for (int column = 0; column < kWidth; ++column) {
                    const int uy = kHeight - row;
                    const bool inside = column >= x + 1 && column <= x + 46 && uy >= y + 1 && uy <= y + 46;
                    const QRgb pixel = s->Image().pixel(column, row);
                    if (pixel == testdata::faunaRing() || (!inside && pixel != ground_))
                        ++strays;
                }
            }
            QCOMPARE(strays, 0);
        }
    }
}

void TestSieveDrawing::keyColourIsNeverDrawnButItsNeighboursAre()
{
    const QRgb key = testdata::faunaKey();
    // Cell offsets (10..13, 20) of species 4, orientation 1.
    const QList<QRgb> nearKey{qRgb(254, 0, 255), qRgb(255, 1, 255), qRgb(255, 0, 254), key};
    const QImage sheet = testdata::image(600, 200, [&](int x, int y) {
        if (x >= 160 && x <= 163 && y == 70)
            return nearKey[x - 160];
        return testdata::defaultFauna(x, y);
    });
    Velmara v = state();
    place(v, {{4, 200, 100, 1}});
    auto s = sieve();
    sievedrawing::stendiSfondo(*s, background_);
    sievedrawing::disegnaOrganismi(*s, sheet, v);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(at(*s, 200 - 1 + 10 + i, 100 - 1 + 20), nearKey[i]);
    QCOMPARE(at(*s, 200 - 1 + 13, 100 - 1 + 20), ground_);
    // The key is whatever (2, 2) holds: another key hides another colour.
    v.ColoreTrasp = colour::fromQRgb(qRgb(255, 1, 255));
    sievedrawing::stendiSfondo(*s, background_);
    sievedrawing::disegnaOrganismi(*s, sheet, v);
    QCOMPARE(at(*s, 200 - 1 + 11, 100 - 1 + 20), ground_);
    QCOMPARE(at(*s, 200 - 1 + 13, 100 - 1 + 20), key);
}

void TestSieveDrawing::organismAtOneOneCoversTheBottomLeftCorner()
{
    Velmara v = state();
    place(v, {{1, 1, 1, 0}});
    auto s = sieve();
    sievedrawing::stendiSfondo(*s, background_);
    sievedrawing::disegnaOrganismi(*s, sheet_, v);
    QRect drawn;
    for (int row = 0; row < kHeight; ++row)
        for (int column = 0; column < kWidth; ++column)
            if (s->Image().pixel(column, row) != ground_)
                drawn |= QRect(column, row, 1, 1);
    // Units x 2..47 and y 2..47 are pixel rows 483..528.
    QCOMPARE(drawn, QRect(QPoint(2, kHeight - 47), QPoint(47, kHeight - 2)));
}

void TestSieveDrawing::entriesFollowTheSpeciesOrder()
{
    // Counts (3, 0, 2, 0, ...): entries 1..3 are species 1, 4..5 species 3.
    Velmara v = state(6);
    v.Conteggi[6] = {0, 3, 0, 2};
    v.ContX = {0, 10, 70, 130, 190, 250};
    v.ContY = {0, 10, 70, 130, 190, 250};
    v.ContRot = {0, 0, 1, 2, 3, 0};
    auto s = sieve();
    sievedrawing::stendiSfondo(*s, background_);
    QCOMPARE(sievedrawing::disegnaOrganismi(*s, sheet_, v), 5);
    const int species[] = {0, 1, 1, 1, 3, 3};
    for (int k = 1; k <= 5; ++k) {
        const int x = static_cast<int>(v.ContX[k]);
        const int y = static_cast<int>(v.ContY[k]);
        const QRgb expected = sheet_.pixel((species[k] - 1) * 50 + 30, v.ContRot[k] * 50 + 30);
        QCOMPARE(at(*s, x - 1 + 30, y - 1 + 30), expected);
    }
}

void TestSieveDrawing::higherSpeciesIsOnTop()
{
    Velmara v = state();
    place(v, {{2, 100, 100, 0}, {9, 100, 100, 0}, {9, 300, 300, 2}, {11, 300, 300, 2}});
    auto s = sieve();
    sievedrawing::stendiSfondo(*s, background_);
    sievedrawing::disegnaOrganismi(*s, sheet_, v);
    for (int oy = 2; oy <= 47; ++oy) {
        for (int ox = 2; ox <= 47; ++ox) {
            if (testdata::faunaKeyAt(ox, oy))
                continue;
            QCOMPARE(at(*s, 99 + ox, 99 + oy), sheet_.pixel(8 * 50 + ox, oy));
            QCOMPARE(at(*s, 299 + ox, 299 + oy), sheet_.pixel(10 * 50 + ox, 100 + oy));
        }
    }
}

void TestSieveDrawing::progressCountsEveryOrganism()
{
    Velmara v = state(12);
    for (int sp = 1; sp <= 12; ++sp)
        v.Conteggi[12][sp] = 63;
    samplecontent::CaricaContenuto(v, [] { return 0.3f; });
    QList<int> reports;
    auto s = sieve();
    sievedrawing::CaricaSetaccio(*s, background_, sheet_, v, [&reports](int drawn) { reports << drawn; });
    QCOMPARE(reports.size(), 756);
    for (int k = 0; k < reports.size(); ++k)
        QCOMPARE(reports[k], k + 1);
}

void TestSieveDrawing::drawingFollowsTheRulePixelForPixel_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRectF>("scale"); // the corners given to Scale
    QTest::addColumn<float>("shift");  // added to every position
    QTest::addColumn<bool>("roundSprites");
    QTest::newRow("the sieve") << QSize(kWidth, kHeight) << QRectF(0, kHeight, kWidth, -kHeight) << 0.0f << false;
    QTest::newRow("organisms with key around them")
        << QSize(kWidth, kHeight) << QRectF(0, kHeight, kWidth, -kHeight) << 0.0f << true;
    QTest::newRow("partly outside") << QSize(kWidth, kHeight) << QRectF(0, kHeight, kWidth, -kHeight) << -40.0f
                                    << true;
    QTest::newRow("halfway between units") << QSize(kWidth, kHeight) << QRectF(0, kHeight, kWidth, -kHeight)
                                           << 0.5f << false;
    QTest::newRow("rows squeezed") << QSize(kWidth, 500) << QRectF(0, kHeight, kWidth, -kHeight) << 0.0f << true;
    QTest::newRow("rows stretched") << QSize(kWidth, 640) << QRectF(0, kHeight, kWidth, -kHeight) << 0.0f << true;
    QTest::newRow("columns stretched") << QSize(700, kHeight) << QRectF(0, kHeight, kWidth, -kHeight) << 0.0f
                                       << false;
    QTest::newRow("units larger than pixels, y downwards")
        << QSize(309, 365) << QRectF(0, 0, 313, 369) << 0.0f << false;
}

void TestSieveDrawing::drawingFollowsTheRulePixelForPixel()
{
    QFETCH(QSize, pixels);
    QFETCH(QRectF, scale);
    QFETCH(float, shift);
    QFETCH(bool, roundSprites);
    const QImage sheet = !roundSprites ? sheet_ : testdata::image(600, 200, [](int x, int y) {
        const int dx = x % 50 - 24;
        const int dy = y % 50 - 26;
        return dx * dx + dy * dy > 400 ? testdata::faunaKey() : testdata::defaultFauna(x, y);
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
    const auto surface = [&] {
        auto s = std::make_unique<PictureSurface>(pixels);
        s->Scale(float(scale.left()), float(scale.top()), float(scale.right()), float(scale.bottom()));
        s->setPicture(testdata::image(pixels.width(), pixels.height(), [this](int, int) { return ground_; }));
        return s;
    };
    auto drawn = surface();
    sievedrawing::disegnaOrganismi(*drawn, sheet, v);

    // The rule as written: every inner cell pixel not of the key colour,
    // column by column, set on its own through the surface.
    auto expected = surface();
    const QRgb key = testdata::faunaKey();
    int k = 0;
    for (int sp = 1; sp <= 12; ++sp) {
        for (int j = 1; j <= v.Conteggi[3][sp]; ++j) {
            ++k;
            const int rot = v.ContRot[k];
            for (int sx = (sp - 1) * 50 + 2; sx <= (sp - 1) * 50 + 47; ++sx)
                for (int sy = rot * 50 + 2; sy <= rot * 50 + 47; ++sy)
                    if (sheet.pixel(sx, sy) != key)
                        expected->PSet(v.ContX[k] - 1 + float(sx % 50), v.ContY[k] - 1 + float(sy % 50),
                                       colour::fromQRgb(sheet.pixel(sx, sy)));
        }
    }
    QCOMPARE(k, samplecontent::numeroOrganismi(v));
    QCOMPARE(drawn->Image(), expected->Image());
}

void TestSieveDrawing::spritesPartlyOutsideAreClipped()
{
    Velmara v = state();
    place(v, {{1, -20, 10, 0}, {5, 500, 510, 3}, {12, -60, -60, 1}});
    auto s = sieve();
    sievedrawing::stendiSfondo(*s, background_);
    QCOMPARE(sievedrawing::disegnaOrganismi(*s, sheet_, v), 3);
    QCOMPARE(at(*s, 0, 10 - 1 + 30), sheet_.pixel(21, 30));
    QCOMPARE(at(*s, 528, 510 - 1 + 21), sheet_.pixel(4 * 50 + 29, 150 + 21));
}

void TestSieveDrawing::redrawOnAnotherBackgroundKeepsTheOrganisms()
{
    Velmara v = state(2);
    v.Conteggi[2] = {0, 10, 4, 0, 0, 7, 0, 0, 0, 0, 0, 0, 3};
    std::uint32_t seed = 5;
    samplecontent::CaricaContenuto(v, [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) & 0xFFFF) / 65536.0f;
    });
    const QRgb black = qRgb(0, 0, 0);
    auto first = sieve();
    auto second = sieve();
    sievedrawing::CaricaSetaccio(*first, background_, sheet_, v);
    sievedrawing::CaricaSetaccio(*second, testdata::image(kWidth, kHeight, [black](int, int) { return black; }),
                                 sheet_, v);
    int organismPixels = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int column = 0; column < kWidth; ++column) {
            const QRgb a = first->Image().pixel(column, row);
            const QRgb b = second->Image().pixel(column, row);
            if (a == ground_)
                QCOMPARE(b, black);
            else {
                QCOMPARE(b, a);
                ++organismPixels;
            }
        }
    }
    QVERIFY(organismPixels > 24 * 1500);
}

void TestSieveDrawing::captionSuffixOnce_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("after");
    QTest::newRow("first drawing") << "Stazione 7" << "Stazione 7 (setaccio)";
    QTest::newRow("later drawing") << "Stazione 7 (setaccio)" << "Stazione 7 (setaccio)";
    QTest::newRow("design caption, capital S") << "Setaccio" << "Setaccio (setaccio)";
    QTest::newRow("anywhere in the caption") << "setaccio 3" << "setaccio 3";
}

void TestSieveDrawing::captionSuffixOnce()
{
    QFETCH(QString, caption);
    QFETCH(QString, after);
    QCOMPARE(sievedrawing::didascaliaDopoDisegno(caption), after);
    QCOMPARE(sievedrawing::didascaliaDopoDisegno(sievedrawing::didascaliaDopoDisegno(caption)), after);
}

void TestSieveDrawing::unusablePicturesAreRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("usable");
    QTest::newRow("sheet missing") << "fauna.dib" << "missing" << false;
    QTest::newRow("sheet not a picture") << "fauna.dib" << "garbage" << false;
    QTest::newRow("sheet one column short") << "fauna.dib" << "599x200" << false;
    QTest::newRow("sheet one row short") << "fauna.dib" << "600x199" << false;
    QTest::newRow("larger sheet") << "fauna.dib" << "640x240" << true;
    QTest::newRow("background missing") << "celeste.jpg" << "missing" << false;
    QTest::newRow("background not a picture") << "blu.jpg" << "garbage" << false;
    QTest::newRow("small background") << "nero.jpg" << "20x20" << true;
}

void TestSieveDrawing::unusablePicturesAreRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(bool, usable);
    QTemporaryDir dir;
    QVERIFY(testdata::writeFaunaSet(dir.path()));
    const QString path = QDir(dir.path()).filePath(file);
    QVERIFY(QFile::remove(path));
    if (damage == QLatin1String("garbage")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM garbage");
    } else if (damage != QLatin1String("missing")) {
        const QStringList size = damage.split(QLatin1Char('x'));
        const QImage picture = testdata::image(size[0].toInt(), size[1].toInt(), testdata::defaultFauna);
        QVERIFY(picture.save(path, file.endsWith(QLatin1String(".dib")) ? "BMP" : "JPEG"));
    }
    const int option = file == QLatin1String("fauna.dib") ? 0 : (file == QLatin1String("nero.jpg") ? 2 : (file == QLatin1String("celeste.jpg") ? 3 : 4));
    const sievefiles::Picture loaded =
        file == QLatin1String("fauna.dib") ? sievefiles::caricaFauna(dir.path()) : sievefiles::caricaSfondo(dir.path(), option);
    QCOMPARE(loaded.ok(), usable);
    if (usable) {
        QVERIFY(loaded.message.isEmpty());
        QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
    } else {
        QVERIFY(loaded.image.isNull());
        QVERIFY2(loaded.message.contains(QLatin1Char('"') + file + QLatin1Char('"')), qPrintable(loaded.message));
        QVERIFY(loaded.message.contains(QDir::toNativeSeparators(dir.path())));
    }
}

QTEST_MAIN(TestSieveDrawing)
#include "tst_sievedrawing.moc"
