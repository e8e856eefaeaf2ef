#include "FuzzChecks.h"
#include "FuzzContracts.h"

#include "Area.h"
#include "ColourConversion.h"
#include "ImageFiles.h"
#include "MapColour.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SpriteSheet.h"
#include "TaxaGallery.h"
#include "Twips.h"
#include "Velmara.h"

#include <array>

namespace fuzzchecks {

namespace {

const QString kFolder = QStringLiteral("cartella-di-prova");

QString sizeText(QSize s) { return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height()); }

// A refusal says why; an acceptance is a whole RGB32 picture within the
// reader's limit.
QString loadedContract(const imagefiles::Loaded &loaded)
{
    if (!loaded.ok())
        return loaded.reason.isEmpty() ? QStringLiteral("refused without a reason") : QString();
    if (!loaded.reason.isEmpty())
        return QStringLiteral("accepted with a reason: ") + loaded.reason;
    if (loaded.image.format() != QImage::Format_RGB32)
        return QStringLiteral("accepted in format %1").arg(loaded.image.format());
    if (loaded.image.sizeInBytes() > qint64(imagefiles::kMaxMegabytes) * 1024 * 1024)
        return QStringLiteral("accepted past the limit: ") + sizeText(loaded.image.size());
    return {};
}

// The inner pixels of every cell, as the sieve stamps them: each row's runs
// are exactly its pixels not of the key colour, in order and apart.
QString spriteSheetContract(const QImage &sheet, QRgb key)
{
    const SpriteSheet sprites(sheet, colour::fromQRgb(key), 50, 50);
    const int w = sprites.innerWidth();
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        for (int rot = 0; rot < 4; ++rot) {
            SpriteSheet::Cell cell{};
            if (!sprites.cell(sp, rot, cell))
                return QStringLiteral("no cell for species %1, row %2 in a sheet of %3").arg(sp).arg(rot).arg(sizeText(sheet.size()));
            for (int j = 0; j < sprites.innerHeight(); ++j) {
                const QRgb *source = reinterpret_cast<const QRgb *>(sprites.image().constScanLine(rot * 50 + 2 + j)) + (sp - 1) * 50 + 2;
                const QRgb *pixels = cell.pixels + j * w;
                const SpriteSheet::Run *run = cell.runs + cell.rowRuns[j];
                const SpriteSheet::Run *last = cell.runs + cell.rowRuns[j + 1];
                int x = 0;
                for (; run != last; ++run) {
                    if (run->begin < x || run->end <= run->begin || run->end > w || (run->begin == x && x > 0))
                        return QStringLiteral("species %1, row %2, line %3: a run %4..%5 out of place").arg(sp).arg(rot).arg(j).arg(run->begin).arg(run->end);
                    for (; x < run->end; ++x) {
                        if (pixels[x] != (source[x] | 0xFF000000u))
                            return QStringLiteral("species %1, row %2: pixel %3,%4 copied wrong").arg(sp).arg(rot).arg(x).arg(j);
                        if (SpriteSheet::drawn(source[x], key) != (x >= run->begin))
                            return QStringLiteral("species %1, row %2: pixel %3,%4 in the wrong set").arg(sp).arg(rot).arg(x).arg(j);
                    }
                }
                for (; x < w; ++x) {
                    if (SpriteSheet::drawn(source[x], key))
                        return QStringLiteral("species %1, row %2: pixel %3,%4 left out").arg(sp).arg(rot).arg(x).arg(j);
                }
            }
        }
    }
    return {};
}

// Two organisms of every species on the sieve, as the sieve window lays
// them: all are drawn.
QString sieveContract(const QImage &sheet, QRgb key)
{
    Velmara v;
    samplecontent::impostaParametri(v);
    v.StazSel = 1;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        v.Conteggi[1][sp] = 2;
    v.ColoreTrasp = colour::fromQRgb(key);
    v.AltezzaPx = static_cast<std::int16_t>(twips::toPx(samplecontent::kSetaccioPicHeightTwips));
    v.LarghezzaPx = static_cast<std::int16_t>(twips::toPx(samplecontent::kSetaccioPicWidthTwips));
    unsigned state = 12345u;
    samplecontent::CaricaContenuto(v, [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    });
    PictureSurface sieve(QSize(v.LarghezzaPx, v.AltezzaPx));
    sieve.Scale(0, v.AltezzaPx, v.LarghezzaPx, 0);
    QImage background(sieve.size(), QImage::Format_RGB32);
    background.fill(qRgb(200, 180, 140));
    int drawn = 0;
    sievedrawing::CaricaSetaccio(sieve, background, SpriteSheet(sheet, v), v, [&drawn](int k) { drawn = k; });
    if (drawn != samplecontent::numeroOrganismi(v))
        return QStringLiteral("%1 of %2 organisms drawn").arg(drawn).arg(samplecontent::numeroOrganismi(v));
    return {};
}

// The gallery shows the first row of the sheet pixel for pixel, with the
// key colour left as the gallery's white.
QString galleryContract(const QImage &sheet, QRgb key)
{
    const QSize size(twips::toPx(taxagallery::kFiguraSpWidthTwips), twips::toPx(taxagallery::kFiguraSpHeightTwips));
    PictureSurface gallery(size, mapcolour::kWhite);
    gallery.scalePixels();
    taxagallery::disegnaTaxa(gallery, sheet, colour::fromQRgb(key), size.width(), size.height());
    for (int i = 1; i <= Velmara::kNumSpecie; ++i) {
        const QPoint origin = taxagallery::origineSpecie(i);
        for (int oy = 2; oy < 48; ++oy) {
            for (int ox = 2; ox < 48; ++ox) {
                const QRgb source = sheet.pixel((i - 1) * 50 + ox, oy);
                const QRgb expected = SpriteSheet::drawn(source, key) ? source | 0xFF000000u : qRgb(255, 255, 255);
                if (gallery.Image().pixel(origin.x() - 1 + ox, origin.y() - 1 + oy) != expected)
                    return QStringLiteral("gallery: species %1, pixel %2,%3").arg(i).arg(ox).arg(oy);
            }
        }
    }
    return {};
}

} // namespace

