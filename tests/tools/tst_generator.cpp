// The generated data set is what students survey and sieve: these tests read
// the images back the way the program does and check that they say what the
// generator meant, and that they keep the features a lesson relies on.
#include "FaunaSheet.h"
#include "MapColour.h"
#include "SeaArea.h"
#include "SieveBackgrounds.h"

#include <QImage>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <tuple>

namespace {

constexpr int kSize = SeaAreaFields::kSize;
constexpr int kCell = 50;

// The pixels of a picture that are not of the key colour: how many, and
// their mean colour.
struct Drawn {
    QImage pixels;
    int count = 0;
    double red = 0, green = 0, blue = 0;
};

Drawn drawnOf(const QImage &pixels)
{
    Drawn d{pixels};
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb c = pixels.pixel(x, y);
            if (c == faunaKeyColour())
                continue;
            ++d.count, d.red += qRed(c), d.green += qGreen(c), d.blue += qBlue(c);
        }
    }
    const double n = std::max(d.count, 1);
    d.red /= n, d.green /= n, d.blue /= n;
    return d;
}

// One cell of the sheet, or with `rows` 4 all the orientations of a species.
Drawn cellOf(const QImage &sheet, int species, int orientation, int rows = 1)
{
    return drawnOf(sheet.copy(species * kCell, orientation * kCell, kCell, rows * kCell));
}

int differingPixels(const Drawn &a, const Drawn &b)
{
    int n = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            n += a.pixels.pixel(x, y) != b.pixels.pixel(x, y);
    return n;
}

// The drawn pixels of a cell, turned by quarter turns about the cell's centre
// as the generator's painter turns them (clockwise on the screen).
QImage maskOf(const QImage &sheet, int species, int orientation, int quarterTurns)
{
    QImage mask(kCell, kCell, QImage::Format_Grayscale8);
    mask.fill(0);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if (sheet.pixel(species * kCell + x, orientation * kCell + y) == faunaKeyColour())
                continue;
            int tx = x, ty = y;
            for (int k = 0; k < quarterTurns; ++k)
                std::tie(tx, ty) = std::make_pair(kCell - 1 - ty, tx);
            mask.setPixel(tx, ty, 255);
        }
    }
    return mask;
}

// Shared pixels over pixels in either: 1 for the same shape.
double overlap(const QImage &a, const QImage &b)
{
    int both = 0, either = 0;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const bool p = qGray(a.pixel(x, y)) != 0, q = qGray(b.pixel(x, y)) != 0;
            both += p && q;
            either += p || q;
        }
    }
    return either ? double(both) / either : 0.0;
}

// Species by their column in the fauna sheet, counted from 0.
enum Species { Nephtys, Lanice, Chamelea, Donax, Nassarius, Antalis, Ampelisca, Cumacean, Liocarcinus, Amphiura,
               Echinocardium, Capitella };

ColourValue colourAt(const QImage &image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return mapcolour::rgb(qRed(c), qGreen(c), qBlue(c));
}

struct Generated {
    SeaArea area;
    SeaAreaFields fields;
};

// Each seed is generated once for the whole run.
const Generated &generated(quint32 seed)
{
    static std::map<quint32, Generated> cache;
    if (!cache.count(seed))
        cache.emplace(seed, Generated{generateSeaArea(seed), generateSeaAreaFields(seed)});
    return cache.at(seed);
}

// The mean of value(pixel) over the area, each pixel weighed by its count.
double weightedMean(const std::vector<int> &counts, const std::function<double(int)> &value)
{
    double sum = 0, weight = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
        sum += counts[size_t(i)] * value(i);
        weight += counts[size_t(i)];
    }
    return weight > 0 ? sum / weight : 0.0;
}

