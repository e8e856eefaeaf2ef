#pragma once

#include "MapColour.h"

#include <QImage>
#include <QPoint>
#include <QString>

class PictureSurface;

// The twelve species side by side, in two columns of six: each the first
// orientation of its sprite-sheet cell with the label "Specie n" beside it.
namespace taxagallery {

// The picture box in twips; its size in pixels is LarghezzaPx x AltezzaPx.
constexpr int kFiguraSpWidthTwips = 4695;
constexpr int kFiguraSpHeightTwips = 5535;
constexpr int kCella = 50;

// Origin (A, B) of species i (1..12): the picture covers A + 1 .. A + 46 and
// B + 1 .. B + 46, the label starts at (A + 60, B + 15).
QPoint origineSpecie(int i);
QString etichetta(int i);

// Draws all twelve over what the picture holds, in a scale of
// larghezzaPx x altezzaPx units from the top-left, y downwards.
void disegnaTaxa(PictureSurface &FiguraSp, const QImage &sheet, ColourValue key, int larghezzaPx, int altezzaPx);

} // namespace taxagallery