QString picture(const QByteArray &input)
{
    const imagefiles::Loaded any = imagefiles::read(input);
    if (const QString broken = loadedContract(any); !broken.isEmpty())
        return broken;
    if (!any.ok()) {
        // What is refused at any size is refused at the map's size too.
        const imagefiles::Loaded map = imagefiles::read(input, QSize(512, 512));
        return map.ok() ? QStringLiteral("refused at any size, accepted at 512 x 512") : loadedContract(map);
    }
    // Its own size gives the same picture; one pixel wider refuses it.
    const imagefiles::Loaded same = imagefiles::read(input, any.image.size());
    if (!same.ok() || same.image != any.image)
        return QStringLiteral("a different answer at its own size: ") + same.reason;
    const QSize wider = any.image.size() + QSize(1, 0);
    const imagefiles::Loaded other = imagefiles::read(input, wider);
    if (other.ok() || !other.reason.contains(QStringLiteral("invece di")))
        return QStringLiteral("at %1 a picture of %2: %3").arg(sizeText(wider), sizeText(any.image.size()), other.reason);
    return {};
}

QString fauna(const QByteArray &input)
{
    const sievefiles::Picture sheet = sievefiles::controllaFauna(imagefiles::read(input), kFolder);
    if (!sheet.ok())
        return sheet.message.contains(QStringLiteral("\"fauna.dib\"")) ? QString()
                                                                        : QStringLiteral("a refusal not naming the file: ") + sheet.message;
    if (!sheet.message.isEmpty() || sheet.image.width() < sievefiles::kFaunaWidth || sheet.image.height() < sievefiles::kFaunaHeight)
        return QStringLiteral("accepted a sheet of %1: %2").arg(sizeText(sheet.image.size()), sheet.message);
    // The key is read where the sieve and the gallery read it.
    const QRgb key = sheet.image.pixel(2, 2);
    for (const auto contract : {spriteSheetContract, sieveContract, galleryContract}) {
        if (const QString broken = contract(sheet.image, key); !broken.isEmpty())
            return broken;
    }
    return {};
}

QString area(const QByteArray &input)
{
    QList<QByteArray> pictures;
    const QByteArray mark(fuzzcontracts::kPictureMark);
    qsizetype from = 0;
    for (qsizetype at = input.indexOf(mark); at >= 0; at = input.indexOf(mark, from)) {
        pictures << input.mid(from, at - from);
        from = at + mark.size();
    }
    pictures << input.mid(from);
    while (pictures.size() < 1 + Velmara::kNumSpecie)
        pictures << pictures.last();

    std::array<imagefiles::Loaded, 1 + Velmara::kNumSpecie> read;
    QStringList asked;
    const area::Caricamento loaded = area::carica(kFolder, [&](const QString &name, QSize side) {
        const int i = name == QLatin1String("bati.bmp") ? 0 : name.mid(1, name.indexOf(QLatin1Char('.')) - 1).toInt();
        asked << name;
        read[i] = imagefiles::read(pictures[i], side);
        return read[i];
    });
    if (!loaded.area) {
        const QString &last = asked.last();
        if (!loaded.errore.contains(QLatin1Char('"') + last + QLatin1Char('"')) || !loaded.errore.contains(kFolder))
            return QStringLiteral("a refusal that does not name %1 and the folder: %2").arg(last, loaded.errore);
        return read[asked.size() - 1].ok() ? QStringLiteral("refused %1, which was read").arg(last) : QString();
    }
    if (asked.size() != 1 + Velmara::kNumSpecie || !loaded.errore.isEmpty())
        return QStringLiteral("an area from %1 pictures: %2").arg(asked.size()).arg(loaded.errore);
    // The field agrees with the one decoded from the same pictures as a map
    // holds them, at a spread of pixels.
    std::array<const QImage *, Velmara::kNumSpecie> species{};
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        species[sp] = &read[sp + 1].image;
    const Area &a = *loaded.area;
    const Area fromMap = area::daImmagini(read[0].image, species, kFolder);
    for (int k = 0; k < Area::kSide * Area::kSide; k += 997) {
        const QRgb bati = read[0].image.pixel(k % Area::kSide, k / Area::kSide);
        // The depth is the red component's alone.
        const std::optional<int> depth = mapcolour::ProfonditaDaColore(mapcolour::rgb(qRed(bati), 0, 0));
        if (a.prof[k] != fromMap.prof[k] || (depth && *depth != a.prof[k]) || (!depth && a.prof[k] != Area::kSenzaProf))
            return QStringLiteral("depth %1 at pixel %2 for red %3").arg(a.prof[k]).arg(k).arg(qRed(bati));
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
            const int count = a.conteggi[sp][k];
            if (count != fromMap.conteggi[sp][k] || count > 63 || (a.prof[k] <= 0 && count != 0))
                return QStringLiteral("count %1 of species %2 at pixel %3, depth %4").arg(count).arg(sp + 1).arg(k).arg(a.prof[k]);
        }
    }
    return {};
}

} // namespace fuzzchecks
