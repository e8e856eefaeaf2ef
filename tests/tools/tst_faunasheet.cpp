#include "FaunaSheet.h"
#include "SieveBackgrounds.h"

#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kCell = 50;
constexpr int kSpecies = 12;
constexpr quint32 kSeed = 20261206;

// The drawn pixels of one cell, or with `rows` 4 of all its orientations.
struct Cell {
    QImage pixels;
    int drawn = 0;
    double red = 0, green = 0, blue = 0; // means over the drawn pixels
};

Cell cellOf(const QImage &sheet, int species, int orientation, int rows = 1)
{
    Cell cell;
    cell.pixels = sheet.copy(species * kCell, orientation * kCell, kCell, rows * kCell);
    for (int y = 0; y < cell.pixels.height(); ++y) {
        for (int x = 0; x < kCell; ++x) {
            const QRgb c = cell.pixels.pixel(x, y);
            if (c == faunaKeyColour())
                continue;
            ++cell.drawn;
            cell.red += qRed(c);
            cell.green += qGreen(c);
            cell.blue += qBlue(c);
        }
    }
    const double n = std::max(cell.drawn, 1);
    cell.red /= n, cell.green /= n, cell.blue /= n;
    return cell;
}

int differingPixels(const Cell &a, const Cell &b)
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
            const Cell first = cellOf(sheet, species, 0);
            for (int r = 1; r < 4; ++r) {
                const Cell pose = cellOf(sheet, species, r);
                QVERIFY(pose.drawn >= 60 && std::abs(pose.drawn - first.drawn) <= 0.5 * first.drawn);
                QVERIFY(differingPixels(first, pose) >= 0.2 * first.drawn);
            }
            for (int other = species + 1; other < kSpecies; ++other) {
                const Cell second = cellOf(sheet, other, 0);
                QVERIFY2(differingPixels(first, second) >= 0.5 * std::max(first.drawn, second.drawn),
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
            for (int i = 0; i < names.size(); ++i)
                if (names[i].startsWith(QLatin1String(genus)))
                    return cellOf(sheet, i, 0, 4);
            return Cell();
        };
        const Cell tellina = taxon("Tellina");
        QVERIFY2(tellina.red - tellina.green > 50, "Tellina should be rose-orange");
        const Cell crab = taxon("Liocarcinus");
        QVERIFY2(crab.green - crab.blue > 25 && crab.red < 160, "Liocarcinus should be olive brown");
        const Cell capitella = taxon("Capitella");
        QVERIFY2(capitella.red > 1.8 * capitella.green, "Capitella should be red-brown");
        const Cell antalis = taxon("Antalis");
        QVERIFY2(std::min({antalis.red, antalis.green, antalis.blue}) > 150, "Antalis should be ivory");
    }

    // The mean colours of the trays; their texture shows on the screenshots.
    void traysLookLikeTheirNames()
    {
        QStringList names;
        for (const SieveBackground &tray : generateSieveBackgrounds(kSeed)) {
            names << tray.fileName;
            const QImage &image = tray.image;
            QVERIFY(image.width() >= 529 && image.height() >= 530);
            double red = 0, green = 0, blue = 0;
            const double n = double(image.width()) * image.height();
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb c = image.pixel(x, y);
                    red += qRed(c) / n, green += qGreen(c) / n, blue += qBlue(c) / n;
                }
            }
            const QByteArray got = QStringLiteral("%1: %2 %3 %4").arg(tray.fileName).arg(red).arg(green).arg(blue).toUtf8();
            if (tray.fileName == QLatin1String("sand.jpg"))
                QVERIFY2(red > green && green > blue && red > 170 && red - blue > 35, got);
            else if (tray.fileName == QLatin1String("bianco.jpg"))
                QVERIFY2(std::min({red, green, blue}) > 225, got);
            else if (tray.fileName == QLatin1String("nero.jpg"))
                QVERIFY2(std::max({red, green, blue}) < 40, got);
            else if (tray.fileName == QLatin1String("celeste.jpg"))
                QVERIFY2(blue > 200 && blue - red > 40 && green > red, got);
            else
                QVERIFY2(blue > 90 && blue < 200 && blue - red > 60, got);
        }
        names.sort();
        QCOMPARE(names.join(QLatin1Char(' ')), QStringLiteral("bianco.jpg blu.jpg celeste.jpg nero.jpg sand.jpg"));
    }
};

QTEST_MAIN(TestFaunaSheet)
#include "tst_faunasheet.moc"
