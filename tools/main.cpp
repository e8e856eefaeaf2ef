// Writes the sea-area data set that Fondalis reads from its own folder:
// the chart, the bathymetry, twelve species images, the fauna sprite sheet
// and the five sieve backgrounds.
#include "FaunaSheet.h"
#include "SeaArea.h"
#include "SieveBackgrounds.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>

namespace {

bool write(const QDir &dir, const QString &name, const QImage &image, const char *format, int quality = -1)
{
    QImageWriter writer(dir.filePath(name), format);
    if (quality >= 0)
        writer.setQuality(quality);
    // Qt writes every BMP as 24-bit, which is what the program expects.
    if (!writer.write(image)) {
        std::fprintf(stderr, "fondalis-gen: cannot write %s: %s\n", qPrintable(dir.filePath(name)),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text on the chart needs fonts, hence a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    quint32 seed = 20261206;
    QString folder;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
            bool ok = false;
            seed = args[++i].toUInt(&ok);
            if (!ok) {
                std::fprintf(stderr, "fondalis-gen: the seed must be a whole number from 0 to 4294967295\n");
                return 2;
            }
        } else if (folder.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            folder = args[i];
        } else {
            std::fprintf(stderr, "usage: fondalis-gen [--seed N] FOLDER\n");
            return 2;
        }
    }
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: fondalis-gen [--seed N] FOLDER\n");
        return 2;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "fondalis-gen: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    const SeaArea area = generateSeaArea(seed);
    bool ok = write(dir, QStringLiteral("base.bmp"), area.base, "BMP")
              && write(dir, QStringLiteral("bati.bmp"), area.bati, "BMP");
    for (int i = 0; ok && i < 12; ++i)
        ok = write(dir, QStringLiteral("s%1.bmp").arg(i + 1), area.species[i], "BMP");
    // A .dib is an ordinary BMP file here; the program reads it by content.
    ok = ok && write(dir, QStringLiteral("fauna.dib"), generateFaunaSheet(seed), "BMP");
    for (const SieveBackground &background : generateSieveBackgrounds(seed)) {
        if (!ok)
            break;
        ok = write(dir, background.fileName, background.image, "JPEG", 95);
    }
    return ok ? 0 : 1;
}
