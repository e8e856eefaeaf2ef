#pragma once

#include <QImage>
#include <QStringList>

// 600 x 200 sprite sheet: 12 columns (species) x 4 rows (orientations) of
// 50 x 50 cells, only the inner 46 x 46 pixels drawn, transparent key colour
// at pixel (2, 2).
QImage generateFaunaSheet(quint32 seed);

// The key colour the sheet is painted with; no organism pixel comes near it.
QRgb faunaKeyColour();

// The twelve taxa in column order, for the answer key.
QStringList faunaTaxaNames();