double distance(int i, QPoint p) { return std::hypot(i % kSize - p.x(), i / kSize - p.y()); }

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    // Every test runs on the seed the build uses and on the largest one.
    void initTestCase_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {20261206u, 4294967295u})
            QTest::addRow("seed %u", seed) << seed;
    }

    // Every image reads back, the way the program reads it, as the field the
    // generator meant: the chart has no station red and shows land and sea
    // where the bathymetry does, the bathymetry is red only and black exactly
    // on land, the species are greys of their counts, and none lives on land.
    void imagesEncodeTheFields()
    {
        QFETCH_GLOBAL(quint32, seed);
        const Generated &g = generated(seed);
        QVERIFY(g.area.base.size() == QSize(kSize, kSize) && g.area.bati.size() == QSize(kSize, kSize));
        int wrongColour = 0, sea = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            const int x = i % kSize, y = i / kSize, depth = g.fields.depth[i];
            // The chart shows water where the bathymetry has depth: the
            // student clicks on the chart, the program reads the bathymetry.
            const QRgb base = g.area.base.pixel(x, y), c = g.area.bati.pixel(x, y);
            const bool bluish = qBlue(base) > qRed(base) + 8;
            sea += depth >= 10;
            wrongColour += depth >= 10 ? !bluish : depth == SeaAreaFields::kNotSurveyable && bluish;
            bool right = colourAt(g.area.base, x, y) != mapcolour::kPureRed
                         && (depth == SeaAreaFields::kNotSurveyable
                                 ? (c & 0xFFFFFF) == 0
                                 : qGreen(c) == 0 && qBlue(c) == 0
                                       && mapcolour::ProfonditaDaColore(colourAt(g.area.bati, x, y)) == depth);
            for (int s = 0; s < 12; ++s) {
                const int meant = g.fields.counts[s][i];
                const QRgb k = g.area.species[s].pixel(x, y);
                right = right && meant >= 0 && meant <= 63 && (meant == 0 || depth >= 1) && qGreen(k) == qRed(k)
                        && qBlue(k) == qRed(k)
                        && mapcolour::ConteggioDaColore(colourAt(g.area.species[s], x, y)) == meant;
            }
            if (!right)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 of depth %3").arg(x).arg(y).arg(depth)));
        }
        // Isobaths, figures, the river and the scale bar take their share.
        QVERIFY2(wrongColour < sea / 20, qPrintable(QString::number(wrongColour)));
    }

    // A beach keeps land from deep water, and students read gradients off
    // the station depths: no steps in the seabed at the 10 m scale except
    // within 3 pixels of the coast. The headland reaches out to sea, the river
    // mouth lies deep in the bay and the bank rises from deeper water around it.
    void seabedAndLandmarks()
    {
        QFETCH_GLOBAL(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        std::vector<bool> nearCoast(f.depth.size());
        for (int i = 0; i < kSize * kSize; ++i)
            for (int dy = -3; dy <= 3 && f.depth[i] < 1; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (QRect(0, 0, kSize, kSize).contains(i % kSize + dx, i / kSize + dy))
                        nearCoast[size_t(i + dy * kSize + dx)] = true;
        int band = 0, steepest = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            const int x = i % kSize, y = i / kSize, depth = f.depth[i];
            band += depth >= -75 && depth <= 0;
            if (depth < 1 || nearCoast[size_t(i)] || x == kSize - 1 || y == kSize - 1)
                continue;
            for (int j : {i + 1, i + kSize})
                if (f.depth[j] >= 1 && !nearCoast[size_t(j)])
                    steepest = std::max(steepest, std::abs(f.depth[j] - depth));
        }
        const int deepest = *std::max_element(f.depth.begin(), f.depth.end());
        QVERIFY2(band > 1500 && steepest <= 3 && deepest >= 100 && deepest <= 179,
                 qPrintable(QStringLiteral("band %1, step %2, deepest %3").arg(band).arg(steepest).arg(deepest)));

        const auto shoreRow = [&](int x) { // first row of water going south
            int y = 0;
            while (y < kSize && f.depth[y * kSize + x] < 1)
                ++y;
            return y;
        };
        QVERIFY2(f.headlandTip.y() - shoreRow(std::min(kSize - 1, f.headlandTip.x() + 80)) > 50, "headland");
        QVERIFY2(std::abs(shoreRow(f.riverMouth.x()) - f.riverMouth.y()) <= 2, "mouth on the shore");
        QVERIFY2(shoreRow(kSize - 1) - f.riverMouth.y() > 50, "east side of the bay");
        const int crest = f.depth[f.bankCrest.y() * kSize + f.bankCrest.x()];
        std::vector<int> ring(f.depth.size());
        for (int i = 0; i < kSize * kSize; ++i)
            ring[i] = f.depth[i] >= 1 && std::abs(distance(i, f.bankCrest) - 100) <= 10;
        const double around = weightedMean(ring, [&f](int i) { return f.depth[i]; });
        QVERIFY2(crest >= 10 && crest <= 35 && around - crest > 20, qPrintable(QString::number(crest)));
        QVERIFY2(f.mud[f.bankCrest.y() * kSize + f.bankCrest.x()] < 0.25f, "bank sediment");
    }

    void speciesKeepTheirNiches()
    {
        QFETCH_GLOBAL(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        // Every species is common somewhere and absent from a good part of the sea.
        for (int s = 0; s < 12; ++s) {
            const int most = *std::max_element(f.counts[s].begin(), f.counts[s].end());
            const long empty = std::count(f.counts[s].begin(), f.counts[s].end(), 0);
            QVERIFY2(most >= 40 && empty > kSize * kSize / 4, qPrintable(QStringLiteral("s%1: %2").arg(s + 1).arg(most)));
        }
        const auto meanDepth = [&f](Species s) { return weightedMean(f.counts[s], [&f](int i) { return f.depth[i]; }); };
        const auto meanMud = [&f](Species s) { return weightedMean(f.counts[s], [&f](int i) { return f.mud[i]; }); };
        const auto toMouth = [&f](int s) {
            return weightedMean(f.counts[s], [&f](int i) { return distance(i, f.riverMouth); });
        };

        // Depth: surf sand, shallow sand, muddy sand, mud, deep mud.
        QVERIFY(meanDepth(Donax) < 8.0 && meanDepth(Amphiura) - meanDepth(Donax) > 30.0);
        QVERIFY(meanDepth(Chamelea) < meanDepth(Lanice) && meanDepth(Antalis) > 50.0);
        // Sediment: the crab of the coarse bank against the burrowers of the mud.
        QVERIFY(meanMud(Liocarcinus) < 0.2 && meanMud(Antalis) > 0.6 && meanMud(Chamelea) < meanMud(Echinocardium));

        // The opportunist crowds off the river mouth, where little else lives.
        QVERIFY2(toMouth(Capitella) < 100, qPrintable(QString::number(toMouth(Capitella))));
        for (int s = 0; s < 11; ++s)
            QVERIFY2(toMouth(s) > toMouth(Capitella), qPrintable(QStringLiteral("s%1").arg(s + 1)));
    }

    // Only the inner 46 x 46 square of a cell is drawn, with a margin of key
    // inside it, and no drawn pixel comes near the key colour, where it
    // would show as a magenta fringe on the sieve.
    void faunaSheet()
    {
        QFETCH_GLOBAL(quint32, seed);
        const QImage sheet = generateFaunaSheet(seed);
        QCOMPARE(sheet.size(), QSize(600, 200));
        const QRgb key = sheet.pixel(2, 2);
        QCOMPARE(key, faunaKeyColour());
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                const QRgb c = sheet.pixel(x, y);
                const int ox = x % kCell, oy = y % kCell;
                const int distance = std::max({std::abs(qRed(c) - qRed(key)), std::abs(qGreen(c) - qGreen(key)),
                                               std::abs(qBlue(c) - qBlue(key))});
                if (c != key && (ox <= 2 || oy <= 2 || ox >= 47 || oy >= 47 || distance < 60))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 at the edge or near the key").arg(x).arg(y)));
            }
        }
        // Four distinct poses of one organism per species, each well drawn;
        // and no two species alike.
        for (int species = 0; species < 12; ++species) {
            const Drawn first = cellOf(sheet, species, 0);
            for (int r = 1; r < 4; ++r) {
                const Drawn pose = cellOf(sheet, species, r);
                QVERIFY(pose.count >= 60 && std::abs(pose.count - first.count) <= 0.5 * first.count);
                QVERIFY(differingPixels(first, pose) >= 0.2 * first.count);
            }
            for (int other = species + 1; other < 12; ++other) {
                const Drawn second = cellOf(sheet, other, 0);
                QVERIFY2(differingPixels(first, second) >= 0.5 * std::max(first.count, second.count),
                         qPrintable(QStringLiteral("species %1 and %2 look alike").arg(species + 1).arg(other + 1)));
            }
        }
        // The answer key names the taxa by column: the most telling colours
        // must be drawn in the column that bears the name.
        const QStringList names = faunaTaxaNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 12);
        const auto taxon = [&](const char *genus) {
            const auto named = [genus](const QString &n) { return n.startsWith(QLatin1String(genus)); };
            return cellOf(sheet, int(std::find_if(names.begin(), names.end(), named) - names.begin()), 0, 4);
        };
        const Drawn tellina = taxon("Tellina"), crab = taxon("Liocarcinus"), capitella = taxon("Capitella"),
                    antalis = taxon("Antalis");
        QVERIFY2(tellina.red - tellina.green > 50, "Tellina should be rose-orange");
        QVERIFY2(crab.green - crab.blue > 25 && crab.red < 160, "Liocarcinus should be olive brown");
        QVERIFY2(capitella.red > 1.8 * capitella.green, "Capitella should be red-brown");
        QVERIFY2(std::min({antalis.red, antalis.green, antalis.blue}) > 150, "Antalis should be ivory");
    }

    // Row r holds the organism a quarter turn further than row 0: its shape
    // matches row 0 turned r times better than turned any other way. A few
    // species (the brittle star, the thin worm) take a pose so different in
    // each row that no turn matches; three quarters of the species must.
    void faunaRowsAreQuarterTurns()
    {
        QFETCH_GLOBAL(quint32, seed);
        const QImage sheet = generateFaunaSheet(seed);
        int turned = 0;
        for (int species = 0; species < 12; ++species) {
            bool everyRow = true;
            for (int r = 1; r < 4; ++r) {
                std::array<double, 4> match{};
                for (int k = 0; k < 4; ++k)
                    match[size_t(k)] = overlap(maskOf(sheet, species, r, 0), maskOf(sheet, species, 0, k));
                everyRow = everyRow && std::max_element(match.begin(), match.end()) - match.begin() == r;
            }
            turned += everyRow;
        }
        QVERIFY2(turned >= 9, qPrintable(QStringLiteral("%1 species turned").arg(turned)));
    }

    // The mean colours of the trays; their texture shows on the screenshots.
    void traysLookLikeTheirNames()
    {
        QFETCH_GLOBAL(quint32, seed);
        QStringList names;
        for (const SieveBackground &tray : generateSieveBackgrounds(seed)) {
            names << tray.fileName;
            const Drawn d = drawnOf(tray.image);
            const double r = d.red, g = d.green, b = d.blue;
            const QHash<QString, bool> looks{{"sand.jpg", r > g && g > b && r > 170 && r - b > 35},
                                             {"bianco.jpg", std::min({r, g, b}) > 225},
                                             {"nero.jpg", std::max({r, g, b}) < 40},
                                             {"celeste.jpg", b > 200 && b - r > 40 && g > r},
                                             {"blu.jpg", b > 90 && b < 200 && b - r > 60}};
            QVERIFY2(looks.value(tray.fileName) && tray.image.width() >= 529 && tray.image.height() >= 530,
                     qPrintable(QStringLiteral("%1: %2 %3 %4").arg(tray.fileName).arg(r).arg(g).arg(b)));
        }
        names.sort();
        QCOMPARE(names.join(QLatin1Char(' ')), QStringLiteral("bianco.jpg blu.jpg celeste.jpg nero.jpg sand.jpg"));
    }
};

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"
