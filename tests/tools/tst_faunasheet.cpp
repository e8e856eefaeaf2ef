#include "FaunaSheet.h"
#include "SieveBackgrounds.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kCell = 50;
constexpr int kSpecies = 12;
constexpr int kOrientations = 4;
constexpr quint32 kSeed = 20261206;

// The drawn pixels of one cell, in cell coordinates.
struct Cell {
    QImage pixels;
    int drawn = 0;
    double meanRed = 0, meanGreen = 0, meanBlue = 0;
};

// One cell, or with `rows` 4 all orientations of a species.
Cell cellOf(const QImage &sheet, int species, int orientation, int rows = 1)
{
    Cell cell;
    cell.pixels = sheet.copy(species * kCell, orientation * kCell, kCell, rows * kCell);
    const QRgb key = sheet.pixel(2, 2);
    for (int y = 0; y < cell.pixels.height(); ++y) {
        for (int x = 0; x < kCell; ++x) {
            const QRgb c = cell.pixels.pixel(x, y);
            if (c == key)
                continue;
            ++cell.drawn;
            cell.meanRed += qRed(c);
            cell.meanGreen += qGreen(c);
            cell.meanBlue += qBlue(c);
        }
    }
    if (cell.drawn > 0) {
        cell.meanRed /= cell.drawn;
        cell.meanGreen /= cell.drawn;
        cell.meanBlue /= cell.drawn;
    }
    return cell;
}

// Pixels where two cells differ, counting a drawn pixel against key too.
int differingPixels(const Cell &a, const Cell &b)
{
    int n = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            n += a.pixels.pixel(x, y) != b.pixels.pixel(x, y);
    return n;
}

