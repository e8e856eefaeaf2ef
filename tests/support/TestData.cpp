#include "TestData.h"

#include <QDir>
#include <QFile>

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
    const SpeciesFn species = set.species ? set.species : SpeciesFn([](int sp, int, int) {
        return qRgb(255 - 3 * sp, 255 - 3 * sp, 255 - 3 * sp);
    });
    bool ok = image(set.side, set.side, bati).save(dir.filePath(QStringLiteral("bati.bmp")), "BMP")
              && image(set.side, set.side, base).save(dir.filePath(QStringLiteral("base.bmp")), "BMP");
    for (int sp = 1; ok && sp <= 12; ++sp) {
        const QImage picture = image(set.side, set.side, [&](int x, int y) { return species(sp, x, y); });
        ok = picture.save(dir.filePath(QStringLiteral("s%1.bmp").arg(sp)), "BMP");
    }
    return ok;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QRgb faunaKey()
{
    return qRgb(255, 0, 255);
}

bool faunaKeyAt(int ox, int oy)
{
    return (ox + 3 * oy) % 11 == 8;
}

QRgb defaultFauna(int x, int y)
{
    const int ox = x % 50;
    const int oy = y % 50;
    if (ox < 2 || ox > 47 || oy < 2 || oy > 47)
        return qRgb(255, 255, 0); // the rings
    if (faunaKeyAt(ox, oy))
        return faunaKey();
    return qRgb(5 * ox, 5 * oy, 10 + 5 * (4 * (x / 50) + y / 50));
}

bool writeFaunaSet(const QString &folder, const FaunaSet &set)
{
    const QDir dir(folder);
    const PixelFn fauna = set.fauna ? set.fauna : PixelFn(defaultFauna);
    bool ok = image(set.faunaSize.width(), set.faunaSize.height(), fauna)
                  .save(dir.filePath(QStringLiteral("fauna.dib")), "BMP");
    const char *const files[5] = {"sand.jpg", "bianco.jpg", "nero.jpg", "celeste.jpg", "blu.jpg"};
    for (int option = 0; ok && option < 5; ++option) {
        static const QRgb flat[5] = {qRgb(200, 176, 120), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(140, 200, 230),
                                     qRgb(20, 40, 160)};
        const QRgb colour = flat[option];
        const QImage picture = image(set.backgroundSize.width(), set.backgroundSize.height(),
                                     [colour](int, int) { return colour; });
        ok = picture.save(dir.filePath(QString::fromLatin1(files[option])), "JPEG", 100);
    }
    return ok;
}

namespace {

qint64 statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

MemoryWatch::MemoryWatch()
{
    // Writing 5 starts the peak (VmHWM) afresh from what is held now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    startKilobytes_ = statusKilobytes("VmRSS:");
}

qint64 MemoryWatch::grownMegabytes() const
{
    return (statusKilobytes("VmHWM:") - startKilobytes_) / 1024;
}

} // namespace testdata
