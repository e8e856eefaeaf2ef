// The generated sea area is what students survey: these tests read the
// images back the way the program does and check that they say what the
// generator meant, and that the area keeps the features a lesson relies on.
#include "MapColour.h"
#include "SeaArea.h"

#include <QImage>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kSize = SeaAreaFields::kSize;
constexpr quint32 kDataSeed = 20261206; // the seed the build uses

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
    auto it = cache.find(seed);
    if (it == cache.end())
        it = cache.emplace(seed, Generated{generateSeaArea(seed), generateSeaAreaFields(seed)}).first;
    return it->second;
}

bool isSea(const SeaAreaFields &f, int x, int y) { return f.depth[y * kSize + x] >= 1; }

// Pixels within `reach` (chessboard distance) of a pixel that is not sea.
std::vector<bool> nearShore(const SeaAreaFields &f, int reach)
{
    std::vector<bool> near(kSize * kSize, false);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (isSea(f, x, y))
                continue;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx)
                    if (x + dx >= 0 && x + dx < kSize && y + dy >= 0 && y + dy < kSize)
                        near[(y + dy) * kSize + x + dx] = true;
        }
    }
    return near;
}

double weightedMean(const std::vector<int> &counts, const std::vector<double> &value)
{
    double sum = 0, weight = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        sum += counts[i] * value[i];
        weight += counts[i];
    }
    return weight > 0 ? sum / weight : 0.0;
}

double distance(int i, QPoint p) { return std::hypot(i % kSize - p.x(), i / kSize - p.y()); }

} // namespace

class TestSeaArea : public QObject {
    Q_OBJECT

private:
    static void seeds()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {kDataSeed, 7u})
            QTest::addRow("seed %u", seed) << seed;
    }