double luma(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

QImage throughJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(95);
    if (!writer.write(image))
        return {};
    return QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestFaunaSheet : public QObject {
    Q_OBJECT

private:
    const QImage m_sheet = generateFaunaSheet(kSeed);

    // The column of the taxon whose name starts with `genus`, from 0.
    static int columnOf(const char *genus)
    {
        const QStringList names = faunaTaxaNames();
        for (int i = 0; i < names.size(); ++i)
            if (names[i].startsWith(QLatin1String(genus)))
                return i;
        return -1;
    }

private slots:
    // --- the sprite sheet ---------------------------------------------------

    void sheetLayout_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("data-set seed") << kSeed;
        QTest::newRow("seed 0") << quint32(0);
        QTest::newRow("seed 4294967295") << quint32(4294967295u);
    }

    // The sheet is written as a 24-bit BMP: RGB32 loses nothing there.
    void sheetLayout()
    {
        QFETCH(quint32, seed);
        const QImage sheet = generateFaunaSheet(seed);
        QCOMPARE(generateFaunaSheet(seed), sheet); // the seed decides it
        QCOMPARE(sheet.size(), QSize(600, 200));
        QCOMPARE(sheet.format(), QImage::Format_RGB32);
        const QRgb key = sheet.pixel(2, 2);
        QCOMPARE(key, faunaKeyColour());
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                const QRgb c = sheet.pixel(x, y);
                const auto where = [x, y] {
                    return QStringLiteral("species %1, orientation %2, offset %3,%4")
                        .arg(x / kCell + 1).arg(y / kCell).arg(x % kCell).arg(y % kCell);
                };
                // Only the inner 46 x 46 square is drawn, and with a margin of
                // key inside it: a drawn pixel on its own edge means part of
                // the animal was cut off.
                const int ox = x % kCell, oy = y % kCell;
                if ((ox <= 2 || oy <= 2 || ox >= 47 || oy >= 47) && c != key)
                    QFAIL(qPrintable(where() + QStringLiteral(": drawn at the cell's edge")));
                // A pixel almost, but not quite, the key would show as a
                // magenta fringe on the sieve.
                const int distance = std::max({std::abs(qRed(c) - qRed(key)), std::abs(qGreen(c) - qGreen(key)),
                                               std::abs(qBlue(c) - qBlue(key))});
                if (c != key && distance < 60)
                    QFAIL(qPrintable(where() + QStringLiteral(": within %1 of the key").arg(distance)));
            }
        }
        for (int species = 0; species < kSpecies; ++species)
            for (int orientation = 0; orientation < kOrientations; ++orientation)
                QVERIFY2(cellOf(sheet, species, orientation).drawn >= 60,
                         qPrintable(QStringLiteral("species %1, orientation %2 is hardly drawn").arg(species + 1).arg(orientation)));
    }

    // Per species four distinct drawings of one organism (the program never
    // rotates), about the same size in each; and the species differ.
    void cellsAreDistinctDrawings()
    {
        for (int species = 0; species < kSpecies; ++species) {
            std::array<Cell, kOrientations> cells;
            double mean = 0;
            for (int r = 0; r < kOrientations; ++r) {
                cells[size_t(r)] = cellOf(m_sheet, species, r);
                mean += cells[size_t(r)].drawn / double(kOrientations);
            }
            for (int r = 0; r < kOrientations; ++r) {
                const QString where = QStringLiteral("species %1, orientation %2").arg(species + 1).arg(r);
                QVERIFY2(std::abs(cells[size_t(r)].drawn - mean) <= 0.35 * mean,
                         qPrintable(where + QStringLiteral(" has %1 pixels, the mean %2").arg(cells[size_t(r)].drawn).arg(mean)));
                for (int s = r + 1; s < kOrientations; ++s)
                    QVERIFY2(differingPixels(cells[size_t(r)], cells[size_t(s)]) >= 0.2 * mean,
                             qPrintable(where + QStringLiteral(" is hardly unlike orientation %1").arg(s)));
            }
            for (int other = species + 1; other < kSpecies; ++other) {
                const Cell second = cellOf(m_sheet, other, 0);
                QVERIFY2(differingPixels(cells[0], second) >= 0.5 * std::max(cells[0].drawn, second.drawn),
                         qPrintable(QStringLiteral("species %1 and %2 look alike").arg(species + 1).arg(other + 1)));
            }
        }
    }

    // The answer key names the taxa by column: the most telling colours and
    // sizes must be drawn in the column that bears the name.
    void namedColumnsShowTheirTaxa()
    {
        const QStringList names = faunaTaxaNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kSpecies);
        const auto mean = [&](const char *genus) {
            const int column = columnOf(genus);
            return column < 0 ? Cell() : cellOf(m_sheet, column, 0, kOrientations);
        };
        const Cell tellina = mean("Tellina");
        QVERIFY2(tellina.meanRed - tellina.meanGreen > 50, "Tellina should be rose-orange");
        const Cell crab = mean("Liocarcinus");
        QVERIFY2(crab.meanGreen - crab.meanBlue > 25 && crab.meanRed < 160, "Liocarcinus should be olive brown");
        const Cell urchin = mean("Echinocardium");
        QVERIFY2(urchin.meanRed - urchin.meanBlue > 60, "Echinocardium should be yellowish");
        const Cell capitella = mean("Capitella");
        QVERIFY2(capitella.meanRed > 1.8 * capitella.meanGreen, "Capitella should be red-brown");
        // The ivory tusk shell is the palest animal.
        const auto lightness = [](const Cell &c) { return 0.299 * c.meanRed + 0.587 * c.meanGreen + 0.114 * c.meanBlue; };
        const Cell antalis = mean("Antalis");
        for (const QString &name : names)
            if (!name.startsWith(QLatin1String("Antalis")))
                QVERIFY2(lightness(mean(qPrintable(name))) < lightness(antalis), qPrintable(name));
        // Bivalves, crab and urchin are solid bodies, the thread worm is a line.
        for (const char *genus : {"Chamelea", "Tellina", "Liocarcinus", "Echinocardium"})
            QVERIFY2(mean(genus).drawn > 2 * capitella.drawn, genus);
    }

    // --- the sieve trays ----------------------------------------------------

    // The program reads the trays back from JPEG files: judge what it reads.
    void traysLookLikeTheirNames()
    {
        const std::vector<SieveBackground> trays = generateSieveBackgrounds(kSeed);
        const std::vector<SieveBackground> again = generateSieveBackgrounds(kSeed);
        QCOMPARE(again.size(), trays.size());
        QStringList names;
        for (size_t i = 0; i < trays.size(); ++i) {
            const QString &file = trays[i].fileName;
            names << file;
            QVERIFY2(trays[i].image.width() >= 529 && trays[i].image.height() >= 530, qPrintable(file));
            QVERIFY2(!trays[i].image.hasAlphaChannel() && again[i].image == trays[i].image, qPrintable(file));
            const QImage image = throughJpeg(trays[i].image);
            double red = 0, green = 0, blue = 0, mean = 0, square = 0, neighbour = 0;
            const double n = double(image.width()) * image.height();
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb c = image.pixel(x, y);
                    red += qRed(c) / n;
                    green += qGreen(c) / n;
                    blue += qBlue(c) / n;
                    mean += luma(c) / n;
                    square += luma(c) * luma(c) / n;
                    neighbour += x > 0 ? std::abs(luma(c) - luma(image.pixel(x - 1, y))) / n : 0.0;
                }
            }
            const double deviation = std::sqrt(std::max(0.0, square - mean * mean));
            const QByteArray got = QStringLiteral("%1: mean %2 %3 %4, deviation %5")
                                       .arg(file)
                                       .arg(red, 0, 'f', 1)
                                       .arg(green, 0, 'f', 1)
                                       .arg(blue, 0, 'f', 1)
                                       .arg(deviation, 0, 'f', 1)
                                       .toUtf8();
            if (file == QLatin1String("sand.jpg")) {
                // Warm beige, grainy pixel to pixel and patch to patch, with the
                // odd dark mineral grain and pale shell bit.
                QVERIFY2(red > green && green > blue && red > 170 && red < 235 && red - blue > 35 && red - blue < 100
                             && deviation > 6,
                         got);
                QVERIFY2(neighbour > 4, qPrintable(QString::number(neighbour)));
                std::vector<double> patches;
                for (int by = 0; by + 40 <= image.height(); by += 40) {
                    for (int bx = 0; bx + 40 <= image.width(); bx += 40) {
                        double sum = 0;
                        for (int y = by; y < by + 40; ++y)
                            for (int x = bx; x < bx + 40; ++x)
                                sum += luma(image.pixel(x, y)) / 1600;
                        patches.push_back(sum);
                    }
                }
                double spread = 0;
                for (double m : patches)
                    spread += (m - mean) * (m - mean) / double(patches.size());
                QVERIFY2(std::sqrt(spread) > 1.0, qPrintable(QStringLiteral("patches vary by only %1").arg(std::sqrt(spread))));
                int dark = 0, pale = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        dark += luma(image.pixel(x, y)) < 0.6 * mean;
                        pale += luma(image.pixel(x, y)) > 1.15 * mean;
                    }
                }
                QVERIFY2(dark > 200 && pale > 200, qPrintable(QStringLiteral("%1 dark, %2 pale").arg(dark).arg(pale)));
                continue;
            }
            // On the plain trays any texture stays subtle.
            QVERIFY2(deviation < 6, got);
            if (file == QLatin1String("bianco.jpg"))
                QVERIFY2(std::min({red, green, blue}) > 225, got);
            else if (file == QLatin1String("nero.jpg"))
                QVERIFY2(std::max({red, green, blue}) < 40, got);
            else if (file == QLatin1String("celeste.jpg"))
                QVERIFY2(blue > 200 && blue - red > 40 && red > 100 && green > red, got);
            else
                QVERIFY2(blue > 90 && blue < 200 && blue - red > 60 && red < 80 && green < 110, got);
        }
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("bianco.jpg"), QStringLiteral("blu.jpg"), QStringLiteral("celeste.jpg"),
                                     QStringLiteral("nero.jpg"), QStringLiteral("sand.jpg")}));
    }
};

QTEST_MAIN(TestFaunaSheet)
#include "tst_faunasheet.moc"