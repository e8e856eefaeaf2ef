#include "TaxaGallery.h"

#include "NumberText.h"
#include "PictureSurface.h"
#include "SieveDrawing.h"

namespace taxagallery {

QPoint origineSpecie(int i)
{
    const int column = (i - 1) / 6;
    const int row = (i - 1) % 6;
    return QPoint(column == 0 ? 10 : 170, 10 + 60 * row);
}

QString etichetta(int i)
{
    return QStringLiteral("Specie") + QString::fromStdString(numtext::str(i));
}

void disegnaTaxa(PictureSurface &FiguraSp, const QImage &sheet, ColourValue key, int larghezzaPx, int altezzaPx)
{
    FiguraSp.Scale(0, 0, larghezzaPx, altezzaPx);
    for (int i = 1; i <= 12; ++i) {
        const QPoint origin = origineSpecie(i);
        sievedrawing::plotta_specie(FiguraSp, sheet, key, kCella, kCella, origin.x(), origin.y(), i, 0);
        FiguraSp.CurrentX = origin.x() + 60;
        FiguraSp.CurrentY = origin.y() + 15;
        FiguraSp.Print(etichetta(i));
    }
}

} // namespace taxagallery
