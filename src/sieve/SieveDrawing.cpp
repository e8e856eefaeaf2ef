#include "SieveDrawing.h"

#include "ColourConversion.h"
#include "PictureSurface.h"
#include "SpriteSheet.h"
#include "Velmara.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <vector>

namespace sievedrawing {

QString fileSfondo(int option)
{
    static const char *const files[kOpzioniSfondo] = {"sand.jpg", "bianco.jpg", "nero.jpg", "celeste.jpg", "blu.jpg"};
    if (option < 0 || option >= kOpzioniSfondo)
        return {};
    return QString::fromLatin1(files[option]);
}

void stendiSfondo(PictureSurface &SetaccioPic, const QImage &background)
{
    // A new picture replaces the persistent image already; Cls only puts the
    // current position back at the origin.
    SetaccioPic.setPicture(background);
    SetaccioPic.Cls();
}

void disegnaMaglia(PictureSurface &SetaccioPic, const Velmara &v)
{
    // A spacing below 1 would never reach the far edge.
    const int step = std::max<int>(1, v.PassoMaglia);
    for (int x = 0; x <= v.LarghezzaPx; x += step)
        SetaccioPic.Line(x, 0, x, v.AltezzaPx, v.ColoreMaglia);
    for (int y = 0; y <= v.AltezzaPx; y += step)
        SetaccioPic.Line(0, y, v.LarghezzaPx, y, v.ColoreMaglia);
}

namespace {

bool isRgb32(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

bool drawn(QRgb pixel, QRgb key) { return SpriteSheet::drawn(pixel, key); }

// Cell pixel by cell pixel, in the order of the rule, for any scale: where a
// scale folds two cell pixels onto one target pixel the later one stays on
// top.
void plottaPerPixel(PictureSurface &target, const QImage &sheet, QRgb key, int cellWidth, int cellHeight, float x,
                    float y, int sp, int rot)
{
    const int sx0 = (sp - 1) * cellWidth + 2;
    const int sx1 = (sp - 1) * cellWidth + (cellWidth - 1) - 2;
    const int sy0 = rot * cellHeight + 2;
    const int sy1 = rot * cellHeight + (cellHeight - 1) - 2;
    if (sx1 < sx0 || sy1 < sy0)
        return;

    QImage &image = target.pixels();
    uchar *const bits = image.bits(); // detaches once, not per row
    const qsizetype stride = image.bytesPerLine();
    const int width = image.width();
    const int height = image.height();

    // The scale maps each axis on its own, so one table per axis gives the
    // target pixel of every cell column and every cell row.
    QVarLengthArray<int, 64> columns;
    QVarLengthArray<QRgb *, 64> rows;
    QVarLengthArray<const QRgb *, 64> sheetRows;
    int left = width, right = -1, top = height, bottom = -1;
    for (int sx = sx0; sx <= sx1; ++sx) {
        const int column = target.toPixel(x - 1 + static_cast<float>(sx % cellWidth), y).x();
        const bool inside = column >= 0 && column < width && sx >= 0 && sx < sheet.width();
        columns.append(inside ? column : -1);
        if (inside) {
            left = std::min(left, column);
            right = std::max(right, column);
        }
    }
    for (int sy = sy0; sy <= sy1; ++sy) {
        const int row = target.toPixel(x, y - 1 + static_cast<float>(sy % cellHeight)).y();
        const bool inside = row >= 0 && row < height && sy >= 0 && sy < sheet.height();
        rows.append(inside ? reinterpret_cast<QRgb *>(bits + row * stride) : nullptr);
        sheetRows.append(inside ? reinterpret_cast<const QRgb *>(sheet.constScanLine(sy)) : nullptr);
        if (inside) {
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    if (right < 0 || bottom < 0)
        return;

    const qsizetype rowCount = rows.size();
    for (int sx = sx0, i = 0; sx <= sx1; ++sx, ++i) {
        const int column = columns[i];
        if (column < 0)
            continue;
        for (qsizetype j = 0; j < rowCount; ++j) {
            if (!rows[j])
                continue;
            const QRgb pixel = sheetRows[j][sx];
            if (drawn(pixel, key))
                rows[j][column] = pixel | 0xFF000000u;
        }
    }
    target.markChanged(QRect(QPoint(left, top), QPoint(right, bottom)));
}

// Positions are whole numbers of the 16-bit range; anything else is drawn
// pixel by pixel.
constexpr int kWholeLimit = 32768;

bool wholeUnit(float v)
{
    return v >= -kWholeLimit && v <= kWholeLimit && v == std::floor(v);
}

// The target pixel of every whole unit lo .. hi along one axis, worked out
// once by the surface's own mapping.
class UnitPixels
{
public:
    UnitPixels(int lo, int hi, const std::function<int(float)> &pixelOf)
        : lo_(lo)
    {
        for (int u = lo; u <= hi; ++u)
            pixels_.push_back(pixelOf(static_cast<float>(u)));
    }
    bool covers(int first, int count) const
    {
        return first >= lo_ && first - lo_ + count <= static_cast<int>(pixels_.size());
    }
    int operator[](int u) const { return pixels_[static_cast<std::size_t>(u - lo_)]; }

private:
    int lo_;
    std::vector<int> pixels_;
};

// Draws many organisms with the same sheet, key and scale. Where the scale
// gives each cell column a column of its own, consecutive ones, as on both
// windows, the opaque runs of each cell row are copied whole. The rule walks
// column by column, each top to bottom; with no two columns on one pixel,
// copying the rows from the top of the cell leaves the same pixel on top
// wherever rows fold. Any other placement follows the rule pixel by pixel.
class Stamper
{
public:
    Stamper(PictureSurface &target, const SpriteSheet &sprites, QRect wholeRange)
        : target_(target)
        , sprites_(sprites)
        , innerWidth_(sprites.innerWidth())
        , innerHeight_(sprites.innerHeight())
        , columns_(wholeRange.left() + 1, wholeRange.right() + innerWidth_,
                   [&target](float u) { return target.toPixel(u, 0.0f).x(); })
        , rows_(wholeRange.top() + 1, wholeRange.bottom() + innerHeight_,
                [&target](float u) { return target.toPixel(0.0f, u).y(); })
    {
    }

    void draw(float x, float y, int sp, int rot)
    {
        SpriteSheet::Cell cell{};
        if (!runsFit(x, y) || !sprites_.cell(sp, rot, cell)) {
            plottaPerPixel(target_, sprites_.image(), sprites_.key(), sprites_.cellWidth(), sprites_.cellHeight(), x,
                           y, sp, rot);
            return;
        }
        // Cell offset 2 lands on units x + 1 and y + 1.
        const int ux = static_cast<int>(x) + 1;
        const int uy = static_cast<int>(y) + 1;
        QImage &image = target_.pixels();
        const int width = image.width();
        const int height = image.height();
        const int c0 = columns_[ux];
        if (c0 + innerWidth_ <= 0 || c0 >= width)
            return;
        uchar *const bits = image.bits(); // detaches once, not per row
        const qsizetype stride = image.bytesPerLine();
        // Clipping at the sides is worked out per run only where needed.
        const int lo = std::max(0, -c0);
        const int hi = std::min(innerWidth_, width - c0);
        const bool whole = lo == 0 && hi == innerWidth_;
        int top = height, bottom = -1;
        for (int j = 0; j < innerHeight_; ++j) {
            const int row = rows_[uy + j];
            if (row < 0 || row >= height)
                continue;
            top = std::min(top, row);
            bottom = std::max(bottom, row);
            QRgb *line = reinterpret_cast<QRgb *>(bits + row * stride) + c0;
            const QRgb *source = cell.pixels + static_cast<std::ptrdiff_t>(j) * innerWidth_;
            const SpriteSheet::Run *run = cell.runs + cell.rowRuns[j];
            const SpriteSheet::Run *last = cell.runs + cell.rowRuns[j + 1];
            for (; run != last; ++run) {
                const int begin = whole ? run->begin : std::max<int>(run->begin, lo);
                const int end = whole ? run->end : std::min<int>(run->end, hi);
                for (int i = begin; i < end; ++i)
                    line[i] = source[i];
            }
        }
        if (bottom >= 0)
            target_.markChanged(QRect(QPoint(c0 + lo, top), QPoint(c0 + hi - 1, bottom)));
    }

private:
    // True when the cell columns of the sprite at (x, y) land on consecutive
    // target columns, each on its own.
    bool runsFit(float x, float y) const
    {
        if (innerWidth_ < 1 || innerHeight_ < 1 || !wholeUnit(x) || !wholeUnit(y))
            return false;
        const int ux = static_cast<int>(x) + 1;
        const int uy = static_cast<int>(y) + 1;
        if (!columns_.covers(ux, innerWidth_) || !rows_.covers(uy, innerHeight_))
            return false;
        for (int i = 1; i < innerWidth_; ++i)
            if (columns_[ux + i] != columns_[ux] + i)
                return false;
        return true;
    }

    PictureSurface &target_;
    const SpriteSheet &sprites_;
    int innerWidth_;
    int innerHeight_;
    UnitPixels columns_;
    UnitPixels rows_;
};

// The whole positions among the organisms k = 1 .. count, as a rectangle of
// units; empty when there is none.
QRect wholePositions(const Velmara &v, int count)
{
    int left = kWholeLimit, right = -kWholeLimit, top = kWholeLimit, bottom = -kWholeLimit;
    for (int k = 1; k <= count; ++k) {
        if (!wholeUnit(v.ContX[k]) || !wholeUnit(v.ContY[k]))
            continue;
        left = std::min(left, static_cast<int>(v.ContX[k]));
        right = std::max(right, static_cast<int>(v.ContX[k]));
        top = std::min(top, static_cast<int>(v.ContY[k]));
        bottom = std::max(bottom, static_cast<int>(v.ContY[k]));
    }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void plotta_specie(PictureSurface &target, const QImage &sheet, ColourValue key, int cellWidth, int cellHeight,
                   float x, float y, int sp, int rot)
{
    const QImage rgb = isRgb32(sheet) ? sheet : sheet.convertToFormat(QImage::Format_RGB32);
    plottaPerPixel(target, rgb, colour::toQRgb(key), cellWidth, cellHeight, x, y, sp, rot);
}

int disegnaOrganismi(PictureSurface &SetaccioPic, const SpriteSheet &sprites, const Velmara &v,
                     const Progress &progress)
{
    if (v.StazSel < 1 || v.StazSel > Velmara::kMaxStazioni)
        return 0;
    if (colour::toQRgb(v.ColoreTrasp) != sprites.key() || v.LarghezzaSprite != sprites.cellWidth()
        || v.AltezzaSprite != sprites.cellHeight())
        return disegnaOrganismi(SetaccioPic, SpriteSheet(sprites.image(), v), v, progress);
    const int species = std::clamp<int>(v.NSpecie, 0, Velmara::kNumSpecie);
    // The list was built from these counts; should they ever disagree, the
    // list's end is the end of the drawing.
    const auto listed = static_cast<int>(std::min({v.ContX.size(), v.ContY.size(), v.ContRot.size()})) - 1;
    Stamper stamper(SetaccioPic, sprites, wholePositions(v, listed));
    int k = 0;
    for (int sp = 1; sp <= species; ++sp) {
        for (int j = 1; j <= v.Conteggi[v.StazSel][sp]; ++j) {
            if (k >= listed)
                return k;
            ++k;
            stamper.draw(v.ContX[k], v.ContY[k], sp, v.ContRot[k]);
            if (progress)
                progress(k);
        }
    }
    return k;
}

int disegnaOrganismi(PictureSurface &SetaccioPic, const QImage &sheet, const Velmara &v, const Progress &progress)
{
    return disegnaOrganismi(SetaccioPic, SpriteSheet(sheet, v), v, progress);
}

void CaricaSetaccio(PictureSurface &SetaccioPic, const QImage &background, const SpriteSheet &sprites,
                    const Velmara &v, const Progress &progress)
{
    stendiSfondo(SetaccioPic, background);
    disegnaMaglia(SetaccioPic, v);
    disegnaOrganismi(SetaccioPic, sprites, v, progress);
}

void CaricaSetaccio(PictureSurface &SetaccioPic, const QImage &background, const QImage &sheet, const Velmara &v,
                    const Progress &progress)
{
    CaricaSetaccio(SetaccioPic, background, SpriteSheet(sheet, v), v, progress);
}

QString didascaliaDopoDisegno(const QString &caption)
{
    if (caption.contains(QLatin1String("setaccio"), Qt::CaseSensitive))
        return caption;
    return caption + QStringLiteral(" (setaccio)");
}

} // namespace sievedrawing
