#include "TestData.h"

#include <QDir>

namespace testdata {

QRgb defaultBati(int x, int)
{
    if (x < 50)
        return qRgb(0, 0, 0);
    if (x < 60)
        return qRgb(40 + (x - 50) * 4, 0, 0);
    return qRgb(100 + x / 4, 0, 0);
}

QRgb defaultBase(int x, int y)
{
    return qRgb(40 + x / 4, 80 + y / 4, 200 - (x + y) / 8);
}

QRgb defaultSpecies(int species, int, int)
{
    const int red = 255 - 3 * species;
    return qRgb(red, red, red);
}

QImage image(int width, int height, const PixelFn &pixel)
{
    QImage result(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = pixel(x, y);
    }
    return result;
}

bool writeMapSet(const QString &folder, const MapSet &set)
{
    const QDir dir(folder);
    const PixelFn bati = set.bati ? set.bati : PixelFn(defaultBati);
    const PixelFn base = set.base ? set.base : PixelFn(defaultBase);
    const SpeciesFn species = set.species ? set.species : SpeciesFn(defaultSpecies);
    bool ok = image(set.side, set.side, bati).save(dir.filePath(QStringLiteral("bati.bmp")), "BMP")
              && image(set.side, set.side, base).save(dir.filePath(QStringLiteral("base.bmp")), "BMP");
    for (int sp = 1; ok && sp <= 12; ++sp) {
        const QImage picture = image(set.side, set.side, [&](int x, int y) { return species(sp, x, y); });
        ok = picture.save(dir.filePath(QStringLiteral("s%1.bmp").arg(sp)), "BMP");
    }
    return ok;
}

QString builtDataFolder()
{
    return qEnvironmentVariable("FONDALIS_DATA_DIR");
}

} // namespace testdata
