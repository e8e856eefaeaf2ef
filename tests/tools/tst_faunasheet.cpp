#include "FaunaSheet.h"
#include "SieveBackgrounds.h"

#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kCell = 50;
constexpr int kSpecies = 12;
constexpr quint32 kSeed = 20261206;

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

} // namespace

class TestFaunaSheet : public QObject {
    Q_OBJECT

private slots:
    void sheetLayout_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("data-set seed") << kSeed;
        QTest::newRow("seed 4294967295") << quint32(4294967295u);
    }
    // Only the inner 46 x 46 square of a cell is drawn, with a margin of key
    // inside it, and no drawn pixel comes near the key colour, where it
    // would show as a magenta fringe on the sieve.
    void sheetLayout()
    {
        QFETCH(quint32, seed);
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
        for (int species = 0; species < kSpecies; ++species) {
            const Drawn first = cellOf(sheet, species, 0);
            for (int r = 1; r < 4; ++r) {
                const Drawn pose = cellOf(sheet, species, r);
                QVERIFY(pose.count >= 60 && std::abs(pose.count - first.count) <= 0.5 * first.count);
                QVERIFY(differingPixels(first, pose) >= 0.2 * first.count);
            }
            for (int other = species + 1; other < kSpecies; ++other) {
                const Drawn second = cellOf(sheet, other, 0);
                QVERIFY2(differingPixels(first, second) >= 0.5 * std::max(first.count, second.count),
                         qPrintable(QStringLiteral("species %1 and %2 look alike").arg(species + 1).arg(other + 1)));
            }
        }
    }

    // The answer key names the taxa by column: the most telling colours
    // must be drawn in the column that bears the name.
    void namedColumnsShowTheirTaxa()
    {
        const QImage sheet = generateFaunaSheet(kSeed);
        const QStringList names = faunaTaxaNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kSpecies);
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

    // The mean colours of the trays; their texture shows on the screenshots.
    void traysLookLikeTheirNames()
    {
        QStringList names;
        for (const SieveBackground &tray : generateSieveBackgrounds(kSeed)) {
            names << tray.fileName;
            QVERIFY(tray.image.width() >= 529 && tray.image.height() >= 530);
            const Drawn d = drawnOf(tray.image);
            const double r = d.red, g = d.green, b = d.blue;
            const QHash<QString, bool> looks{{"sand.jpg", r > g && g > b && r > 170 && r - b > 35},
                                             {"bianco.jpg", std::min({r, g, b}) > 225},
                                             {"nero.jpg", std::max({r, g, b}) < 40},
                                             {"celeste.jpg", b > 200 && b - r > 40 && g > r},
                                             {"blu.jpg", b > 90 && b < 200 && b - r > 60}};
            QVERIFY2(looks.value(tray.fileName) && d.count == tray.image.width() * tray.image.height(),
                     qPrintable(QStringLiteral("%1: %2 %3 %4").arg(tray.fileName).arg(r).arg(g).arg(b)));
        }
        names.sort();
        QCOMPARE(names.join(QLatin1Char(' ')), QStringLiteral("bianco.jpg blu.jpg celeste.jpg nero.jpg sand.jpg"));
    }
};

QTEST_MAIN(TestFaunaSheet)
#include "tst_faunasheet.moc"
