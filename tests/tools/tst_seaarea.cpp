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
#include <set>

namespace {

constexpr int kSize = SeaAreaFields::kSize;
constexpr quint32 kDataSeed = 20261206; // the seed the build uses

// Species by their column in the fauna sheet, counted from 0.
enum Species {
    Nephtys,
    Lanice,
    Chamelea,
    Donax,
    Nassarius,
    Antalis,
    Ampelisca,
    Cumacean,
    Liocarcinus,
    Amphiura,
    Echinocardium,
    Capitella,
};

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

} // namespace

class TestSeaArea : public QObject {
    Q_OBJECT

public:
    // Text on the chart needs a GUI application, never a screen.
    static void initMain()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private:
    static void seeds()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {kDataSeed, 1u, 7u, 4242u, 4294967295u})
            QTest::addRow("seed %u", seed) << seed;
    }

private slots:
    void imagesAreMapSized()
    {
        const SeaArea &area = generated(kDataSeed).area;
        std::vector<const QImage *> images{&area.base, &area.bati};
        for (const QImage &s : area.species)
            images.push_back(&s);
        QCOMPARE(images.size(), size_t(14));
        for (const QImage *image : images) {
            QCOMPARE(image->size(), QSize(kSize, kSize));
            QCOMPARE(image->format(), QImage::Format_RGB32);
        }
    }

    void theSeedDecidesTheArea()
    {
        const SeaArea &first = generated(kDataSeed).area;
        const SeaArea again = generateSeaArea(kDataSeed);
        QVERIFY(again.base == first.base);
        QVERIFY(again.bati == first.bati);
        for (int s = 0; s < 12; ++s)
            QVERIFY2(again.species[s] == first.species[s], qPrintable(QStringLiteral("s%1").arg(s + 1)));

        const SeaArea &other = generated(1).area;
        QVERIFY(other.base != first.base);
        QVERIFY(other.bati != first.bati);
        for (int s = 0; s < 12; ++s)
            QVERIFY2(other.species[s] != first.species[s], qPrintable(QStringLiteral("s%1").arg(s + 1)));
    }

    void chartHasNoStationRed_data() { seeds(); }
    void chartHasNoStationRed()
    {
        QFETCH(quint32, seed);
        const QImage &base = generated(seed).area.base;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (colourAt(base, x, y) == mapcolour::kPureRed)
                    QFAIL(qPrintable(QStringLiteral("pure red at %1,%2").arg(x).arg(y)));
    }

    // The chart and the bathymetry must agree on where the water is: the
    // student clicks on the chart, the program reads the bathymetry.
    void chartShowsLandWhereTheBathymetryIsBlack()
    {
        const Generated &g = generated(kDataSeed);
        int landLooksLikeSea = 0, seaLooksLikeLand = 0, sea = 0, land = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const QRgb c = g.area.base.pixel(x, y);
                const bool bluish = qBlue(c) > qRed(c) + 8;
                const int depth = g.fields.depth[y * kSize + x];
                if (depth >= 10) {
                    ++sea;
                    seaLooksLikeLand += !bluish;
                } else if (depth == SeaAreaFields::kNotSurveyable) {
                    ++land;
                    landLooksLikeSea += bluish;
                }
            }
        }
        // Isobaths, figures, the river and the scale bar take their share.
        QVERIFY(sea > 0 && land > 0);
        QVERIFY2(seaLooksLikeLand < sea / 20, qPrintable(QString::number(seaLooksLikeLand)));
        QVERIFY2(landLooksLikeSea < land / 20, qPrintable(QString::number(landLooksLikeSea)));
    }

    void bathymetryIsRedOnly_data() { seeds(); }
    void bathymetryIsRedOnly()
    {
        QFETCH(quint32, seed);
        const Generated &g = generated(seed);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const QRgb c = g.area.bati.pixel(x, y);
                const int intended = g.fields.depth[y * kSize + x];
                const std::optional<int> read = mapcolour::ProfonditaDaColore(colourAt(g.area.bati, x, y));
                if (intended == SeaAreaFields::kNotSurveyable) {
                    if ((c & 0xFFFFFF) != 0)
                        QFAIL(qPrintable(QStringLiteral("land not black at %1,%2").arg(x).arg(y)));
                    continue;
                }
                if (qGreen(c) != 0 || qBlue(c) != 0 || qRed(c) == 0 || !read || *read != intended)
                    QFAIL(qPrintable(QStringLiteral("depth %1 written as %2 at %3,%4")
                                         .arg(intended)
                                         .arg(QString::number(c & 0xFFFFFF, 16))
                                         .arg(x)
                                         .arg(y)));
            }
        }
    }

    void shoreBandKeepsLandFromDeepWater_data() { seeds(); }
    void shoreBandKeepsLandFromDeepWater()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        int band = 0;
        std::vector<QPoint> blackOnSea;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int depth = f.depth[y * kSize + x];
                band += depth >= -75 && depth <= 0;
                if (depth < 1)
                    continue;
                const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const auto &n : next) {
                    if (n[0] < 0 || n[0] >= kSize || n[1] < 0 || n[1] >= kSize)
                        continue;
                    const int there = f.depth[n[1] * kSize + n[0]];
                    if (there >= 1)
                        continue;
                    if (depth > 5)
                        QFAIL(qPrintable(QStringLiteral("%1 m deep right off the shore at %2,%3").arg(depth).arg(x).arg(y)));
                    if (there == SeaAreaFields::kNotSurveyable)
                        blackOnSea.push_back(QPoint(n[0], n[1]));
                }
            }
        }
        // A beach along several kilometres of coast.
        QVERIFY2(band > 1500, qPrintable(QString::number(band)));
        // Black meets the sea only where the river flows in, 50 to 150 m wide.
        QVERIFY(!blackOnSea.empty());
        QVERIFY2(f.riverMouthWidth >= 5 && f.riverMouthWidth <= 15, qPrintable(QString::number(f.riverMouthWidth)));
        for (const QPoint &p : blackOnSea)
            QVERIFY2((p - f.riverMouth).manhattanLength() <= f.riverMouthWidth,
                     qPrintable(QStringLiteral("land meets the sea at %1,%2").arg(p.x()).arg(p.y())));
    }

    void seabedDeepensOffshore_data() { seeds(); }
    void seabedDeepensOffshore()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        const int deepest = *std::max_element(f.depth.begin(), f.depth.end());
        QVERIFY2(deepest >= 100 && deepest <= 179, qPrintable(QString::number(deepest)));
        // The shallows hug the coast and the south edge is deep water.
        const std::vector<bool> coastal = nearShore(f, 2);
        double coastalSum = 0, coastalCount = 0, southSum = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (isSea(f, x, y) && coastal[y * kSize + x]) {
                    coastalSum += f.depth[y * kSize + x];
                    ++coastalCount;
                }
            }
        }
        for (int x = 0; x < kSize; ++x)
            southSum += f.depth[(kSize - 1) * kSize + x];
        QVERIFY(coastalCount > 0);
        QVERIFY2(coastalSum / coastalCount < 4.0, qPrintable(QString::number(coastalSum / coastalCount)));
        QVERIFY2(southSum / kSize > 60.0, qPrintable(QString::number(southSum / kSize)));
    }

    // Students read gradients off the station depths: no steps in the seabed
    // at the 10 m scale except right at the coast.
    void seabedIsSmooth_data() { seeds(); }
    void seabedIsSmooth()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        const std::vector<bool> coastal = nearShore(f, 3);
        int steepest = 0;
        for (int y = 0; y + 1 < kSize; ++y) {
            for (int x = 0; x + 1 < kSize; ++x) {
                const int i = y * kSize + x;
                if (!isSea(f, x, y) || coastal[i])
                    continue;
                for (int j : {i + 1, i + kSize}) {
                    if (f.depth[j] >= 1 && !coastal[j])
                        steepest = std::max(steepest, std::abs(f.depth[j] - f.depth[i]));
                }
            }
        }
        QVERIFY2(steepest <= 3, qPrintable(QString::number(steepest)));
    }

    void landmarksAreWhereTheLessonNeedsThem_data() { seeds(); }
    void landmarksAreWhereTheLessonNeedsThem()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        auto depthAt = [&](QPoint p) { return f.depth[p.y() * kSize + p.x()]; };
        // First row of water going south down a column.
        auto shoreRow = [&](int x) {
            for (int y = 0; y < kSize; ++y)
                if (isSea(f, x, y))
                    return y;
            return kSize;
        };

        // The headland reaches well out to sea past the coast on either side.
        const int tipX = f.headlandTip.x();
        QVERIFY(tipX >= 0);
        QVERIFY2(f.headlandTip.y() - shoreRow(std::max(0, tipX - 80)) > 50, "headland west flank");
        QVERIFY2(f.headlandTip.y() - shoreRow(std::min(kSize - 1, tipX + 80)) > 50, "headland east flank");

        // The river mouth lies deep in a bay, inland of both its horns.
        QVERIFY2(std::abs(shoreRow(f.riverMouth.x()) - f.riverMouth.y()) <= 2, "mouth on the shore");
        QVERIFY2(shoreRow(kSize - 1) - f.riverMouth.y() > 50, "east side of the bay");
        QVERIFY2(f.headlandTip.y() - f.riverMouth.y() > 100, "west side of the bay");

        // The bank rises from deeper water around it and is coarse sand.
        const int crest = depthAt(f.bankCrest);
        double ring = 0;
        int ringCount = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const double r = std::hypot(x - f.bankCrest.x(), y - f.bankCrest.y());
                if (r >= 90 && r <= 110 && isSea(f, x, y)) {
                    ring += f.depth[y * kSize + x];
                    ++ringCount;
                }
            }
        }
        QVERIFY(ringCount > 0);
        QVERIFY2(crest >= 10 && crest <= 35, qPrintable(QString::number(crest)));
        QVERIFY2(ring / ringCount - crest > 20, qPrintable(QString::number(ring / ringCount)));
        QVERIFY2(f.mud[f.bankCrest.y() * kSize + f.bankCrest.x()] < 0.25f, "bank sediment");

        // The river lays mud off its mouth, where the same depths elsewhere are sand.
        double offMouth = 0, elsewhere = 0;
        int offMouthCount = 0, elsewhereCount = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int depth = f.depth[y * kSize + x];
                if (depth < 4 || depth > 20)
                    continue;
                const int dx = x - f.riverMouth.x(), dy = y - f.riverMouth.y();
                if (dy >= 0 && dy < 40 && std::abs(dx) <= 10) {
                    offMouth += f.mud[y * kSize + x];
                    ++offMouthCount;
                } else if (std::hypot(dx, dy) > 150) {
                    elsewhere += f.mud[y * kSize + x];
                    ++elsewhereCount;
                }
            }
        }
        QVERIFY(offMouthCount > 0 && elsewhereCount > 0);
        offMouth /= offMouthCount;
        elsewhere /= elsewhereCount;
        QVERIFY2(offMouth > 0.5 && offMouth > 2.5 * elsewhere, qPrintable(QStringLiteral("%1 against %2").arg(offMouth).arg(elsewhere)));
        QVERIFY(*std::max_element(f.enrichment.begin(), f.enrichment.end()) > 0.8f);
    }

    void speciesImagesReadBackAsCounts_data() { seeds(); }
    void speciesImagesReadBackAsCounts()
    {
        QFETCH(quint32, seed);
        const Generated &g = generated(seed);
        for (int s = 0; s < 12; ++s) {
            const QImage &image = g.area.species[s];
            const std::vector<int> &counts = g.fields.counts[s];
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    const int intended = counts[y * kSize + x];
                    const QRgb c = image.pixel(x, y);
                    const int read = mapcolour::ConteggioDaColore(colourAt(image, x, y));
                    if (intended < 0 || intended > 63 || read != intended || qGreen(c) != qRed(c) || qBlue(c) != qRed(c))
                        QFAIL(qPrintable(QStringLiteral("s%1 at %2,%3: meant %4, reads %5")
                                             .arg(s + 1)
                                             .arg(x)
                                             .arg(y)
                                             .arg(intended)
                                             .arg(read)));
                    if (intended > 0 && g.fields.depth[y * kSize + x] < 1)
                        QFAIL(qPrintable(QStringLiteral("s%1 living out of the water at %2,%3").arg(s + 1).arg(x).arg(y)));
                }
            }
        }
    }

    void everySpeciesIsCommonSomewhere_data() { seeds(); }
    void everySpeciesIsCommonSomewhere()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        int saturated = 0;
        for (int s = 0; s < 12; ++s) {
            const int most = *std::max_element(f.counts[s].begin(), f.counts[s].end());
            QVERIFY2(most >= 40, qPrintable(QStringLiteral("s%1 peaks at %2").arg(s + 1).arg(most)));
            saturated += most == 63;
            // ... and absent from a good part of the sea.
            const long empty = std::count_if(f.counts[s].begin(), f.counts[s].end(), [](int k) { return k == 0; });
            QVERIFY2(empty > kSize * kSize / 4, qPrintable(QStringLiteral("s%1 almost everywhere").arg(s + 1)));
        }
        QVERIFY2(saturated >= 3, qPrintable(QString::number(saturated)));
    }

    void speciesKeepTheirNiches_data() { seeds(); }
    void speciesKeepTheirNiches()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        std::vector<double> depth(f.depth.begin(), f.depth.end()), mud(f.mud.begin(), f.mud.end()), toMouth(depth.size());
        for (int i = 0; i < kSize * kSize; ++i)
            toMouth[i] = std::hypot(i % kSize - f.riverMouth.x(), i / kSize - f.riverMouth.y());
        auto meanDepth = [&](Species s) { return weightedMean(f.counts[s], depth); };
        auto meanMud = [&](Species s) { return weightedMean(f.counts[s], mud); };

        // Depth: surf sand, shallow sand, muddy sand, mud, deep mud.
        QVERIFY2(meanDepth(Donax) < 8.0, qPrintable(QString::number(meanDepth(Donax))));
        QVERIFY2(meanDepth(Amphiura) - meanDepth(Donax) > 30.0, qPrintable(QString::number(meanDepth(Amphiura))));
        QVERIFY(meanDepth(Donax) < meanDepth(Nephtys));
        QVERIFY(meanDepth(Chamelea) < meanDepth(Lanice));
        QVERIFY(meanDepth(Amphiura) < meanDepth(Antalis));
        QVERIFY(meanDepth(Antalis) > 50.0);

        // Sediment: the crab of the coarse bank against the burrowers of the mud.
        QVERIFY2(meanMud(Liocarcinus) < 0.2, qPrintable(QString::number(meanMud(Liocarcinus))));
        QVERIFY2(meanMud(Antalis) > 0.6, qPrintable(QString::number(meanMud(Antalis))));
        QVERIFY(meanMud(Chamelea) < meanMud(Echinocardium));
        QVERIFY(meanMud(Echinocardium) < meanMud(Amphiura));

        // The crab is far commoner on the bank than over the sea as a whole.
        double onBank = 0, everywhere = 0;
        int bankPixels = 0, seaPixels = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            if (f.depth[i] < 1)
                continue;
            everywhere += f.counts[Liocarcinus][i];
            ++seaPixels;
            if (std::hypot(i % kSize - f.bankCrest.x(), i / kSize - f.bankCrest.y()) < 30) {
                onBank += f.counts[Liocarcinus][i];
                ++bankPixels;
            }
        }
        QVERIFY(bankPixels > 0);
        QVERIFY2(onBank / bankPixels > 3 * everywhere / seaPixels, qPrintable(QString::number(onBank / bankPixels)));

        // The opportunist crowds off the river mouth, where little else lives.
        const double capitellaReach = weightedMean(f.counts[Capitella], toMouth);
        QVERIFY2(capitellaReach < 100, qPrintable(QString::number(capitellaReach)));
        for (int s = 0; s < 11; ++s)
            QVERIFY2(weightedMean(f.counts[s], toMouth) > capitellaReach, qPrintable(QStringLiteral("s%1").arg(s + 1)));
        double capitella = 0, others = 0;
        int enriched = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            if (f.depth[i] < 1 || f.enrichment[i] < 0.6f)
                continue;
            ++enriched;
            capitella += f.counts[Capitella][i];
            for (int s = 0; s < 11; ++s)
                others += f.counts[s][i];
        }
        QVERIFY(enriched > 0);
        QVERIFY2(capitella > others, qPrintable(QStringLiteral("%1 against %2").arg(capitella).arg(others)));
    }

    // What a class sees with a coarse grid of stations: different taxa lead
    // in different zones, shallow sand and deep mud never share a leader.
    void stationGridShowsZonation_data() { seeds(); }
    void stationGridShowsZonation()
    {
        QFETCH(quint32, seed);
        const SeaAreaFields &f = generated(seed).fields;
        std::set<int> leaders;
        int shallow = 0, shallowSand = 0, deep = 0, deepMud = 0;
        for (int y = 16; y < kSize; y += 32) {
            for (int x = 16; x < kSize; x += 32) {
                const int i = y * kSize + x;
                if (f.depth[i] < 1)
                    continue;
                int leader = -1, most = 0;
                for (int s = 0; s < 12; ++s) {
                    if (f.counts[s][i] > most) {
                        most = f.counts[s][i];
                        leader = s;
                    }
                }
                if (leader < 0)
                    continue;
                leaders.insert(leader);
                if (f.depth[i] <= 10) {
                    ++shallow;
                    shallowSand += leader == Donax || leader == Nephtys || leader == Chamelea || leader == Nassarius
                                   || leader == Ampelisca || leader == Capitella;
                }
                if (f.depth[i] >= 60) {
                    ++deep;
                    deepMud += leader == Amphiura || leader == Antalis;
                }
            }
        }
        QVERIFY2(leaders.size() >= 7, qPrintable(QString::number(leaders.size())));
        QVERIFY(shallow >= 5 && deep >= 5);
        QVERIFY2(shallowSand * 10 >= shallow * 9, qPrintable(QStringLiteral("%1 of %2").arg(shallowSand).arg(shallow)));
        QVERIFY2(deepMud * 10 >= deep * 9, qPrintable(QStringLiteral("%1 of %2").arg(deepMud).arg(deep)));
    }
};

QTEST_MAIN(TestSeaArea)
#include "tst_seaarea.moc"
