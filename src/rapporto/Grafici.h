#pragma once

#include "RapportoDati.h"

#include <QPainter>
#include <QRectF>

#include <vector>

// Charts shared by the survey and class reports.
namespace grafici {

// One row per estimate: the dot of the estimate, the bar of its interval
// and the mark of the true value, on one axis, with the figures to the right.
// Returns the height used.
double stime(QPainter &p, const QRectF &area, const std::vector<rapporto::Stima> &righe,
             const QString &titoloX, double altezzaRiga);

// The legend of those marks, in one line from the given point.
void legendaStime(QPainter &p, QPointF da);

// Total individuals of each species against its rank, on a log scale.
void rangoAbbondanza(QPainter &p, const QRectF &area, const std::vector<rapporto::Abbondanza> &abbondanze);

// Count against depth station by station, over the true profile.
void zonazione(QPainter &p, const QRectF &area, const rapporto::Zonazione &z, double profMax,
               bool titoloX, bool titoloY);

// Two decimals below 10, one below 100, none above: means of counts in
// the narrow columns of the class table.
QString cifraMedia(double v);

} // namespace grafici
