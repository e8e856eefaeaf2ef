#pragma once

#include <QImage>
#include <QString>

#include <functional>

// Small, known image sets written into a test's own folder, so that tests
// check the program against pictures whose every pixel they know.
namespace testdata {

using PixelFn = std::function<QRgb(int x, int y)>;
using SpeciesFn = std::function<QRgb(int species, int x, int y)>;

struct MapSet {
    // Defaults: land (black) in columns 0..49, a shore band in columns
    // 50..59 (red 40..76, depth -36..0 m), sea with red 100 + column / 4.
    PixelFn bati;
    // Defaults: a smooth muted gradient without pure red.
    PixelFn base;
    // Defaults: species sp has red 255 - 3 * sp everywhere.
    SpeciesFn species;
    int side = 512;
};

QRgb defaultBati(int x, int y);
QRgb defaultBase(int x, int y);

QImage image(int width, int height, const PixelFn &pixel);

// Writes bati.bmp, base.bmp and s1.bmp .. s12.bmp into the folder.
bool writeMapSet(const QString &folder, const MapSet &set = {});

// A file's bytes ("<unreadable>" when it cannot be read), and writing them.
QByteArray contents(const QString &path);
bool put(const QString &path, const QByteArray &bytes);

// How far the memory the process holds rose above what it held when the
// watch started, at its highest, in megabytes: what a reader allocated and
// used meanwhile.
class MemoryWatch
{
public:
    MemoryWatch();
    qint64 grownMegabytes() const;

private:
    qint64 startKilobytes_;
};

// A known fauna sheet: cell (column c, row r) at offset (ox, oy) holds
// rgb(5 * ox, 5 * oy, 10 + 5 * (4 * c + r)); the two outer rings of every
// cell are yellow; inner offsets with (ox + 3 * oy) % 11 == 8, (2, 2)
// among them, hold the key colour faunaKey().
QRgb faunaKey();
bool faunaKeyAt(int ox, int oy);
QRgb defaultFauna(int x, int y);

struct FaunaSet {
    PixelFn fauna; // default defaultFauna
    QSize faunaSize{600, 200};
    QSize backgroundSize{540, 540};
};

// Writes fauna.dib (BMP content) and sand.jpg, bianco.jpg, nero.jpg,
// celeste.jpg, blu.jpg into the folder.
bool writeFaunaSet(const QString &folder, const FaunaSet &set = {});

} // namespace testdata
