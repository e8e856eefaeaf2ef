#include "SurveyChecks.h"

#include "ColourConversion.h"
#include "MapColour.h"
#include "TestData.h"

#include <algorithm>

namespace surveychecks {

QRgb variedSpecies(int species, int x, int y)
{
    const int red = (5 * x + 11 * y + 31 * species) % 256;
    return qRgb(red, red, red);
}

int depthAt(int X, int Y)
{
    return mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(X, Y))).value_or(-1000);
}

QImage withMarkers(const QImage &base, const std::vector<QPoint> &stations)
{
    QImage expected = base;
    for (const QPoint &p : stations) {
        const QRect block = QRect(p.x() - 2, p.y() - 2, 5, 5).intersected(expected.rect());
        for (int y = block.top(); y <= block.bottom(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(expected.scanLine(y));
            std::fill(row + block.left(), row + block.right() + 1, qRgb(255, 0, 0));
        }
    }
    return expected;
}

} // namespace surveychecks
