#include "SpriteSheet.h"

#include "ColourConversion.h"
#include "Velmara.h"

#include <algorithm>

SpriteSheet::SpriteSheet(const QImage &sheet, ColourValue key, int cellWidth, int cellHeight)
    : sheet_(sheet.format() == QImage::Format_RGB32 || sheet.format() == QImage::Format_ARGB32
                 ? sheet
                 : sheet.convertToFormat(QImage::Format_RGB32))
    , sourceKey_(sheet.cacheKey())
    , key_(colour::toQRgb(key))
    , keyValue_(key)
    , cellWidth_(cellWidth)
    , cellHeight_(cellHeight)
{
    const int w = innerWidth();
    const int h = innerHeight();
    if (cellWidth_ < 1 || cellHeight_ < 1 || w < 1 || h < 1)
        return;
    // A cell is whole when its inner pixels are: the sheet may end two
    // pixels short of the last cell's border.
    columns_ = (sheet_.width() + 2) / cellWidth_;
    rows_ = (sheet_.height() + 2) / cellHeight_;
    const auto cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(std::max(rows_, 0));
    pixels_.reserve(cells * static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    rowRuns_.reserve(cells * static_cast<std::size_t>(h + 1));
    runs_.reserve(cells * static_cast<std::size_t>(h) * 2);
    for (int rot = 0; rot < rows_; ++rot) {
        for (int c = 0; c < columns_; ++c) {
            firstPixel_.push_back(static_cast<int>(pixels_.size()));
            firstRow_.push_back(static_cast<int>(rowRuns_.size()));
            const int sx0 = c * cellWidth_ + 2;
            const int sy0 = rot * cellHeight_ + 2;
            rowRuns_.push_back(static_cast<int>(runs_.size()));
            for (int j = 0; j < h; ++j) {
                const QRgb *row = reinterpret_cast<const QRgb *>(sheet_.constScanLine(sy0 + j)) + sx0;
                const auto rowStart = runs_.size();
                for (int i = 0; i < w; ++i) {
                    pixels_.push_back(row[i] | 0xFF000000u);
                    if (!drawn(row[i], key_))
                        continue;
                    if (runs_.size() > rowStart && runs_.back().end == i)
                        ++runs_.back().end;
                    else
                        runs_.push_back({static_cast<std::int16_t>(i), static_cast<std::int16_t>(i + 1)});
                }
                rowRuns_.push_back(static_cast<int>(runs_.size()));
            }
        }
    }
}

SpriteSheet::SpriteSheet(const QImage &sheet, const Velmara &v)
    : SpriteSheet(sheet, v.ColoreTrasp, v.LarghezzaSprite, v.AltezzaSprite)
{
}

bool SpriteSheet::madeFrom(const QImage &sheet, ColourValue key, int cellWidth, int cellHeight) const
{
    return sheet.cacheKey() == sourceKey_ && key == keyValue_ && cellWidth == cellWidth_ && cellHeight == cellHeight_;
}

bool SpriteSheet::cell(int sp, int rot, Cell &out) const
{
    const int c = sp - 1;
    if (c < 0 || c >= columns_ || rot < 0 || rot >= rows_)
        return false;
    const auto index = static_cast<std::size_t>(rot * columns_ + c);
    out.pixels = pixels_.data() + firstPixel_[index];
    out.runs = runs_.data();
    out.rowRuns = rowRuns_.data() + firstRow_[index];
    return true;
}
