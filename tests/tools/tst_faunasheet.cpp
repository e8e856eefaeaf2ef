#include "FaunaSheet.h"
#include "SieveBackgrounds.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

constexpr int kCell = 50;
constexpr int kSpecies = 12;
constexpr int kOrientations = 4;
constexpr quint32 kSeed = 20261206;

int keyDistance(QRgb c, QRgb key)
{
    return std::max({std::abs(qRed(c) - qRed(key)), std::abs(qGreen(c) - qGreen(key)),
                     std::abs(qBlue(c) - qBlue(key))});
}

bool ringPixel(int x, int y) { return x < 2 || y < 2 || x > 47 || y > 47; }

// The drawn pixels of one cell, in cell coordinates.
struct Cell {
    QImage pixels;
    int drawn = 0;
    double meanRed = 0;
    double meanGreen = 0;
    double meanBlue = 0;
};

Cell cellOf(const QImage &sheet, int species, int orientation)
{
    Cell cell;
    cell.pixels = sheet.copy(species * kCell, orientation * kCell, kCell, kCell);
    const QRgb key = sheet.pixel(2, 2);
    for (int y = 0; y < kCell; ++y) {
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

struct Stats {
    double red = 0;
    double green = 0;
    double blue = 0;
    double lumaDeviation = 0;
};

double luma(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

Stats statsOf(const QImage &image)
{
    Stats s;
    double sumLuma = 0;
    double sumLuma2 = 0;
    const double n = double(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            s.red += qRed(c);
            s.green += qGreen(c);
            s.blue += qBlue(c);
            sumLuma += luma(c);
            sumLuma2 += luma(c) * luma(c);
        }
    }
    s.red /= n;
    s.green /= n;
    s.blue /= n;
    s.lumaDeviation = std::sqrt(std::max(0.0, sumLuma2 / n - (sumLuma / n) * (sumLuma / n)));
    return s;
}

// The program reads the trays back from JPEG files, so judge what it reads.
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
    QImage m_sheet;
    std::map<QString, QImage> m_trays; // as read back from JPEG

private slots:
    void initTestCase()
    {
        m_sheet = generateFaunaSheet(kSeed);
        for (const SieveBackground &tray : generateSieveBackgrounds(kSeed))
            m_trays[tray.fileName] = throughJpeg(tray.image);
    }

    // --- the sprite sheet ---------------------------------------------------

    void sheetLayout_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("data-set seed") << kSeed;
        QTest::newRow("seed 0") << quint32(0);
        QTest::newRow("seed 4294967295") << quint32(4294967295u);
    }

    void sheetLayout()
    {
        QFETCH(quint32, seed);
        const QImage sheet = generateFaunaSheet(seed);
        QCOMPARE(sheet.size(), QSize(600, 200));
        QVERIFY(!sheet.hasAlphaChannel());
        const QRgb key = sheet.pixel(2, 2);
        QCOMPARE(key, faunaKeyColour());

        for (int species = 0; species < kSpecies; ++species) {
            for (int orientation = 0; orientation < kOrientations; ++orientation) {
                const Cell cell = cellOf(sheet, species, orientation);
                const QString where = QStringLiteral("species %1, orientation %2").arg(species + 1).arg(orientation);
                for (int y = 0; y < kCell; ++y)
                    for (int x = 0; x < kCell; ++x)
                        if (ringPixel(x, y))
                            QVERIFY2(cell.pixels.pixel(x, y) == key,
                                     qPrintable(where + QStringLiteral(": drawn outside the inner square at %1,%2")
                                                           .arg(x)
                                                           .arg(y)));
                // a margin of key around every drawing: a drawn pixel on the
                // inner square's own edge means part of the animal was cut off
                for (int i = 2; i <= 47; ++i)
                    for (QPoint edge : {QPoint(i, 2), QPoint(i, 47), QPoint(2, i), QPoint(47, i)})
                        QVERIFY2(cell.pixels.pixel(edge) == key,
                                 qPrintable(where + QStringLiteral(": touches the edge at %1,%2").arg(edge.x()).arg(edge.y())));
                QVERIFY2(cell.drawn >= 60, qPrintable(where + QStringLiteral(": only %1 pixels").arg(cell.drawn)));
            }
        }
    }

    // A pixel almost, but not quite, the key would show as a magenta fringe.
    void noPixelNearTheKey()
    {
        const QRgb key = m_sheet.pixel(2, 2);
        int closest = 255;
        QPoint where;
        for (int y = 0; y < m_sheet.height(); ++y) {
            for (int x = 0; x < m_sheet.width(); ++x) {
                const QRgb c = m_sheet.pixel(x, y);
                if (c != key && keyDistance(c, key) < closest) {
                    closest = keyDistance(c, key);
                    where = QPoint(x, y);
                }
            }
        }
        QVERIFY2(closest >= 60,
                 qPrintable(QStringLiteral("pixel %1,%2 is within %3 of the key").arg(where.x()).arg(where.y()).arg(closest)));
    }

    void orientationsShowOneOrganism_data()
    {
        QTest::addColumn<int>("species");
        const QStringList names = faunaTaxaNames();
        for (int i = 0; i < kSpecies; ++i)
            QTest::newRow(qPrintable(names.value(i, QString::number(i + 1)))) << i;
    }

    // Four distinct drawings (the program never rotates), of one organism:
    // about the same size in each.
    void orientationsShowOneOrganism()
    {
        QFETCH(int, species);
        std::array<Cell, kOrientations> cells;
        double mean = 0;
        for (int r = 0; r < kOrientations; ++r) {
            cells[size_t(r)] = cellOf(m_sheet, species, r);
            mean += cells[size_t(r)].drawn / double(kOrientations);
        }
        for (int r = 0; r < kOrientations; ++r) {
            QVERIFY2(std::abs(cells[size_t(r)].drawn - mean) <= 0.35 * mean,
                     qPrintable(QStringLiteral("orientation %1 has %2 pixels, the mean is %3")
                                    .arg(r)
                                    .arg(cells[size_t(r)].drawn)
                                    .arg(mean)));
            for (int s = r + 1; s < kOrientations; ++s) {
                const int differ = differingPixels(cells[size_t(r)], cells[size_t(s)]);
                QVERIFY2(differ >= 0.2 * mean,
                         qPrintable(QStringLiteral("orientations %1 and %2 differ in only %3 pixels").arg(r).arg(s).arg(differ)));
            }
        }
    }

    void speciesDifferFromEachOther()
    {
        for (int a = 0; a < kSpecies; ++a) {
            const Cell first = cellOf(m_sheet, a, 0);
            for (int b = a + 1; b < kSpecies; ++b) {
                const Cell second = cellOf(m_sheet, b, 0);
                const int differ = differingPixels(first, second);
                QVERIFY2(differ >= 0.5 * std::max(first.drawn, second.drawn),
                         qPrintable(QStringLiteral("species %1 and %2 differ in only %3 pixels").arg(a + 1).arg(b + 1).arg(differ)));
            }
        }
    }

    // The columns follow the taxon list: the most telling colours and sizes
    // must land in the right columns.
    void columnsFollowTheTaxonList()
    {
        const auto mean = [&](int species) {
            Cell all;
            double total = 0;
            for (int r = 0; r < kOrientations; ++r) {
                const Cell c = cellOf(m_sheet, species - 1, r);
                all.meanRed += c.meanRed * c.drawn;
                all.meanGreen += c.meanGreen * c.drawn;
                all.meanBlue += c.meanBlue * c.drawn;
                all.drawn += c.drawn;
                total += c.drawn;
            }
            all.meanRed /= total;
            all.meanGreen /= total;
            all.meanBlue /= total;
            return all;
        };
        const Cell tellina = mean(4);
        QVERIFY2(tellina.meanRed - tellina.meanGreen > 50, "Tellina should be rose-orange");
        const Cell crab = mean(9);
        QVERIFY2(crab.meanGreen - crab.meanBlue > 25 && crab.meanRed < 160, "Liocarcinus should be olive brown");
        const Cell urchin = mean(11);
        QVERIFY2(urchin.meanRed - urchin.meanBlue > 60, "Echinocardium should be yellowish");
        const Cell capitella = mean(12);
        QVERIFY2(capitella.meanRed > 1.8 * capitella.meanGreen, "Capitella should be red-brown");
        // the ivory tusk shell is the palest animal
        const auto lightness = [](const Cell &c) { return 0.299 * c.meanRed + 0.587 * c.meanGreen + 0.114 * c.meanBlue; };
        const Cell antalis = mean(6);
        for (int s = 1; s <= kSpecies; ++s)
            if (s != 6)
                QVERIFY2(lightness(mean(s)) < lightness(antalis),
                         qPrintable(QStringLiteral("species %1 is paler than Antalis").arg(s)));
        // bivalves, crab and urchin are solid bodies, the thread worm is a line
        for (int s : {3, 4, 9, 11})
            QVERIFY2(mean(s).drawn > 2 * capitella.drawn,
                     qPrintable(QStringLiteral("species %1 is hardly bulkier than Capitella").arg(s)));
    }

    void taxaNamesMatchTheColumns()
    {
        const QStringList names = faunaTaxaNames();
        const QStringList genera = {QStringLiteral("Nephtys"),     QStringLiteral("Lanice"),
                                    QStringLiteral("Chamelea"),    QStringLiteral("Tellina"),
                                    QStringLiteral("Nassarius"),   QStringLiteral("Antalis"),
                                    QStringLiteral("Ampelisca"),   QStringLiteral("Cumacea"),
                                    QStringLiteral("Liocarcinus"), QStringLiteral("Amphiura"),
                                    QStringLiteral("Echinocardium"), QStringLiteral("Capitella")};
        QCOMPARE(names.size(), kSpecies);
        for (int i = 0; i < kSpecies; ++i)
            QVERIFY2(names[i].startsWith(genera[i]), qPrintable(names[i]));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kSpecies);
    }

    // The sheet is written as a 24-bit BMP: nothing of it may depend on alpha.
    void survivesA24BitBmp()
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(m_sheet.save(&buffer, "BMP"));
        QVERIFY(bytes.size() > 30);
        QCOMPARE(int(quint8(bytes[28])) | (int(quint8(bytes[29])) << 8), 24);

        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "BMP");
        const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!back.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(back.size(), m_sheet.size());
        QCOMPARE(back.pixel(2, 2), faunaKeyColour());
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                if (back.pixel(x, y) != m_sheet.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
    }

    void deterministic()
    {
        QCOMPARE(generateFaunaSheet(kSeed), m_sheet);
        const std::vector<SieveBackground> first = generateSieveBackgrounds(99);
        const std::vector<SieveBackground> second = generateSieveBackgrounds(99);
        QCOMPARE(first.size(), second.size());
        for (size_t i = 0; i < first.size(); ++i)
            QVERIFY2(first[i].image == second[i].image, qPrintable(first[i].fileName));
    }

    // --- the sieve trays ----------------------------------------------------

    void traysNamedAndSized()
    {
        const std::vector<SieveBackground> trays = generateSieveBackgrounds(kSeed);
        QStringList names;
        for (const SieveBackground &tray : trays) {
            names << tray.fileName;
            QVERIFY2(tray.image.width() >= 529 && tray.image.height() >= 530, qPrintable(tray.fileName));
            QVERIFY2(!tray.image.hasAlphaChannel(), qPrintable(tray.fileName));
        }
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("bianco.jpg"), QStringLiteral("blu.jpg"), QStringLiteral("celeste.jpg"),
                                     QStringLiteral("nero.jpg"), QStringLiteral("sand.jpg")}));
    }

    void trayColours_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"sand.jpg", "bianco.jpg", "nero.jpg", "celeste.jpg", "blu.jpg"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void trayColours()
    {
        QFETCH(QString, file);
        QVERIFY(m_trays.count(file));
        const QImage &image = m_trays[file];
        QVERIFY(!image.isNull());
        const Stats s = statsOf(image);
        const QString got = QStringLiteral("%1: mean %2 %3 %4, deviation %5")
                                .arg(file)
                                .arg(s.red, 0, 'f', 1)
                                .arg(s.green, 0, 'f', 1)
                                .arg(s.blue, 0, 'f', 1)
                                .arg(s.lumaDeviation, 0, 'f', 1);
        if (file == QLatin1String("sand.jpg")) {
            // warm beige, and grainy
            QVERIFY2(s.red > s.green && s.green > s.blue, qPrintable(got));
            QVERIFY2(s.red > 170 && s.red < 235 && s.red - s.blue > 35 && s.red - s.blue < 100, qPrintable(got));
            QVERIFY2(s.lumaDeviation > 6, qPrintable(got));
        } else {
            // plain trays: any texture must stay subtle
            QVERIFY2(s.lumaDeviation < 6, qPrintable(got));
            if (file == QLatin1String("bianco.jpg"))
                QVERIFY2(std::min({s.red, s.green, s.blue}) > 225, qPrintable(got));
            else if (file == QLatin1String("nero.jpg"))
                QVERIFY2(std::max({s.red, s.green, s.blue}) < 40, qPrintable(got));
            else if (file == QLatin1String("celeste.jpg"))
                QVERIFY2(s.blue > 200 && s.blue - s.red > 40 && s.red > 100 && s.green > s.red, qPrintable(got));
            else if (file == QLatin1String("blu.jpg"))
                QVERIFY2(s.blue > 90 && s.blue < 200 && s.blue - s.red > 60 && s.red < 80 && s.green < 110,
                         qPrintable(got));
        }
    }

    // Sand varies grain to grain and patch to patch, with the odd dark
    // mineral grain and pale shell bit.
    void sandHasGrainAtSeveralScales()
    {
        const QImage &sand = m_trays[QStringLiteral("sand.jpg")];
        QVERIFY(!sand.isNull());
        double neighbour = 0;
        int pairs = 0;
        for (int y = 0; y < sand.height(); ++y)
            for (int x = 1; x < sand.width(); ++x, ++pairs)
                neighbour += std::abs(luma(sand.pixel(x, y)) - luma(sand.pixel(x - 1, y)));
        neighbour /= pairs;
        QVERIFY2(neighbour > 4, qPrintable(QStringLiteral("neighbouring pixels differ by %1 on average").arg(neighbour)));

        const int block = 40;
        std::vector<double> means;
        for (int by = 0; by + block <= sand.height(); by += block) {
            for (int bx = 0; bx + block <= sand.width(); bx += block) {
                double sum = 0;
                for (int y = by; y < by + block; ++y)
                    for (int x = bx; x < bx + block; ++x)
                        sum += luma(sand.pixel(x, y));
                means.push_back(sum / (block * block));
            }
        }
        double average = 0;
        for (double m : means)
            average += m / double(means.size());
        double spread = 0;
        for (double m : means)
            spread += (m - average) * (m - average) / double(means.size());
        QVERIFY2(std::sqrt(spread) > 1.0, qPrintable(QStringLiteral("patches vary by only %1").arg(std::sqrt(spread))));

        int dark = 0;
        int pale = 0;
        for (int y = 0; y < sand.height(); ++y) {
            for (int x = 0; x < sand.width(); ++x) {
                const double l = luma(sand.pixel(x, y));
                dark += l < 0.6 * average;
                pale += l > 1.15 * average;
            }
        }
        QVERIFY2(dark > 200, qPrintable(QStringLiteral("%1 dark pixels").arg(dark)));
        QVERIFY2(pale > 200, qPrintable(QStringLiteral("%1 pale pixels").arg(pale)));
    }
};

QTEST_MAIN(TestFaunaSheet)
#include "tst_faunasheet.moc"
