#include "SeaModel.h"

#include "MapColour.h"

#include <vector>

namespace seagen {

QImage drawBathymetry(const SeaAreaFields &fields)
{
    QImage image(kN, kN, QImage::Format_RGB32);
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int depth = fields.depth[at(x, y)];
            line[x] = depth == SeaAreaFields::kNotSurveyable ? qRgb(0, 0, 0) : qRgb(depth + 76, 0, 0);
        }
    }
    return image;
}

// A grey density map: the darker, the more organisms.
QImage drawSpecies(const std::vector<int> &counts)
{
    int level[kMaxCount + 1];
    for (int k = 0; k <= kMaxCount; ++k)
        level[k] = 255 - mapcolour::darknessForCount(k);
    QImage image(kN, kN, QImage::Format_RGB32);
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int r = level[counts[at(x, y)]];
            line[x] = qRgb(r, r, r);
        }
    }
    return image;
}

} // namespace seagen
