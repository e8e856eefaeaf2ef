#pragma once

#include "MapColour.h"

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

struct Velmara;

// The organisms of a sprite sheet made ready for stamping: per cell the
// inner (cellWidth - 4) x (cellHeight - 4) pixels, made opaque, and per row
// the runs of those not of the key colour. Made once per sheet, so that a
// redraw of the sieve only copies runs.
class SpriteSheet
{
public:
    SpriteSheet(const QImage &sheet, ColourValue key, int cellWidth, int cellHeight);
    // With the key colour and cell size of the sieve's state.
    SpriteSheet(const QImage &sheet, const Velmara &v);

    // Whether this was made from the very sheet, key and cell size.
    bool madeFrom(const QImage &sheet, ColourValue key, int cellWidth, int cellHeight) const;

    const QImage &image() const { return sheet_; } // RGB32
    QRgb key() const { return key_; }
    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    int innerWidth() const { return cellWidth_ - 4; }
    int innerHeight() const { return cellHeight_ - 4; }

    struct Run {
        std::int16_t begin; // [begin, end) within the row
        std::int16_t end;
    };
    struct Cell {
        const QRgb *pixels; // innerHeight rows of innerWidth
        const Run *runs;
        const int *rowRuns; // row j's runs: runs[rowRuns[j]] .. runs[rowRuns[j + 1]]
    };
    // False when the cell of species sp (column sp - 1) and rotation rot
    // (row rot) does not lie wholly inside the sheet.
    bool cell(int sp, int rot, Cell &out) const;

    static bool drawn(QRgb pixel, QRgb key) { return ((pixel ^ key) & 0x00FFFFFFu) != 0; }

private:
    QImage sheet_;
    qint64 sourceKey_;
    QRgb key_;
    ColourValue keyValue_;
    int cellWidth_;
    int cellHeight_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<QRgb> pixels_;
    std::vector<Run> runs_;
    std::vector<int> rowRuns_;
    // Per cell, row-major over the sheet's grid: its first pixel, its first
    // row in rowRuns_; -1 when it is not whole.
    std::vector<int> firstPixel_;
    std::vector<int> firstRow_;
};
