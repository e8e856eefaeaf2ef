#include "SieveDrawing.h"

#include "ColourConversion.h"
#include "PictureSurface.h"
#include "Velmara.h"

#include <QVarLengthArray>

#include <algorithm>

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
    SetaccioPic.Cls();
    SetaccioPic.setPicture(background);
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

void plottaInRgb32(PictureSurface &target, const QImage &sheet, QRgb key, int cellWidth, int cellHeight, float x,
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

    // Column by column, each column top to bottom of the sheet: where the
    // scale folds two cell pixels onto one, the later one stays on top.
    const qsizetype rowCount = rows.size();
    for (int sx = sx0, i = 0; sx <= sx1; ++sx, ++i) {
        const int column = columns[i];
        if (column < 0)
            continue;
        for (qsizetype j = 0; j < rowCount; ++j) {
            if (!rows[j])
                continue;
            const QRgb pixel = sheetRows[j][sx];
            if (((pixel ^ key) & 0x00FFFFFFu) != 0)
                rows[j][column] = pixel | 0xFF000000u;
        }
    }
    target.markChanged(QRect(QPoint(left, top), QPoint(right, bottom)));
}

} // namespace

void plotta_specie(PictureSurface &target, const QImage &sheet, ColourValue key, int cellWidth, int cellHeight,
                   float x, float y, int sp, int rot)
{
    const QImage rgb = isRgb32(sheet) ? sheet : sheet.convertToFormat(QImage::Format_RGB32);
    plottaInRgb32(target, rgb, colour::toQRgb(key), cellWidth, cellHeight, x, y, sp, rot);
}

int disegnaOrganismi(PictureSurface &SetaccioPic, const QImage &sheet, const Velmara &v, const Progress &progress)
{
    if (v.StazSel < 1 || v.StazSel > Velmara::kMaxStazioni)
        return 0;
    const QImage rgb = isRgb32(sheet) ? sheet : sheet.convertToFormat(QImage::Format_RGB32);
    const QRgb key = colour::toQRgb(v.ColoreTrasp);
    const int species = std::clamp<int>(v.NSpecie, 0, Velmara::kNumSpecie);
    // The list was built from these counts; should they ever disagree, the
    // list's end is the end of the drawing.
    const auto listed = static_cast<int>(std::min({v.ContX.size(), v.ContY.size(), v.ContRot.size()})) - 1;
    int k = 0;
    for (int sp = 1; sp <= species; ++sp) {
        for (int j = 1; j <= v.Conteggi[v.StazSel][sp]; ++j) {
            if (k >= listed)
                return k;
            ++k;
            plottaInRgb32(SetaccioPic, rgb, key, v.LarghezzaSprite, v.AltezzaSprite, v.ContX[k], v.ContY[k], sp,
                          v.ContRot[k]);
            if (progress)
                progress(k);
        }
    }
    return k;
}

void CaricaSetaccio(PictureSurface &SetaccioPic, const QImage &background, const QImage &sheet, const Velmara &v,
                    const Progress &progress)
{
    stendiSfondo(SetaccioPic, background);
    disegnaMaglia(SetaccioPic, v);
    disegnaOrganismi(SetaccioPic, sheet, v, progress);
}

QString didascaliaDopoDisegno(const QString &caption)
{
    if (caption.contains(QLatin1String("setaccio"), Qt::CaseSensitive))
        return caption;
    return caption + QStringLiteral(" (setaccio)");
}

} // namespace sievedrawing