private slots:
    // Every image reads back, the way the program reads it, as the field the
    // generator meant: the chart has no station red and shows land and sea
    // where the bathymetry does, the bathymetry is red only and black exactly
    // on land, the species are greys of their counts.
    void imagesEncodeTheFields_data() { seeds(); }
    void imagesEncodeTheFields()
    {
        QFETCH(quint32, seed);
        const Generated &g = generated(seed);
        QCOMPARE(g.area.base.size(), QSize(kSize, kSize));
        QCOMPARE(g.area.bati.size(), QSize(kSize, kSize));
        int wrongColour = 0, sea = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const auto where = [x, y] { return QStringLiteral(" at %1,%2").arg(x).arg(y); };
                if (colourAt(g.area.base, x, y) == mapcolour::kPureRed)
                    QFAIL(qPrintable(QStringLiteral("pure red") + where()));
                const QRgb c = g.area.bati.pixel(x, y);
                const int depth = g.fields.depth[y * kSize + x];
                // The chart shows water where the bathymetry has depth: the
                // student clicks on the chart, the program reads the bathymetry.
                const bool bluish = qBlue(g.area.base.pixel(x, y)) > qRed(g.area.base.pixel(x, y)) + 8;
                sea += depth >= 10;
                wrongColour += depth >= 10 ? !bluish : depth == SeaAreaFields::kNotSurveyable && bluish;
                const std::optional<int> read = mapcolour::ProfonditaDaColore(colourAt(g.area.bati, x, y));
                if (depth == SeaAreaFields::kNotSurveyable ? (c & 0xFFFFFF) != 0
                                                           : qGreen(c) != 0 || qBlue(c) != 0 || !read || *read != depth)
                    QFAIL(qPrintable(QStringLiteral("depth %1 written as %2").arg(depth).arg(c & 0xFFFFFF, 0, 16) + where()));
                for (int s = 0; s < 12; ++s) {
                    const int meant = g.fields.counts[s][y * kSize + x];
                    const QRgb k = g.area.species[s].pixel(x, y);
                    const int count = mapcolour::ConteggioDaColore(colourAt(g.area.species[s], x, y));
                    if (meant < 0 || meant > 63 || count != meant || qGreen(k) != qRed(k) || qBlue(k) != qRed(k))
                        QFAIL(qPrintable(QStringLiteral("s%1 meant %2, reads %3").arg(s + 1).arg(meant).arg(count) + where()));
                    if (meant > 0 && depth < 1)
                        QFAIL(qPrintable(QStringLiteral("s%1 living out of the water").arg(s + 1) + where()));
                }
            }
        }
        // Isobaths, figures, the river and the scale bar take their share.
        QVERIFY2(wrongColour < sea / 20, qPrintable(QString::number(wrongColour)));
    }

    // A beach keeps land from deep water, and students read gradients off
    // the station depths: no steps in the seabed at the 10 m scale except
    // at the coast. The headland reaches out to sea, the river mouth lies
    // deep in the bay and the bank rises from deeper water around it.
    void seabedAndLandmarks_data() { seeds(); }
    void seabedAndLandmarks()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        const std::vector<bool> nearCoast = nearShore(f, 3);
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
        QVERIFY2(band > 1500, qPrintable(QString::number(band)));
        QVERIFY2(steepest <= 3, qPrintable(QString::number(steepest)));
        const int deepest = *std::max_element(f.depth.begin(), f.depth.end());
        QVERIFY2(deepest >= 100 && deepest <= 179, qPrintable(QString::number(deepest)));

        const auto shoreRow = [&](int x) { // first row of water going south
            for (int y = 0; y < kSize; ++y)
                if (isSea(f, x, y))
                    return y;
            return kSize;
        };
        QVERIFY2(f.headlandTip.y() - shoreRow(std::min(kSize - 1, f.headlandTip.x() + 80)) > 50, "headland");
        QVERIFY2(std::abs(shoreRow(f.riverMouth.x()) - f.riverMouth.y()) <= 2, "mouth on the shore");
        QVERIFY2(shoreRow(kSize - 1) - f.riverMouth.y() > 50, "east side of the bay");
        const int crest = f.depth[f.bankCrest.y() * kSize + f.bankCrest.x()];
        std::vector<int> ring(f.depth.size());
        for (int i = 0; i < kSize * kSize; ++i)
            ring[i] = f.depth[i] >= 1 && std::abs(distance(i, f.bankCrest) - 100) <= 10;
        const std::vector<double> depths(f.depth.begin(), f.depth.end());
        QVERIFY2(crest >= 10 && crest <= 35 && weightedMean(ring, depths) - crest > 20, qPrintable(QString::number(crest)));
        QVERIFY2(f.mud[f.bankCrest.y() * kSize + f.bankCrest.x()] < 0.25f, "bank sediment");
    }

    void speciesKeepTheirNiches_data() { seeds(); }
    void speciesKeepTheirNiches()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        // Every species is common somewhere and absent from a good part of the sea.
        for (int s = 0; s < 12; ++s) {
            const int most = *std::max_element(f.counts[s].begin(), f.counts[s].end());
            QVERIFY2(most >= 40, qPrintable(QStringLiteral("s%1 peaks at %2").arg(s + 1).arg(most)));
            const long empty = std::count(f.counts[s].begin(), f.counts[s].end(), 0);
            QVERIFY2(empty > kSize * kSize / 4, qPrintable(QStringLiteral("s%1 almost everywhere").arg(s + 1)));
        }

        std::vector<double> depth(f.depth.begin(), f.depth.end()), mud(f.mud.begin(), f.mud.end()), toMouth;
        for (int i = 0; i < kSize * kSize; ++i)
            toMouth.push_back(distance(i, f.riverMouth));
        auto meanDepth = [&](Species s) { return weightedMean(f.counts[s], depth); };
        auto meanMud = [&](Species s) { return weightedMean(f.counts[s], mud); };

        // Depth: surf sand, shallow sand, muddy sand, mud, deep mud.
        QVERIFY(meanDepth(Donax) < 8.0 && meanDepth(Amphiura) - meanDepth(Donax) > 30.0);
        QVERIFY(meanDepth(Chamelea) < meanDepth(Lanice) && meanDepth(Antalis) > 50.0);
        // Sediment: the crab of the coarse bank against the burrowers of the mud.
        QVERIFY(meanMud(Liocarcinus) < 0.2 && meanMud(Antalis) > 0.6 && meanMud(Chamelea) < meanMud(Echinocardium));

        // The opportunist crowds off the river mouth, where little else lives.
        const double capitellaReach = weightedMean(f.counts[Capitella], toMouth);
        QVERIFY2(capitellaReach < 100, qPrintable(QString::number(capitellaReach)));
        for (int s = 0; s < 11; ++s)
            QVERIFY2(weightedMean(f.counts[s], toMouth) > capitellaReach, qPrintable(QStringLiteral("s%1").arg(s + 1)));
    }

};

QTEST_MAIN(TestSeaArea)
#include "tst_seaarea.moc"
