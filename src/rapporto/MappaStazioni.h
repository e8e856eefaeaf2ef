#pragma once

#include "RapportoDati.h"

#include <QPainter>
#include <QPoint>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace grafici {

// The map of the area with its axes in metres as the table gives positions,
// the stations marked and numbered over it, and a scale bar with its legend
// below: the first page of a survey's report, and the studio's map. The map
// is the widest square the box leaves room for, at its top left.
void mappaStazioni(QPainter &p, const QRectF &box, const rapporto::Rilievo &r);

// Where mappaStazioni puts the map picture inside the box; its 512 pixels
// span the square's side.
QRectF riquadroMappa(const QRectF &box);

// The smallest box in which the axes, the scale bar and its legend fit.
QSizeF mappaMinima();

} // namespace grafici

namespace rapporto {

// Where each station's number goes on the map: beside its marker, on the
// first side where it covers no other number and no other marker. Boxes are
// in map pixels; element i belongs to station i + 1.
std::vector<QRectF> posizioniNumeri(const std::vector<QPoint> &stazioni, const std::vector<QSizeF> &testi);

} // namespace rapporto
